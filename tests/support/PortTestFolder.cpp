#include "support/PortTestFolder.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

TPortTestFolder::TPortTestFolder() {
  std::string pattern = (fs::temp_directory_path() / "talmo-port-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  FPath = pattern;
}

TPortTestFolder::~TPortTestFolder() {
  std::error_code ec;
  fs::remove_all(FPath, ec);
}

void TPortTestFolder::Symlink(const std::string& Relative, const fs::path& Target) const {
  const fs::path link = FPath / Relative;
  fs::create_directories(link.parent_path());
  fs::create_symlink(Target, link);
}

void TPortTestFolder::WriteFile(const std::string& Relative, const std::string& Text) const {
  const fs::path file = FPath / Relative;
  fs::create_directories(file.parent_path());
  std::ofstream(file) << Text;
}
