#include "platform/RepaintThrottle.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

namespace {

// Records which state each paint showed.
class TCountingWidget : public QWidget {
 public:
  int state = 0;
  std::vector<int> painted;

 protected:
  void paintEvent(QPaintEvent*) override { painted.push_back(state); }
};

void RunEventsFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

TEST(RepaintThrottle, ABurstOfChangesIsShownOnceMoreWithTheNewestState) {
  TCountingWidget widget;
  widget.resize(20, 20);
  widget.show();
  RunEventsFor(2 * TRepaintThrottle::kPeriodMs);
  widget.painted.clear();

  TRepaintThrottle throttle(&widget);
  for (int i = 1; i <= 10; ++i) {  // ten ticks' worth of changes, as fast as they come
    widget.state = i;
    throttle.Request();
  }
  RunEventsFor(4 * TRepaintThrottle::kPeriodMs);

  ASSERT_FALSE(widget.painted.empty());
  EXPECT_LT(widget.painted.size(), 10u);
  EXPECT_EQ(widget.painted.back(), 10);  // the last change is never left unshown
}

TEST(RepaintThrottle, HiddenWidgetSchedulesNothing) {
  TCountingWidget widget;
  TRepaintThrottle throttle(&widget);
  throttle.Request();
  RunEventsFor(2 * TRepaintThrottle::kPeriodMs);
  EXPECT_TRUE(widget.painted.empty());
}

}  // namespace
