#include "support/PortTestFolder.h"

namespace fs = std::filesystem;

TPortTestFolder::TPortTestFolder() : FPath(fs::path(FScratch.Path()).parent_path()) {}

void TPortTestFolder::Symlink(const std::string& Relative, const fs::path& Target) const {
  const fs::path link = FPath / Relative;
  fs::create_directories(link.parent_path());
  fs::create_symlink(Target, link);
}

void TPortTestFolder::WriteFile(const std::string& Relative, const std::string& Text) const {
  const fs::path file = FPath / Relative;
  fs::create_directories(file.parent_path());
  PutFileText(file.string(), Text);
}
