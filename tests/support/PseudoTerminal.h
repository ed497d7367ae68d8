#pragma once
// A pseudo-terminal pair for serial port tests: the test keeps the master side,
// the code under test opens the slave by its path.

#include <string>

class TPseudoTerminal {
 public:
  TPseudoTerminal();  // throws std::runtime_error when no pseudo-terminal can be had
  ~TPseudoTerminal();
  TPseudoTerminal(const TPseudoTerminal&) = delete;
  TPseudoTerminal& operator=(const TPseudoTerminal&) = delete;

  const std::string& SlavePath() const { return FSlavePath; }
  // Terminal settings of the slave can be read through the master.
  int MasterFd() const { return FMasterFd; }

 private:
  int FMasterFd = -1;
  std::string FSlavePath;
};
