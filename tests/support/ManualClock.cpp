#include "support/ManualClock.h"

#include <functional>

#include "platform/TimerDriver.h"

class TManualClock::Driver final : public TTimerDriver {
 public:
  Driver(TManualClock& clock, std::function<void()> tick) : clock_(clock), tick_(std::move(tick)) {
    clock_.drivers_.insert(this);
  }
  ~Driver() override { clock_.drivers_.erase(this); }

  void Start(unsigned intervalMs) override {
    running_ = true;
    interval_ = intervalMs;
    due_ = clock_.now_ + intervalMs;
  }
  void Stop() override { running_ = false; }

  bool running_ = false;
  unsigned interval_ = 0;
  std::uint64_t due_ = 0;
  TManualClock& clock_;
  std::function<void()> tick_;
};

TManualClock::TManualClock() {
  SetTimerDriverFactory([this](std::function<void()> tick) -> std::unique_ptr<TTimerDriver> {
    return std::make_unique<Driver>(*this, std::move(tick));
  });
}

TManualClock::~TManualClock() { SetTimerDriverFactory(nullptr); }

void TManualClock::Advance(std::uint64_t ms) {
  const std::uint64_t target = now_ + ms;
  for (;;) {
    Driver* next = nullptr;
    for (Driver* d : drivers_) {
      if (d->running_ && d->due_ <= target && (!next || d->due_ < next->due_)) next = d;
    }
    if (!next) break;
    now_ = next->due_;
    next->due_ += next->interval_;
    next->tick_();  // may restart, stop or destroy timers
  }
  if (now_ < target) now_ = target;  // a nested Advance may have gone further
}
