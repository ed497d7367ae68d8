#pragma once
// Serial lines for tests: records every line change in order; can refuse one.

#include <string>
#include <vector>

#include "platform/ComPort.h"

class TRecordingPort final : public TSerialLines {
 public:
  bool Connected() const override { return connected; }
  void SetDTR(bool on) override { Change("DTR", on); }
  void SetRTS(bool on) override { Change("RTS", on); }

  bool connected = true;
  bool dtr = false;
  bool rts = false;
  std::vector<std::string> changes;  // "DTR+", "RTS-", ...
  // The next change of this line ("DTR" or "RTS") is refused with error 25.
  std::string refuse;

 private:
  void Change(const std::string& line, bool on) {
    if (line == refuse) {
      refuse.clear();
      throw EComPort("EscapeCommFunction function failed (Error: 25)", 25);
    }
    (line == "DTR" ? dtr : rts) = on;
    changes.push_back(line + (on ? "+" : "-"));
  }
};
