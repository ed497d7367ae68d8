#pragma once
// A small indicator lamp: concentric rounded rectangles in a colour gradient or
// in alternating rings, with one pair of colours while on and another while off.

#include <QWidget>
#include <cstdint>
#include <functional>

#include "platform/Bitmap.h"
#include "platform/Types.h"

enum tLedStyle : std::uint8_t { lsGradient1, lsGradient2, lsAlternative };

class TLed : public QWidget {
 public:
  // 10 x 33 pixels with the default settings; paints nothing yet.
  explicit TLed(QWidget* parent = nullptr);

  // Setters store a different value and repaint at once; an equal value does
  // nothing. ClickAction and DblClickAction never repaint.
  tLedStyle Style() const { return FStyle; }
  void SetStyle(tLedStyle value) { Change(FStyle, value); }
  TColor Color1() const { return FColor1; }
  void SetColor1(TColor value) { Change(FColor1, value); }
  TColor Color2() const { return FColor2; }
  void SetColor2(TColor value) { Change(FColor2, value); }
  TColor OffColor1() const { return FOffColor1; }
  void SetOffColor1(TColor value) { Change(FOffColor1, value); }
  TColor OffColor2() const { return FOffColor2; }
  void SetOffColor2(TColor value) { Change(FOffColor2, value); }
  std::uint8_t Radius() const { return FRadius; }
  void SetRadius(std::uint8_t value) { Change(FRadius, value); }
  bool On() const { return FOn; }
  void SetOn(bool value) { Change(FOn, value); }
  bool DiagShining() const { return FDiagShining; }
  void SetDiagShining(bool value) { Change(FDiagShining, value); }
  bool ClickAction() const { return FClickAction; }
  void SetClickAction(bool value) { FClickAction = value; }
  bool DblClickAction() const { return FDblClickAction; }
  void SetDblClickAction(bool value) { FDblClickAction = value; }

  // The owner's handlers, raised by a mouse click or double click after
  // Click()/DblClick() have done their part.
  std::function<void()> OnClick;
  std::function<void()> OnDblClick;

  // Draws the lamp into Picture() and has the widget show it.
  virtual void Paint();
  // Toggle On and repaint when ClickAction (DblClickAction) is set.
  virtual void Click();
  virtual void DblClick();

  // The lamp's canvas; its pen and brush persist from one paint to the next.
  TCanvas& Canvas() { return FPicture.Canvas(); }
  const QImage& Picture() const { return FPicture.Image(); }
  // How often Paint() has run: lets tests see repaints without a screen.
  int PaintCount() const { return FPaintCount; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  template <typename T>
  void Change(T& field, T value) {
    if (field == value) return;
    field = value;
    Paint();
  }
  void PaintGradient();
  void PaintAlternative();

  tLedStyle FStyle = lsGradient2;
  TColor FColor1 = clBlack;
  TColor FColor2 = clYellow;
  TColor FOffColor1 = clBlack;
  TColor FOffColor2 = clWhite;
  std::uint8_t FRadius = 1;
  bool FOn = false;
  bool FDiagShining = false;
  bool FClickAction = false;
  bool FDblClickAction = false;

  TBitmap FPicture{0, 0, QImage::Format_ARGB32_Premultiplied};  // see-through where nothing is drawn
  bool FPainted = false;
  bool FInPaintEvent = false;
  bool FPressed = false;
  int FPaintCount = 0;
};
