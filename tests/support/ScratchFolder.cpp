#include "support/ScratchFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

TScratchFolder::TScratchFolder() {
  std::string Pattern = (std::filesystem::temp_directory_path() / "talmo-test-XXXXXX").string();
  if (::mkdtemp(Pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  FPath = Pattern + "/";
}

TScratchFolder::~TScratchFolder() {
  std::error_code Ignored;
  std::filesystem::remove_all(FPath, Ignored);
}

std::string FileText(const std::string& Path) {
  std::ifstream In(Path, std::ios::binary);
  if (!In) return "<missing>";
  return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
}

void PutFileText(const std::string& Path, const std::string& Text) {
  std::ofstream Out(Path, std::ios::binary | std::ios::trunc);
  Out << Text;
  if (!Out) throw std::runtime_error("cannot write " + Path);
}

bool FileExists(const std::string& Path) { return std::filesystem::exists(Path); }
