#pragma once
// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes; plus small whole-file helpers for tests.

#include <string>

class TScratchFolder {
 public:
  TScratchFolder();
  ~TScratchFolder();
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;

  // The folder's path, ending in '/'.
  const std::string& Path() const { return FPath; }
  // Path() + Name.
  std::string operator/(const std::string& Name) const { return FPath + Name; }

 private:
  std::string FPath;
};

// The file's bytes, or "<missing>" when it cannot be read.
std::string FileText(const std::string& Path);
// Creates or overwrites the file with exactly Text.
void PutFileText(const std::string& Path, const std::string& Text);
bool FileExists(const std::string& Path);
