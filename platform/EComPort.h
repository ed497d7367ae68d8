#pragma once
// The serial port component's own error: a port that cannot be opened or set up,
// or a line change the system refuses.

#include <stdexcept>
#include <string>

class EComPort : public std::runtime_error {
 public:
  // Code is the system error number behind the failure (errno), 0 when there is none.
  EComPort(const std::string& Message, int Code) : std::runtime_error(Message), FCode(Code) {}
  int Code() const { return FCode; }

 private:
  int FCode;
};
