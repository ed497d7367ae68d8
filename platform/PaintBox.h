#pragma once
// The window's drawing surface: it takes finished pictures as block copies and
// shows them. Each block lands in the box's own image before the widget is asked
// to repaint, so the screen only ever shows whole frames.

#include <QImage>
#include <QWidget>

#include "platform/RepaintThrottle.h"

#include "platform/Canvas.h"

class TPaintBox : public QWidget, public TDeviceContext {
 public:
  explicit TPaintBox(QWidget* parent = nullptr);

  // Copies the block into Frame() and schedules a repaint. Frame() follows the
  // widget's size; it is reallocated only when that size has changed.
  void BitBlt(int x, int y, int w, int h, const QImage& src, int sx, int sy) override;
  const QImage& Frame() const { return FFrame; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void FitFrame();

  QImage FFrame;
  TRepaintThrottle FRepaint{this};
};
