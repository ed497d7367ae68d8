#include "controls/Led1.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace {

// One colour channel of a gradient step: the step size is cut toward zero, so
// the last step may stop short of the second colour.
int StepOf(int from, int to, int steps) { return (to == from || steps == 0) ? 0 : (to - from) / steps; }

}  // namespace

TLed::TLed(QWidget* parent) : QWidget(parent) { resize(10, 33); }

void TLed::Paint() {
  FPicture.SetSize(width(), height());  // reallocates only after the control was resized
  // Every paint starts on a fresh surface whose pen stands at the top-left
  // corner; the brush, like the canvas's other settings, stays as it was.
  FPicture.Canvas().MoveTo(0, 0);
  switch (FStyle) {
    case lsGradient1:
    case lsGradient2:
      PaintGradient();
      break;
    case lsAlternative:
      PaintAlternative();
      break;
    default:  // an unknown style draws nothing
      break;
  }
  ++FPaintCount;
  FPainted = true;
  if (!FInPaintEvent) update();
}

void TLed::PaintGradient() {
  TCanvas& canvas = FPicture.Canvas();
  const int W = width(), H = height();
  const TColor A = FOn ? FColor1 : FOffColor1;
  const TColor B = FOn ? FColor2 : FOffColor2;
  // lsGradient1 counts steps from the larger side, lsGradient2 from the smaller.
  const int side = ((H >= W) == (FStyle == lsGradient1)) ? H : W;
  // A side under 3 pixels leaves no room for a gradient: one rectangle in A.
  const int steps = side < 3 ? 0 : std::uint16_t(side - 1) / 2;
  const int dr = StepOf(RedOf(A), RedOf(B), steps);
  const int dg = StepOf(GreenOf(A), GreenOf(B), steps);
  const int db = StepOf(BlueOf(A), BlueOf(B), steps);
  for (int k = 0; k <= steps; ++k) {
    const TColor color = RGBColor(RedOf(A) + k * dr, GreenOf(A) + k * dg, BlueOf(A) + k * db);
    canvas.SetPenColor(color);
    if (!FDiagShining) canvas.SetBrushColor(color);
    canvas.RoundRect(k, k, W - k - 1, H - k - 1, FRadius, FRadius);
    // Only the first step's line has length: after it the pen stands at (W, H).
    canvas.LineTo(W, H);
  }
}

void TLed::PaintAlternative() {
  TCanvas& canvas = FPicture.Canvas();
  const int W = width(), H = height();
  const TColor A = FOn ? FColor1 : FOffColor1;
  const TColor B = FOn ? FColor2 : FOffColor2;
  const int rings = (W - 1) / 4 + 1;  // the width alone sets the count
  for (int a = 0; a < rings; ++a) {
    canvas.SetPenColor(A);
    if (!FDiagShining) canvas.SetBrushColor(B);
    canvas.RoundRect(2 * a, 2 * a, W - 2 * a - 1, H - 2 * a - 1, FRadius, FRadius);
    canvas.SetPenColor(B);
    if (!FDiagShining) canvas.SetBrushColor(A);
    canvas.RoundRect(2 * a + 1, 2 * a + 1, W - 2 * a - 2, H - 2 * a - 2, FRadius, FRadius);
  }
}

void TLed::Click() {
  if (!FClickAction) return;
  FOn = !FOn;
  Paint();
}

void TLed::DblClick() {
  if (!FDblClickAction) return;
  FOn = !FOn;
  Paint();
}

void TLed::paintEvent(QPaintEvent*) {
  // The picture is kept up to date by Paint(); draw it afresh only when the
  // control has never been painted or has changed size since.
  if (!FPainted || FPicture.Width() != width() || FPicture.Height() != height()) {
    FInPaintEvent = true;
    Paint();
    FInPaintEvent = false;
  }
  QPainter painter(this);
  painter.drawImage(0, 0, FPicture.Image());
}

void TLed::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) FPressed = true;
}

void TLed::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const bool clicked = FPressed && rect().contains(event->position().toPoint());
  FPressed = false;
  if (!clicked) return;
  Click();
  if (OnClick) OnClick();
}

void TLed::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  FPressed = false;  // the release that ends a double click is no click of its own
  DblClick();
  if (OnDblClick) OnDblClick();
}
