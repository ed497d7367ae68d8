#include "support/OpenWatch.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <sys/inotify.h>
#include <unistd.h>

TOpenWatch::TOpenWatch(const std::vector<std::string>& Paths) {
  FFd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (FFd < 0) throw std::runtime_error(std::string("inotify: ") + std::strerror(errno));
  for (const std::string& path : Paths)
    if (::inotify_add_watch(FFd, path.c_str(), IN_OPEN | IN_CLOSE) < 0) {
      const int error = errno;
      ::close(FFd);
      throw std::runtime_error("inotify watch on " + path + ": " + std::strerror(error));
    }
}

TOpenWatch::~TOpenWatch() { ::close(FFd); }

TOpenWatch::TCounts TOpenWatch::Take() {
  TCounts counts;
  alignas(struct inotify_event) char buffer[4096];
  for (ssize_t length; (length = ::read(FFd, buffer, sizeof buffer)) > 0;) {
    for (char* p = buffer; p < buffer + length;) {
      const auto* event = reinterpret_cast<const struct inotify_event*>(p);
      if (!(event->mask & IN_ISDIR)) {
        if (event->mask & IN_OPEN) ++counts.Opens;
        if (event->mask & IN_CLOSE) ++counts.Closes;
      }
      p += sizeof(struct inotify_event) + event->len;
    }
  }
  return counts;
}
