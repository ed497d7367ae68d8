#pragma once
// What actually schedules a timer's ticks. The program uses Qt's precise timer;
// tests install a manual clock so they can step time without sleeping.

#include <functional>
#include <memory>

class TTimerDriver {
 public:
  virtual ~TTimerDriver() = default;
  // Ticks every intervalMs from now on, replacing any earlier schedule.
  virtual void Start(unsigned intervalMs) = 0;
  virtual void Stop() = 0;
};

using TTimerDriverFactory = std::function<std::unique_ptr<TTimerDriver>(std::function<void()> tick)>;

// Replaces the factory used by timers created from now on; an empty one restores Qt's.
void SetTimerDriverFactory(TTimerDriverFactory factory);
std::unique_ptr<TTimerDriver> MakeTimerDriver(std::function<void()> tick);
