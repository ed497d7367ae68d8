#pragma once
// A fresh temporary folder for serial port tests (fake /dev and /sys trees,
// symlinks to pseudo-terminals), removed with everything in it.

#include <filesystem>
#include <string>

class TPortTestFolder {
 public:
  TPortTestFolder();
  ~TPortTestFolder();
  TPortTestFolder(const TPortTestFolder&) = delete;
  TPortTestFolder& operator=(const TPortTestFolder&) = delete;

  const std::filesystem::path& Path() const { return FPath; }
  // Creates the parent folders as needed.
  void Symlink(const std::string& Relative, const std::filesystem::path& Target) const;
  void WriteFile(const std::string& Relative, const std::string& Text) const;

 private:
  std::filesystem::path FPath;
};
