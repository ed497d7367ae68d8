#pragma once
// Limits how often a widget that changes on every 10 ms tick is sent to the
// screen. Each flush to the display costs far more than the drawing itself, and
// a screen refreshes far slower than 100 times a second; the newest state is
// always shown within one period, and a change is never left unshown.

#include <QElapsedTimer>
#include <QTimer>

class QWidget;

class TRepaintThrottle {
 public:
  static constexpr int kPeriodMs = 40;

  explicit TRepaintThrottle(QWidget* widget);
  // The widget has changed: repaint now, or once the period since the last repaint is over.
  void Request();

 private:
  void Flush();

  QWidget* widget_;
  QElapsedTimer sinceFlush_;
  QTimer pending_;
};
