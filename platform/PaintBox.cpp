#include "platform/PaintBox.h"

#include <QPaintEvent>
#include <QPainter>

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);  // the frame covers the whole box
  FitFrame();
}

void TPaintBox::FitFrame() {
  if (FFrame.size() == size()) return;
  QImage fitted(size(), QImage::Format_RGB32);
  fitted.fill(palette().color(QPalette::Window));
  CopyBlock(fitted, 0, 0, FFrame.width(), FFrame.height(), FFrame, 0, 0);
  FFrame = std::move(fitted);
}

void TPaintBox::BitBlt(int x, int y, int w, int h, const QImage& src, int sx, int sy) {
  FitFrame();  // a hidden box learns its new size only when shown
  CopyBlock(FFrame, x, y, w, h, src, sx, sy);
  FRepaint.Request();  // every frame is kept; the screen sees the newest one
}

void TPaintBox::resizeEvent(QResizeEvent*) { FitFrame(); }

void TPaintBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.drawImage(event->rect(), FFrame, event->rect());
}
