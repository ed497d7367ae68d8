// Fuzzes the profile file's reader and writer and the configuration reads with
// arbitrary file contents, and checks what must hold for any file: the reads
// never fail, a written key reads back as written, and a key of another
// section keeps its value through the writes.
#include "platform/IniFile.h"
#include "settings/Config.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// tmpfs when there is one: every write flushes to disk.
const std::string& ScratchFile() {
  static const std::string Path = [] {
    char Folder[] = "/dev/shm/talmo-fuzz-XXXXXX";
    char Fallback[] = "/tmp/talmo-fuzz-XXXXXX";
    const char* Made = ::mkdtemp(Folder);
    if (Made == nullptr) Made = ::mkdtemp(Fallback);
    if (Made == nullptr) std::abort();
    return std::string(Made) + "/TALMO.INI";
  }();
  return Path;
}

void Store(const std::string& Path, const std::uint8_t* Data, std::size_t Size) {
  const int Fd = ::open(Path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (Fd < 0) std::abort();
  if (Size > 0 && ::write(Fd, Data, Size) != static_cast<ssize_t>(Size)) std::abort();
  ::close(Fd);
}

// A value reads back unchanged unless the reader's rules alter it.
bool ReadsBackUnchanged(std::string_view Value) {
  if (Value.size() > TIniFile::kMaxValueLength) return false;
  if (!Value.empty() && (Value.front() == ' ' || Value.front() == '\t' || Value.back() == ' ' ||
                         Value.back() == '\t'))
    return false;
  if (Value.size() >= 2 && (Value.front() == '"' || Value.front() == '\'') && Value.back() == Value.front())
    return false;
  return Value.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

void Check(bool Condition) {
  if (!Condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::string& Path = ScratchFile();
  Store(Path, Data, Size);

  TConfigReader Reader(Path);
  const std::string ComPort = Reader.ReadComPort();
  const int BaudRate = Reader.ReadBaudRate();
  const bool Trace = Reader.ReadTrace();
  const int Gain = Reader.ReadGain();
  const int Delay = Reader.ReadDelay();
  Check(ComPort.size() <= TIniFile::kMaxValueLength);

  TIniFile IniFile(Path);
  const std::string Other = IniFile.ReadString("OTHER", "KEY", "<none>");

  // A value taken from the input itself, to write under a key of its own.
  const std::string_view Input(reinterpret_cast<const char*>(Data), Size);
  const std::string_view Value = Input.substr(0, Input.find('\n'));
  IniFile.WriteString("SETTINGS", "EXTRA", Value);
  if (ReadsBackUnchanged(Value)) Check(IniFile.ReadString("SETTINGS", "EXTRA", "") == Value);

  WriteSettings(Path, {ComPort, PortRateFromConfig(BaudRate), Trace, Gain, Delay});
  TConfigReader Again(Path);
  if (ReadsBackUnchanged(ComPort)) Check(Again.ReadComPort() == ComPort);
  Check(Again.ReadBaudRate() == ConfigNumberFromPortRate(PortRateFromConfig(BaudRate)));
  Check(Again.ReadTrace() == Trace);
  Check(Again.ReadGain() == Gain);
  Check(Again.ReadDelay() == Delay);
  Check(IniFile.ReadString("OTHER", "KEY", "<none>") == Other);
  return 0;
}
