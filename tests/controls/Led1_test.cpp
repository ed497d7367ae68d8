// The LED: defaults, gradient steps and colours, alternating rings, unknown
// styles, DiagShining, repaint on change only, and the click rules.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <vector>

#include "controls/Led1.h"

namespace {

TColor At(TLed& led, int x, int y) { return led.Canvas().Pixels(x, y); }

TEST(Led, ConstructorDefaultsPaintNothing) {
  TLed led;
  EXPECT_EQ(led.width(), 10);
  EXPECT_EQ(led.height(), 33);
  EXPECT_EQ(led.Style(), lsGradient2);
  EXPECT_EQ(led.Color1(), clBlack);
  EXPECT_EQ(led.Color2(), RGBColor(255, 255, 0));
  EXPECT_EQ(led.OffColor1(), clBlack);
  EXPECT_EQ(led.OffColor2(), RGBColor(255, 255, 255));
  EXPECT_EQ(led.Radius(), 1);
  EXPECT_FALSE(led.On());
  EXPECT_FALSE(led.DiagShining());
  EXPECT_FALSE(led.ClickAction());
  EXPECT_FALSE(led.DblClickAction());
  EXPECT_EQ(led.PaintCount(), 0);
}

struct GradientCase {
  const char* name;
  int w, h;
  tLedStyle style;
  TColor a, b;
  int steps;          // M: the routine draws M + 1 steps
  int dr, dg, db;     // the step per channel, cut toward zero
  int visibleSteps;   // steps whose rim shows on the middle row, from the left
};

// Along the middle row each column c shows the rim of step c, in colour A + c * D.
TEST(LedGradient, StepCountsAndColoursAlongTheMiddleRow) {
  const TColor warm = RGBColor(255, 128, 0), cool = RGBColor(128, 255, 255);
  const GradientCase cases[] = {
      {"30 x 29, larger side", 30, 29, lsGradient1, warm, cool, 14, -9, 9, 18, 14},
      {"30 x 29, smaller side", 30, 29, lsGradient2, warm, cool, 14, -9, 9, 18, 14},
      {"40 x 20, larger side", 40, 20, lsGradient1, warm, cool, 19, -6, 6, 13, 20},
      {"40 x 20, smaller side", 40, 20, lsGradient2, warm, cool, 9, -14, 14, 28, 10},
      {"dark to bright green", 30, 29, lsGradient2, RGBColor(0, 128, 0), RGBColor(0, 255, 0), 14, 0, 9, 0, 14},
      {"equal colours", 30, 29, lsGradient1, RGBColor(100, 50, 25), RGBColor(100, 50, 25), 14, 0, 0, 0, 14},
  };
  for (const GradientCase& c : cases) {
    for (bool on : {true, false}) {
      TLed led;
      led.resize(c.w, c.h);
      led.SetStyle(c.style);
      // The pair in use follows On; the other pair is a decoy.
      led.SetColor1(on ? c.a : clMaroon);
      led.SetColor2(on ? c.b : clMaroon);
      led.SetOffColor1(on ? clMaroon : c.a);
      led.SetOffColor2(on ? clMaroon : c.b);
      led.SetOn(on);
      const int row = (c.h - 1) / 2;
      for (int k = 0; k < c.visibleSteps; ++k) {
        const TColor expected =
            RGBColor(RedOf(c.a) + k * c.dr, GreenOf(c.a) + k * c.dg, BlueOf(c.a) + k * c.db);
        EXPECT_EQ(At(led, k, row), expected) << c.name << ", step " << k << (on ? ", on" : ", off");
      }
    }
  }
}

TEST(LedGradient, TheSpecimenNumbers) {
  TLed led;
  led.resize(30, 29);
  led.SetColor1(RGBColor(255, 128, 0));
  led.SetColor2(RGBColor(128, 255, 0));
  led.SetOn(true);
  EXPECT_EQ(At(led, 0, 14), RGBColor(255, 128, 0));
  EXPECT_EQ(At(led, 1, 14), RGBColor(246, 137, 0));   // -9 (not -10), +9
  EXPECT_EQ(At(led, 13, 14), RGBColor(138, 245, 0));
}

// With rounded corners each step leaves its corner pixel uncovered, so the
// previous step's inside shows there: a diagonal from the corners inward. With
// DiagShining that inside is whatever brush the canvas holds.
TEST(LedGradient, DiagShiningFillsWithTheBrushTheCanvasHolds) {
  const auto step = [](int k) { return RGBColor(0, 128 + 9 * k, 0); };
  TLed led;
  led.resize(30, 29);
  led.SetRadius(3);
  led.SetColor1(step(0));
  led.SetColor2(RGBColor(0, 255, 0));
  led.SetOn(true);
  EXPECT_EQ(At(led, 3, 3), step(2));
  EXPECT_EQ(At(led, 3, 14), step(3));
  EXPECT_EQ(led.Canvas().BrushColor(), step(14));
  // Only the pen follows the gradient now; the brush left from before fills.
  led.SetDiagShining(true);
  EXPECT_EQ(At(led, 3, 3), step(14));
  EXPECT_EQ(At(led, 3, 14), step(3));
  EXPECT_EQ(At(led, 26, 25), step(14));  // the bottom-right corners alike
  // On a new canvas the brush is white.
  TLed fresh;
  fresh.resize(30, 29);
  fresh.SetDiagShining(true);  // before anything has set the brush
  fresh.SetRadius(3);
  EXPECT_EQ(At(fresh, 3, 3), clWhite);
  EXPECT_EQ(At(fresh, 0, 14), fresh.OffColor1());
}

TEST(LedAlternative, RingsAlternateAndTheWidthSetsTheirCount) {
  const TColor a = clRed, b = clLime;
  TLed led;
  led.resize(30, 60);
  led.SetColor1(a);
  led.SetColor2(b);
  led.SetStyle(lsAlternative);
  led.SetOn(true);
  for (int x = 0; x < 14; ++x) EXPECT_EQ(At(led, x, 30), x % 2 == 0 ? a : b) << x;
  // (30 - 1) div 4 + 1 = 8 rings. Only the eighth ring's second rectangle,
  // one column wide, leaves B in the centre column: seven or nine rings leave A.
  EXPECT_EQ(At(led, 14, 30), b);
  EXPECT_EQ(At(led, 14, 20), b);
}

TEST(LedStyle, AStyleOutsideTheThreePaintsNothing) {
  TLed fresh;
  fresh.resize(12, 12);
  fresh.SetStyle(tLedStyle(7));
  EXPECT_EQ(fresh.PaintCount(), 1);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) ASSERT_EQ(qAlpha(fresh.Picture().pixel(x, y)), 0) << x << "," << y;

  TLed led;
  led.resize(12, 12);
  led.SetOn(true);
  const QImage before = led.Picture().copy();
  led.SetStyle(tLedStyle(3));
  led.SetOn(false);
  EXPECT_EQ(led.Picture(), before);
}

// Each painting property: a new value paints once, the same value not at all.
TEST(LedProperties, PaintOnlyOnARealChange) {
  TLed led;
  struct Setter {
    const char* name;
    std::function<void()> change;
  };
  const Setter setters[] = {
      {"Style", [&] { led.SetStyle(lsAlternative); }},
      {"Color1", [&] { led.SetColor1(clRed); }},
      {"Color2", [&] { led.SetColor2(clRed); }},
      {"OffColor1", [&] { led.SetOffColor1(clRed); }},
      {"OffColor2", [&] { led.SetOffColor2(clRed); }},
      {"Radius", [&] { led.SetRadius(3); }},
      {"On", [&] { led.SetOn(true); }},
      {"DiagShining", [&] { led.SetDiagShining(true); }},
  };
  for (const Setter& s : setters) {
    const int before = led.PaintCount();
    s.change();
    EXPECT_EQ(led.PaintCount(), before + 1) << s.name;
    s.change();
    EXPECT_EQ(led.PaintCount(), before + 1) << s.name << " again";
  }
  EXPECT_EQ(led.Style(), lsAlternative);
  EXPECT_EQ(led.Radius(), 3);
  const int before = led.PaintCount();
  led.SetClickAction(true);
  led.SetDblClickAction(true);
  led.SetClickAction(false);
  EXPECT_EQ(led.PaintCount(), before);
  EXPECT_FALSE(led.ClickAction());
  EXPECT_TRUE(led.DblClickAction());
}

TEST(LedClick, TogglesOnlyWhenAsked) {
  TLed led;
  led.Click();
  led.DblClick();
  EXPECT_FALSE(led.On());
  EXPECT_EQ(led.PaintCount(), 0);
  led.SetClickAction(true);
  led.Click();
  EXPECT_TRUE(led.On());
  led.Click();
  EXPECT_FALSE(led.On());
  EXPECT_EQ(led.PaintCount(), 2);
  led.DblClick();
  EXPECT_FALSE(led.On());
  led.SetDblClickAction(true);
  led.DblClick();
  EXPECT_TRUE(led.On());
  EXPECT_EQ(led.PaintCount(), 3);
}

void Send(TLed& led, QEvent::Type type, QPointF at) {
  QMouseEvent event(type, at, led.mapToGlobal(at), Qt::LeftButton,
                    type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&led, &event);
}

TEST(LedClick, MouseClicksReachClickThenTheOwnersHandler) {
  TLed led;
  led.SetClickAction(true);
  led.SetDblClickAction(true);
  std::vector<std::string> calls;
  led.OnClick = [&] { calls.push_back(led.On() ? "click, on" : "click, off"); };
  led.OnDblClick = [&] { calls.push_back(led.On() ? "double, on" : "double, off"); };
  // A click: press and release inside.
  Send(led, QEvent::MouseButtonPress, {3, 3});
  Send(led, QEvent::MouseButtonRelease, {3, 3});
  // Released outside: no click.
  Send(led, QEvent::MouseButtonPress, {3, 3});
  Send(led, QEvent::MouseButtonRelease, {30, 3});
  // A double click: press, release, double-click, release.
  Send(led, QEvent::MouseButtonPress, {3, 3});
  Send(led, QEvent::MouseButtonRelease, {3, 3});
  Send(led, QEvent::MouseButtonDblClick, {3, 3});
  Send(led, QEvent::MouseButtonRelease, {3, 3});
  EXPECT_EQ(calls, (std::vector<std::string>{"click, on", "click, off", "double, on"}));
}

}  // namespace
