#pragma once
// Limits how often a widget that changes on every 10 ms tick is sent to the
// screen. Each flush to the display costs far more than the drawing itself, and
// a screen refreshes far slower than 100 times a second. All throttled widgets
// share one frame clock, so the changes of one period reach the screen together,
// in one paint pass and one flush. A change is shown at the next frame, within
// one period, always with the newest state; none is left unshown.

class QWidget;

class TRepaintThrottle {
 public:
  static constexpr int kPeriodMs = 40;

  explicit TRepaintThrottle(QWidget* widget);
  ~TRepaintThrottle();
  TRepaintThrottle(const TRepaintThrottle&) = delete;
  TRepaintThrottle& operator=(const TRepaintThrottle&) = delete;

  // The widget has changed: it is repainted at the next frame.
  void Request();

 private:
  friend class TFrameClock;

  QWidget* widget_;
  bool pending_ = false;
};
