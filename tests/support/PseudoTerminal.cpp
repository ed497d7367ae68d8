#include "support/PseudoTerminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

TPseudoTerminal::TPseudoTerminal() {
  FMasterFd = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (FMasterFd < 0 || ::grantpt(FMasterFd) != 0 || ::unlockpt(FMasterFd) != 0) {
    const int error = errno;
    if (FMasterFd >= 0) ::close(FMasterFd);
    throw std::runtime_error(std::string("no pseudo-terminal: ") + std::strerror(error));
  }
  char name[128] = {};
  ::ptsname_r(FMasterFd, name, sizeof name);
  FSlavePath = name;
}

TPseudoTerminal::~TPseudoTerminal() { ::close(FMasterFd); }
