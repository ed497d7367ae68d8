#include "platform/SerialPortNames.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <tuple>

namespace fs = std::filesystem;

bool SameTextIgnoringCase(const std::string& A, const std::string& B) {
  return A.size() == B.size() &&
         std::equal(A.begin(), A.end(), B.begin(), [](unsigned char a, unsigned char b) {
           return std::tolower(a) == std::tolower(b);
         });
}

namespace {

bool IsCharacterDevice(const fs::path& Path) {
  struct stat st {};
  return ::stat(Path.c_str(), &st) == 0 && S_ISCHR(st.st_mode);
}

// The entry of Folder named Name: the exact spelling if it exists, else the first
// (in sorted order, so the choice is stable) whose name matches ignoring case.
template <typename Accept>
fs::path FindEntry(const fs::path& Folder, const std::string& Name, Accept accept) {
  std::error_code ec;
  if (fs::path exact = Folder / Name; fs::exists(fs::symlink_status(exact, ec)) && accept(exact))
    return exact;
  std::vector<fs::path> matches;
  for (const auto& entry : fs::directory_iterator(Folder, ec))
    if (SameTextIgnoringCase(entry.path().filename().string(), Name) && accept(entry.path()))
      matches.push_back(entry.path());
  if (matches.empty()) return {};
  return *std::min_element(matches.begin(), matches.end());
}

std::string ResolvePath(const std::string& Name) {
  fs::path resolved = Name.front() == '/' ? fs::path("/") : fs::path(".");
  for (const auto& part : fs::path(Name).relative_path()) {
    const std::string piece = part.string();
    if (piece.empty() || piece == "." || piece == "..") {
      resolved /= piece;
      continue;
    }
    fs::path next = FindEntry(resolved, piece, [](const fs::path&) { return true; });
    if (next.empty()) return {};
    resolved = next;
  }
  return resolved.string();
}

std::string Trimmed(std::string Text) {
  while (!Text.empty() && std::isspace(static_cast<unsigned char>(Text.back()))) Text.pop_back();
  return Text;
}

// serial_core gives each UART slot a "type" attribute; 0 means no UART was found
// there, as in the legacy 8250 slots the kernel reserves on every PC.
bool IsEmptyUartSlot(const fs::path& TtyEntry) {
  std::ifstream typeFile(TtyEntry / "type");
  std::string type;
  return typeFile && std::getline(typeFile, type) && Trimmed(type) == "0";
}

// "ttyUSB2" before "ttyUSB10": the stem alphabetically, then the trailing number.
bool NaturalLess(const std::string& A, const std::string& B) {
  auto split = [](const std::string& s) {
    size_t digits = s.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(s[digits - 1]))) --digits;
    const std::string number = s.substr(digits);
    return std::make_tuple(s.substr(0, digits), number.size(), number);
  };
  return split(A) < split(B);
}

}  // namespace

std::string ResolveSerialPortName(const std::string& Name, const std::string& DeviceFolder) {
  if (Name.empty()) return {};
  if (Name.find('/') != std::string::npos) return ResolvePath(Name);
  return FindEntry(DeviceFolder, Name, IsCharacterDevice).string();
}

std::vector<std::string> EnumerateSerialPorts(const std::string& Root) {
  std::vector<std::string> ttys;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(fs::path(Root) / "sys/class/tty", ec)) {
    std::error_code deviceEc;
    if (fs::exists(entry.path() / "device", deviceEc) && !IsEmptyUartSlot(entry.path()))
      ttys.push_back(entry.path().filename().string());
  }
  std::sort(ttys.begin(), ttys.end(), NaturalLess);

  std::vector<std::string> stableNames;
  for (const auto& entry : fs::directory_iterator(fs::path(Root) / "dev/serial/by-id", ec))
    stableNames.push_back("/dev/serial/by-id/" + entry.path().filename().string());
  std::sort(stableNames.begin(), stableNames.end());

  ttys.insert(ttys.end(), stableNames.begin(), stableNames.end());
  return ttys;
}
