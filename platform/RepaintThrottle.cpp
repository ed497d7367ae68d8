#include "platform/RepaintThrottle.h"

#include <QWidget>

TRepaintThrottle::TRepaintThrottle(QWidget* widget) : widget_(widget) {
  pending_.setSingleShot(true);
  QObject::connect(&pending_, &QTimer::timeout, widget_, [this] { Flush(); });
}

void TRepaintThrottle::Request() {
  if (!widget_->isVisible() || pending_.isActive()) return;
  const qint64 elapsed = sinceFlush_.isValid() ? sinceFlush_.elapsed() : kPeriodMs;
  if (elapsed >= kPeriodMs)
    Flush();
  else
    pending_.start(static_cast<int>(kPeriodMs - elapsed));
}

void TRepaintThrottle::Flush() {
  sinceFlush_.restart();
  widget_->update();
}
