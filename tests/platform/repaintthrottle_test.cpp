#include "platform/RepaintThrottle.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <memory>

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

// Counts the paint passes of a window: Qt paints all dirty widgets of a window
// in one pass, started by one update request to the window.
class TPassCounter : public QObject {
 public:
  int passes = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::UpdateRequest) ++passes;
    return false;
  }
};

// Records the paint pass each paint belonged to.
class TPassWidget : public QWidget {
 public:
  TPassWidget(QWidget* parent, const TPassCounter& counter) : QWidget(parent), counter_(counter) {}
  std::vector<int> passes;

 protected:
  void paintEvent(QPaintEvent*) override { passes.push_back(counter_.passes); }

 private:
  const TPassCounter& counter_;
};

TEST(RepaintThrottle, WidgetsChangedWithinOnePeriodArePaintedInOnePass) {
  QWidget window;
  TPassCounter counter;
  window.installEventFilter(&counter);
  TPassWidget spectrum(&window, counter), level(&window, counter);
  spectrum.setGeometry(0, 0, 20, 20);
  level.setGeometry(0, 30, 20, 20);
  window.resize(20, 50);
  window.show();
  RunEventsFor(2 * TRepaintThrottle::kPeriodMs);

  TRepaintThrottle spectrumRepaint(&spectrum), levelRepaint(&level);
  for (int frame = 0; frame < 3; ++frame) {
    spectrum.passes.clear();
    level.passes.clear();
    spectrumRepaint.Request();
    RunEventsFor(TRepaintThrottle::kPeriodMs / 4);  // the level moves a little later
    levelRepaint.Request();
    RunEventsFor(3 * TRepaintThrottle::kPeriodMs);

    ASSERT_EQ(spectrum.passes.size(), 1u) << "frame " << frame;
    ASSERT_EQ(level.passes.size(), 1u) << "frame " << frame;
    EXPECT_EQ(spectrum.passes[0], level.passes[0]) << "frame " << frame;
  }
}

TEST(RepaintThrottle, ThrottleGoneBeforeItsFrameLeavesNothingBehind) {
  TCountingWidget widget, other;
  widget.resize(20, 20);
  widget.show();
  other.resize(20, 20);
  other.show();
  RunEventsFor(2 * TRepaintThrottle::kPeriodMs);
  widget.painted.clear();
  other.painted.clear();

  TRepaintThrottle otherRepaint(&other);
  auto repaint = std::make_unique<TRepaintThrottle>(&widget);
  widget.state = 1;
  repaint->Request();
  other.state = 2;
  otherRepaint.Request();
  repaint.reset();  // e.g. its widget is destroyed before the frame
  RunEventsFor(3 * TRepaintThrottle::kPeriodMs);

  EXPECT_TRUE(widget.painted.empty());
  ASSERT_FALSE(other.painted.empty());
  EXPECT_EQ(other.painted.back(), 2);
}

TEST(RepaintThrottle, HiddenWidgetSchedulesNothing) {
  TCountingWidget widget;
  TRepaintThrottle throttle(&widget);
  throttle.Request();
  RunEventsFor(2 * TRepaintThrottle::kPeriodMs);
  EXPECT_TRUE(widget.painted.empty());
}

}  // namespace
