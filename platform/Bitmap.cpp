#include "platform/Bitmap.h"

#include <algorithm>

TBitmap::TBitmap(int width, int height, QImage::Format format)
    : FFormat(format),
      FWidth(std::max(width, 0)),
      FHeight(std::max(height, 0)),
      FImage(Blank(FWidth, FHeight)),
      FCanvas(FImage) {}

QImage TBitmap::Blank(int width, int height) const {
  if (width <= 0 || height <= 0) return {};
  QImage image(width, height, FFormat);
  image.fill(image.hasAlphaChannel() ? Qt::transparent : Qt::black);
  return image;
}

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == FWidth && height == FHeight) return;
  QImage resized = Blank(width, height);
  CopyBlock(resized, 0, 0, std::min(width, FWidth), std::min(height, FHeight), FImage, 0, 0);
  FWidth = width;
  FHeight = height;
  FImage = std::move(resized);  // same QImage object, so the canvas keeps drawing into it
}

void TBitmap::Assign(const QImage& picture) {
  const QImage converted = picture.convertToFormat(FFormat);
  FWidth = converted.width();
  FHeight = converted.height();
  FImage = Blank(FWidth, FHeight);
  CopyBlock(FImage, 0, 0, FWidth, FHeight, converted, 0, 0);
}

void TBitmap::BitBlt(int x, int y, int w, int h, const QImage& src, int sx, int sy) {
  CopyBlock(FImage, x, y, w, h, src, sx, sy);
}
