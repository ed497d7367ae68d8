#pragma once
// The trace log: one time-stamped line per Write, appended to a plain text
// file that is opened and closed for every line, so the file is complete after
// each call and another program can read it meanwhile. Errors never leave
// SetEnabled or Write: a lost line must not stop the start-up or the tick.

#include <cstdint>
#include <string>
#include <string_view>

class TLog {
 public:
  std::string FileName;      // full path of the log file
  std::uint32_t Level = 0;   // the highest message level written

  bool Enabled() const { return FEnabled; }

  // true: creates the file or empties it; when that fails logging stays off.
  // false: logging off, the file untouched.
  void SetEnabled(bool Value) noexcept;

  // Appends "date time text" and CR LF when logging is on and MsgLevel is not
  // above Level; recreates a file deleted meanwhile. Allocates nothing and
  // never blocks on a FIFO: it runs on the 10 ms sound tick.
  void Write(std::uint8_t MsgLevel, std::string_view Text) noexcept;

 private:
  bool FEnabled = false;
};

// The program's one log, created at start-up and kept until the process ends.
extern TLog* AppLog;
