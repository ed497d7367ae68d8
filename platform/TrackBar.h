#pragma once
// A horizontal track bar: Position stays within Min..Max, the change handler runs
// only when the position really changes (by the user or by the program), and a
// selection range SelStart..SelEnd is drawn on the channel beside the thumb.

#include <QSlider>
#include <functional>
#include <string>

#include "platform/RepaintThrottle.h"

class TTrackBar : public QSlider {
 public:
  explicit TTrackBar(QWidget* parent = nullptr);

  int Min() const { return minimum(); }
  void SetMin(int value);
  int Max() const { return maximum(); }
  void SetMax(int value);
  int Position() const { return position_; }
  void SetPosition(int value);
  int SelStart() const { return selStart_; }
  void SetSelStart(int value);
  int SelEnd() const { return selEnd_; }
  void SetSelEnd(int value);

  std::function<void()> OnChange;
  // Stored like the designer's hint; the window never shows hints.
  std::string Hint;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void PositionChanged(int value);

  int position_ = 0;
  int selStart_ = 0;
  int selEnd_ = 0;
  TRepaintThrottle repaint_{this};  // the level display moves on every tick
};
