#pragma once
// A scratch folder for serial port tests (fake /dev and /sys trees, symlinks to
// pseudo-terminals), removed with everything in it.

#include <filesystem>
#include <string>

#include "support/ScratchFolder.h"

class TPortTestFolder {
 public:
  TPortTestFolder();

  const std::filesystem::path& Path() const { return FPath; }
  // Creates the parent folders as needed.
  void Symlink(const std::string& Relative, const std::filesystem::path& Target) const;
  void WriteFile(const std::string& Relative, const std::string& Text) const;

 private:
  TScratchFolder FScratch;
  std::filesystem::path FPath;  // FScratch's path without the trailing '/'
};
