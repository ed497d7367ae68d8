#include "platform/FileContents.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

// Closes a descriptor when it leaves scope unless released.
class TFileDescriptor {
 public:
  explicit TFileDescriptor(int Fd) : FFd(Fd) {}
  ~TFileDescriptor() { if (FFd >= 0) ::close(FFd); }
  TFileDescriptor(const TFileDescriptor&) = delete;
  TFileDescriptor& operator=(const TFileDescriptor&) = delete;
  int Get() const { return FFd; }
  // Closes now and reports whether the close succeeded (it can report a
  // delayed write error).
  bool Close() {
    const int Fd = FFd;
    FFd = -1;
    return ::close(Fd) == 0;
  }

 private:
  int FFd;
};

bool WriteAll(int Fd, std::string_view Data) {
  while (!Data.empty()) {
    const ssize_t Written = ::write(Fd, Data.data(), Data.size());
    if (Written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    Data.remove_prefix(static_cast<std::size_t>(Written));
  }
  return true;
}

std::string FolderOf(const std::string& Path) {
  const auto Slash = Path.rfind('/');
  if (Slash == std::string::npos) return ".";
  if (Slash == 0) return "/";
  return Path.substr(0, Slash);
}

// The file a write must replace: the target of a symbolic link, so that the
// link survives, otherwise the path itself.
std::string ResolvedTarget(const std::string& Path) {
  struct stat Info {};
  if (::lstat(Path.c_str(), &Info) == 0 && S_ISLNK(Info.st_mode)) {
    char Buffer[PATH_MAX];
    if (::realpath(Path.c_str(), Buffer) != nullptr) return Buffer;
  }
  return Path;
}

// Creates a fresh temporary file next to Target; -1 on failure.
int CreateTemporaryFile(const std::string& Target, std::string& TempPath) {
  static std::atomic<unsigned> Counter{0};
  for (int Attempt = 0; Attempt < 100; ++Attempt) {
    TempPath = Target + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(Counter++);
    // 0666 lets the umask decide a new file's permissions, as for any new file.
    const int Fd = ::open(TempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (Fd >= 0 || errno != EEXIST) return Fd;
  }
  return -1;
}

void FlushFolder(const std::string& Folder) {
  // Makes the rename itself durable; a failure leaves a correct file, so it is
  // not reported.
  const int Fd = ::open(Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (Fd < 0) return;
  ::fsync(Fd);
  ::close(Fd);
}

}  // namespace

TReadResult ReadFileContents(const std::string& Path, std::string& Contents) {
  Contents.clear();
  // O_NONBLOCK: a FIFO put where the file should be must not hang the reader.
  TFileDescriptor File(::open(Path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (File.Get() < 0) {
    return (errno == ENOENT) ? TReadResult::Missing : TReadResult::Failed;
  }
  struct stat Info {};
  if (::fstat(File.Get(), &Info) != 0 || !S_ISREG(Info.st_mode)) return TReadResult::Failed;
  char Buffer[8192];
  for (;;) {
    const ssize_t Got = ::read(File.Get(), Buffer, sizeof Buffer);
    if (Got < 0) {
      if (errno == EINTR) continue;
      Contents.clear();
      return TReadResult::Failed;
    }
    if (Got == 0) break;
    Contents.append(Buffer, static_cast<std::size_t>(Got));
  }
  return TReadResult::Read;
}

bool ReplaceFileAtomically(const std::string& Path, std::string_view Contents) {
  const std::string Target = ResolvedTarget(Path);
  struct stat Old {};
  const bool HadOld = ::stat(Target.c_str(), &Old) == 0;
  if (HadOld && !S_ISREG(Old.st_mode)) return false;

  std::string TempPath;
  TFileDescriptor Temp(CreateTemporaryFile(Target, TempPath));
  if (Temp.Get() < 0) return false;

  bool Ok = WriteAll(Temp.Get(), Contents);
  if (Ok && HadOld) {
    // Ownership can only be kept where the process may give it away; the
    // permissions always can.
    if (::fchown(Temp.Get(), Old.st_uid, Old.st_gid) != 0) { /* keep our own */ }
    Ok = ::fchmod(Temp.Get(), Old.st_mode & 07777) == 0;
  }
  Ok = Ok && ::fsync(Temp.Get()) == 0;
  Ok = Temp.Close() && Ok;
  Ok = Ok && ::rename(TempPath.c_str(), Target.c_str()) == 0;
  if (!Ok) {
    ::unlink(TempPath.c_str());
    return false;
  }
  FlushFolder(FolderOf(Target));
  return true;
}
