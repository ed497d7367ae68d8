#pragma once
// A window timer with the classic rules the engine's timing relies on:
//  1. setting Enabled or Interval to its present value does nothing;
//  2. any other change stops the timer and, if it may run (enabled, interval above 0,
//     a handler assigned), starts a full period from the moment of the change;
//  3. an interval of 0 never ticks.
// Ticks run the handler through the handler guard, so an error in it is reported
// and the next tick comes as usual.

#include <functional>
#include <memory>

#include "platform/TimerDriver.h"

class TTimer {
 public:
  explicit TTimer(unsigned interval = 1000, bool enabled = true);
  ~TTimer();
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned value);
  void SetOnTimer(std::function<void()> handler);

  // True while the timer counts towards a tick.
  bool Running() const { return running_; }

 private:
  void Update();
  void Tick();

  unsigned interval_;
  bool enabled_;
  bool running_ = false;
  std::function<void()> onTimer_;
  std::unique_ptr<TTimerDriver> driver_;
};
