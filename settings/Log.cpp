#include "settings/Log.h"

#include "settings/LogTimeStamp.h"

#include <fcntl.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

TLog* AppLog = nullptr;

namespace {

// O_NONBLOCK keeps a FIFO without a reader from blocking the open; it changes
// nothing for a regular file.
constexpr int kCommonFlags = O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;

int OpenFresh(const char* Path) { return ::open(Path, kCommonFlags | O_CREAT | O_TRUNC, 0666); }

// Writes all of Parts with as few calls as the kernel allows; false on error.
bool WriteAll(int Fd, iovec* Parts, int Count) {
  while (Count > 0) {
    const ssize_t Written = ::writev(Fd, Parts, Count);
    if (Written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    auto Left = static_cast<std::size_t>(Written);
    while (Count > 0 && Left >= Parts->iov_len) {
      Left -= Parts->iov_len;
      ++Parts;
      --Count;
    }
    if (Count > 0) {
      Parts->iov_base = static_cast<char*>(Parts->iov_base) + Left;
      Parts->iov_len -= Left;
    }
  }
  return true;
}

}  // namespace

void TLog::SetEnabled(bool Value) noexcept {
  FEnabled = Value;
  if (!Value) return;
  const int Fd = OpenFresh(FileName.c_str());
  if (Fd < 0 || ::close(Fd) != 0) FEnabled = false;
}

void TLog::Write(std::uint8_t MsgLevel, std::string_view Text) noexcept {
  if (!FEnabled || MsgLevel > Level) return;

  int Fd = ::open(FileName.c_str(), kCommonFlags | O_APPEND);
  if (Fd < 0) Fd = OpenFresh(FileName.c_str());
  if (Fd < 0) return;

  const std::time_t Now = std::time(nullptr);
  std::tm Local{};
  char Stamp[256];
  const std::size_t StampLength =
      ::localtime_r(&Now, &Local) != nullptr ? FormatTimeStamp(Local, Stamp, sizeof Stamp) : 0;
  if (StampLength > 0) {
    char LineEnd[] = {'\r', '\n'};
    iovec Parts[] = {{Stamp, StampLength},
                     {const_cast<char*>(Text.data()), Text.size()},
                     {LineEnd, sizeof LineEnd}};
    WriteAll(Fd, Parts, 3);
  }
  ::close(Fd);
}
