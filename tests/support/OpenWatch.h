#pragma once
// Counts the opens and closes of files (or of the files in folders) through inotify,
// so a test can tell that code left a device alone or really closed and reopened it.

#include <string>
#include <vector>

class TOpenWatch {
 public:
  explicit TOpenWatch(const std::vector<std::string>& Paths);  // throws std::runtime_error
  ~TOpenWatch();
  TOpenWatch(const TOpenWatch&) = delete;
  TOpenWatch& operator=(const TOpenWatch&) = delete;

  struct TCounts {
    int Opens = 0;
    int Closes = 0;
  };
  // Opens and closes of files (not folders) since the last call.
  TCounts Take();

 private:
  int FFd = -1;
};
