#include "platform/RepaintThrottle.h"

#include <QBasicTimer>
#include <QObject>
#include <QTimerEvent>
#include <QWidget>

#include <algorithm>
#include <vector>

// The frame clock of all throttles: one periodic timer that runs while changes
// come in and stops after a frame with nothing to show. A steady stream of
// changes therefore costs one timer event per frame and no timer set-up.
// It exists while at least one throttle does; everything runs on the
// user-interface thread.
class TFrameClock : public QObject {
 public:
  static void Join(TRepaintThrottle* throttle) {
    if (!instance_) instance_ = new TFrameClock;
    instance_->throttles_.push_back(throttle);
  }

  static void Leave(TRepaintThrottle* throttle) {
    auto& list = instance_->throttles_;
    list.erase(std::remove(list.begin(), list.end(), throttle), list.end());
    if (list.empty()) {
      delete instance_;
      instance_ = nullptr;
    }
  }

  static void Wake() {
    QBasicTimer& timer = instance_->timer_;
    if (!timer.isActive()) timer.start(TRepaintThrottle::kPeriodMs, Qt::CoarseTimer, instance_);
  }

 protected:
  void timerEvent(QTimerEvent* event) override {
    if (event->timerId() != timer_.timerId()) return QObject::timerEvent(event);
    bool shown = false;
    for (TRepaintThrottle* throttle : throttles_) {
      if (!throttle->pending_) continue;
      throttle->pending_ = false;
      throttle->widget_->update();
      shown = true;
    }
    if (!shown) timer_.stop();
  }

 private:
  static inline TFrameClock* instance_ = nullptr;
  QBasicTimer timer_;
  std::vector<TRepaintThrottle*> throttles_;
};

TRepaintThrottle::TRepaintThrottle(QWidget* widget) : widget_(widget) { TFrameClock::Join(this); }

TRepaintThrottle::~TRepaintThrottle() { TFrameClock::Leave(this); }

void TRepaintThrottle::Request() {
  if (!widget_->isVisible()) return;
  pending_ = true;
  TFrameClock::Wake();
}
