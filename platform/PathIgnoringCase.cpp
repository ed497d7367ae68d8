#include "platform/PathIgnoringCase.h"

#include "platform/TextCase.h"

#include <dirent.h>
#include <sys/stat.h>

#include <optional>

namespace {

bool Exists(const std::string& Path) {
  struct stat Info {};
  return ::lstat(Path.c_str(), &Info) == 0;
}

// The entry of Folder whose name equals Part without regard to case; the
// smallest such name when several do, so the choice does not depend on the
// order the file system lists them in.
std::optional<std::string> EntryIgnoringCase(const std::string& Folder, const std::string& Part) {
  DIR* Listing = ::opendir(Folder.empty() ? "." : Folder.c_str());
  if (Listing == nullptr) return std::nullopt;
  std::optional<std::string> Best;
  while (const dirent* Entry = ::readdir(Listing)) {
    const std::string Name = Entry->d_name;
    if (SameTextIgnoringCase(Name, Part) && (!Best || Name < *Best)) Best = Name;
  }
  ::closedir(Listing);
  return Best;
}

}  // namespace

std::string ResolvePathIgnoringCase(const std::string& Base, const std::string& Name) {
  std::string Result = Base;
  std::size_t Pos = 0;
  while (Pos <= Name.size()) {
    const std::size_t Slash = Name.find('/', Pos);
    const std::size_t End = (Slash == std::string::npos) ? Name.size() : Slash;
    const std::string Part = Name.substr(Pos, End - Pos);
    const std::string Folder = Result;
    if (!Part.empty() && Part != "." && Part != ".." && !Exists(Folder + Part)) {
      const auto Match = EntryIgnoringCase(Folder, Part);
      if (!Match) return Result + Name.substr(Pos);  // nothing further can exist
      Result += *Match;
    } else {
      Result += Part;
    }
    if (Slash == std::string::npos) break;
    Result += '/';
    Pos = Slash + 1;
  }
  return Result;
}
