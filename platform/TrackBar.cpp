#include "platform/TrackBar.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>
#include <algorithm>

#include "platform/Handler.h"

TTrackBar::TTrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
  setRange(0, 10);
  setTickPosition(QSlider::NoTicks);
  // QSlider clamps its value to the range and signals only real changes,
  // whether the user moved the thumb or the program set it.
  connect(this, &QSlider::valueChanged, this, [this](int value) { PositionChanged(value); });
}

void TTrackBar::SetMin(int value) { setMinimum(value); }

void TTrackBar::SetMax(int value) { setMaximum(value); }

void TTrackBar::SetPosition(int value) { setValue(value); }

void TTrackBar::PositionChanged(int value) {
  position_ = value;
  if (OnChange) RunHandler(OnChange);
}

void TTrackBar::SetSelStart(int value) {
  if (value == selStart_) return;
  selStart_ = value;
  update();
}

void TTrackBar::SetSelEnd(int value) {
  if (value == selEnd_) return;
  selEnd_ = value;
  repaint_.Request();
}

void TTrackBar::paintEvent(QPaintEvent* event) {
  QSlider::paintEvent(event);
  const int from = std::clamp(std::min(selStart_, selEnd_), minimum(), maximum());
  const int to = std::clamp(std::max(selStart_, selEnd_), minimum(), maximum());
  if (from == to) return;

  QStyleOptionSlider option;
  initStyleOption(&option);
  const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
  const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
  const int span = groove.width() - handle.width();
  const int x0 = groove.left() + handle.width() / 2 +
                 QStyle::sliderPositionFromValue(minimum(), maximum(), from, span);
  const int x1 = groove.left() + handle.width() / 2 +
                 QStyle::sliderPositionFromValue(minimum(), maximum(), to, span);

  // The selection runs along the channel just below its centre line.
  QPainter painter(this);
  painter.fillRect(QRect(QPoint(x0, groove.center().y() + 2), QPoint(x1, groove.center().y() + 4)),
                   palette().color(QPalette::Highlight));
}
