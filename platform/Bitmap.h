#pragma once
// An off-screen picture with its canvas, sized like a VCL bitmap: width and
// height can be set apart, and a size of 0 is a picture with no pixels.

#include <QImage>

#include "platform/Canvas.h"

class TBitmap final : public TDeviceContext {
 public:
  // format: a 32-bit format; Format_ARGB32_Premultiplied starts see-through.
  explicit TBitmap(int width = 0, int height = 0, QImage::Format format = QImage::Format_RGB32);
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetWidth(int width) { SetSize(width, FHeight); }
  void SetHeight(int height) { SetSize(FWidth, height); }
  // Keeps the pixels both sizes share; the rest starts black (or see-through).
  // The canvas, with its pen and brush, stays the same object.
  void SetSize(int width, int height);

  TCanvas& Canvas() { return FCanvas; }
  const TCanvas& Canvas() const { return FCanvas; }
  const QImage& Image() const { return FImage; }

  // Takes the size and the pixels of a picture (any format).
  void Assign(const QImage& picture);

  // The bitmap as a destination: a plain block copy into its pixels.
  void BitBlt(int x, int y, int w, int h, const QImage& src, int sx, int sy) override;

 private:
  QImage Blank(int width, int height) const;

  QImage::Format FFormat;
  int FWidth = 0;
  int FHeight = 0;
  QImage FImage;
  TCanvas FCanvas;
};
