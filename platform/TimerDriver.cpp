#include "platform/TimerDriver.h"

#include <QTimer>

namespace {

class QtTimerDriver final : public TTimerDriver {
 public:
  explicit QtTimerDriver(std::function<void()> tick) {
    // A coarse timer may stretch 10 ms ticks by up to 5 %; the sound tick needs its 100 a second.
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, std::move(tick));
  }
  void Start(unsigned intervalMs) override { timer_.start(static_cast<int>(intervalMs)); }
  void Stop() override { timer_.stop(); }

 private:
  QTimer timer_;
};

TTimerDriverFactory& Factory() {
  static TTimerDriverFactory factory;
  return factory;
}

}  // namespace

void SetTimerDriverFactory(TTimerDriverFactory factory) { Factory() = std::move(factory); }

std::unique_ptr<TTimerDriver> MakeTimerDriver(std::function<void()> tick) {
  if (Factory()) return Factory()(std::move(tick));
  return std::make_unique<QtTimerDriver>(std::move(tick));
}
