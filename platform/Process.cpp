#include "platform/Process.h"

#include <cstdio>
#include <cstdlib>

namespace {

struct ProcessState {
  std::function<void()> teardown;
  bool started = false;
  std::function<void(int)> exitFunction;
};

ProcessState& State() {
  static ProcessState state;
  return state;
}

}  // namespace

void TProcess::SetTeardown(std::function<void()> teardown) { State().teardown = std::move(teardown); }

void TProcess::RunTeardown() {
  ProcessState& state = State();
  if (state.started || !state.teardown) return;
  state.started = true;
  state.teardown();
}

bool TProcess::TeardownDone() { return State().started; }

void TProcess::End(int status) {
  RunTeardown();
  if (State().exitFunction) {
    State().exitFunction(status);
    throw TProcessEnded{status};  // an exit function that returned still must not return here
  }
  std::fflush(nullptr);
  // The teardown has released what matters (settings written, sound closed, serial
  // port closed); skip static destructors that would run under a live event loop.
  std::_Exit(status);
}

void TProcess::SetExitFunction(std::function<void(int)> exitFunction) {
  State().exitFunction = std::move(exitFunction);
}

void TProcess::Reset() {
  State().teardown = nullptr;
  State().started = false;
}
