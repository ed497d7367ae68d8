#pragma once
// Pixel-exact drawing on a 32-bit QImage with the rules of the Windows GDI the
// display controls were designed against: a one-pixel solid pen, a solid brush,
// figures that leave out their right and bottom edges, lines that leave out
// their end point. Everything outside the image is clipped; nothing allocates.

#include <QImage>
#include <QPoint>
#include <cstdint>

#include "platform/Types.h"

// A rectangle as the drawing calls take it: Right and Bottom lie just outside.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
};

// Destination of a finished picture: receives one block of pixels at a time.
class TDeviceContext {
 public:
  virtual ~TDeviceContext() = default;
  // Copies the w x h block at (sx, sy) of src to (x, y), like BitBlt with SRCCOPY.
  virtual void BitBlt(int x, int y, int w, int h, const QImage& src, int sx, int sy) = 0;
};

// Plain copy of a block between 32-bit images, clipped to both; the two may be
// the same image. Images of another depth are left alone.
void CopyBlock(QImage& dst, int x, int y, int w, int h, const QImage& src, int sx, int sy);

// What Pixels() answers for a point outside the image.
constexpr TColor clInvalidPixel = 0xFFFFFFFF;

// The pixel value a 32-bit image stores for a colour (always opaque).
constexpr std::uint32_t PixelOf(TColor c) {
  return 0xFF000000u | (std::uint32_t(RedOf(c)) << 16) | (std::uint32_t(GreenOf(c)) << 8) |
         BlueOf(c);
}

class TCanvas {
 public:
  // Draws into target, which must outlive the canvas and be a 32-bit format
  // (Format_RGB32, or Format_ARGB32_Premultiplied for a see-through picture).
  explicit TCanvas(QImage& target);
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TColor PenColor() const { return FPenColor; }
  void SetPenColor(TColor color) { FPenColor = color; }
  TColor BrushColor() const { return FBrushColor; }
  void SetBrushColor(TColor color) { FBrushColor = color; }
  QPoint PenPos() const { return {FPenX, FPenY}; }

  void MoveTo(int x, int y);
  // Draws from the pen position toward (x, y), leaving (x, y) itself unpainted,
  // and moves the pen there.
  void LineTo(int x, int y);
  // Outline with the pen, inside with the brush; covers columns x1..x2-1 and
  // rows y1..y2-1. Inverted corners are put in order first; an empty one draws nothing.
  void Rectangle(int x1, int y1, int x2, int y2);
  // As Rectangle, the corners rounded by an ellipse of the given size.
  void RoundRect(int x1, int y1, int x2, int y2, int ellipseWidth, int ellipseHeight);
  void Pixels(int x, int y, TColor color);
  TColor Pixels(int x, int y) const;
  // Copies sourceRect of source into dest, stretching (nearest pixel) when sizes differ.
  void CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect);

  const QImage& Image() const { return *FTarget; }

 private:
  QImage* FTarget;
  TColor FPenColor = clBlack;
  TColor FBrushColor = clWhite;
  int FPenX = 0;
  int FPenY = 0;
};
