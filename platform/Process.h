#pragma once
// Ending the process. Every way out (a closed main window, the exit command, a
// fatal start-up error) runs the main window's teardown exactly once first, even
// when the end is requested from inside start-up or from inside the teardown's caller.

#include <functional>

// Thrown instead of ending the process when a test has installed an exit function.
struct TProcessEnded {
  int Status;
};

class TProcess {
 public:
  // The main window's teardown; run at most once per process.
  static void SetTeardown(std::function<void()> teardown);
  // Runs the teardown unless it already ran (or is running).
  static void RunTeardown();
  static bool TeardownDone();
  // Runs the teardown, then ends the process with the status; never returns.
  [[noreturn]] static void End(int status);
  // Tests: replace how the process ends (the function must not return; throw TProcessEnded).
  static void SetExitFunction(std::function<void(int)> exitFunction);
  // Tests: forget the teardown and its state.
  static void Reset();
};
