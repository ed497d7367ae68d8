#include "platform/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

using i64 = std::int64_t;

// The target's pixels, fetched once per drawing call. Coordinates are 64-bit so
// that far-off figures clip instead of overflowing.
struct Surface {
  std::uint32_t* Bits = nullptr;
  i64 Stride = 0;  // in pixels
  i64 Width = 0;
  i64 Height = 0;
};

Surface SurfaceOf(QImage& image) {
  if (image.depth() != 32 || image.isNull()) return {};
  return {reinterpret_cast<std::uint32_t*>(image.bits()), image.bytesPerLine() / 4, image.width(),
          image.height()};
}

// Fills columns x1..x2-1 of rows y1..y2-1, clipped.
void FillRect(const Surface& s, i64 x1, i64 y1, i64 x2, i64 y2, std::uint32_t pixel) {
  x1 = std::max<i64>(x1, 0);
  y1 = std::max<i64>(y1, 0);
  x2 = std::min(x2, s.Width);
  y2 = std::min(y2, s.Height);
  if (x1 >= x2 || y1 >= y2) return;
  for (i64 y = y1; y < y2; ++y) std::fill(s.Bits + y * s.Stride + x1, s.Bits + y * s.Stride + x2, pixel);
}

void Plot(const Surface& s, i64 x, i64 y, std::uint32_t pixel) {
  if (x >= 0 && y >= 0 && x < s.Width && y < s.Height) s.Bits[y * s.Stride + x] = pixel;
}

// Bresenham over the major axis, with the tie-breaking of the Windows GDI: the
// octants 3, 5, 6 and 8 (counted clockwise from +x, y growing downward) take a
// bias of 1, so a line covers the same pixels whichever way it is drawn. The
// minor coordinate of step m is computed directly, so the loop runs only over
// the steps inside the image.
void GeneralLine(const Surface& s, i64 x0, i64 y0, i64 x1, i64 y1, std::uint32_t pixel) {
  const i64 dx = std::llabs(x1 - x0);
  const i64 dy = std::llabs(y1 - y0);
  const i64 sx = x1 > x0 ? 1 : -1;
  const i64 sy = y1 > y0 ? 1 : -1;
  int octant;
  if (y1 > y0)
    octant = x1 > x0 ? (dx > dy ? 1 : 2) : (dx > dy ? 4 : 3);
  else
    octant = x1 < x0 ? (dx > dy ? 5 : 6) : (dx > dy ? 8 : 7);
  const i64 bias = (octant == 3 || octant == 5 || octant == 6 || octant == 8) ? 1 : 0;
  const bool xMajor = octant == 1 || octant == 4 || octant == 5 || octant == 8;

  // Major axis values: start, step sign, length; minor axis likewise.
  const i64 major0 = xMajor ? x0 : y0, minor0 = xMajor ? y0 : x0;
  const i64 majorStep = xMajor ? sx : sy, minorStep = xMajor ? sy : sx;
  const i64 majorLen = xMajor ? dx : dy, minorLen = xMajor ? dy : dx;
  const i64 majorLimit = xMajor ? s.Width : s.Height;

  // Steps m in [first, last) keep the major coordinate inside the image.
  i64 first = 0, last = majorLen;  // the end point (m = majorLen) is never drawn
  if (majorStep > 0) {
    first = std::max<i64>(first, -major0);
    last = std::min(last, majorLimit - major0);
  } else {
    first = std::max(first, major0 - (majorLimit - 1));
    last = std::min(last, major0 + 1);
  }
  for (i64 m = first; m < last; ++m) {
    const i64 n = (2 * m * minorLen + bias + majorLen - 1) / (2 * majorLen);
    const i64 major = major0 + m * majorStep, minor = minor0 + n * minorStep;
    if (xMajor)
      Plot(s, major, minor, pixel);
    else
      Plot(s, minor, major, pixel);
  }
}

// How far the rounded corner pulls row d (counted from the nearer edge) inward:
// the first column whose centre lies inside an ellipse through the pixel
// centres of an a x b half-axis corner.
i64 CornerInset(i64 d, double a, double b) {
  const double dy = b - double(d);
  if (dy <= 0 || b <= 0) return 0;
  const double ratio = dy / b;
  const double half = a * std::sqrt(std::max(0.0, 1.0 - ratio * ratio));
  return i64(std::ceil(a - half - 1e-9));
}

}  // namespace

void CopyBlock(QImage& dst, int x, int y, int w, int h, const QImage& src, int sx, int sy) {
  if (dst.depth() != 32 || src.depth() != 32 || w <= 0 || h <= 0) return;
  i64 dx = x, dy = y, sx0 = sx, sy0 = sy, cw = w, ch = h;
  // Clip the left and top against both images, then the right and bottom.
  const i64 skipX = std::max<i64>({0, -dx, -sx0});
  const i64 skipY = std::max<i64>({0, -dy, -sy0});
  dx += skipX, sx0 += skipX, cw -= skipX;
  dy += skipY, sy0 += skipY, ch -= skipY;
  cw = std::min({cw, i64(dst.width()) - dx, i64(src.width()) - sx0});
  ch = std::min({ch, i64(dst.height()) - dy, i64(src.height()) - sy0});
  if (cw <= 0 || ch <= 0) return;
  const bool same = &dst == &src || dst.constBits() == src.constBits();
  uchar* to = dst.bits();
  const uchar* from = same ? to : src.constBits();
  const i64 toStride = dst.bytesPerLine(), fromStride = src.bytesPerLine();
  // Rows run bottom-up when copying downward inside one image, so nothing is overwritten early.
  const bool upward = same && dy > sy0;
  for (i64 r = 0; r < ch; ++r) {
    const i64 row = upward ? ch - 1 - r : r;
    std::memmove(to + (dy + row) * toStride + dx * 4, from + (sy0 + row) * fromStride + sx0 * 4,
                 std::size_t(cw) * 4);
  }
}

TCanvas::TCanvas(QImage& target) : FTarget(&target) {}

void TCanvas::MoveTo(int x, int y) {
  FPenX = x;
  FPenY = y;
}

void TCanvas::LineTo(int x, int y) {
  const Surface s = SurfaceOf(*FTarget);
  const std::uint32_t pixel = PixelOf(FPenColor);
  const i64 x0 = FPenX, y0 = FPenY;
  FPenX = x;
  FPenY = y;
  if (y0 == y && x0 != x) {
    // Horizontal: the start pixel is in, the end pixel out, whichever the direction.
    if (x0 < x)
      FillRect(s, x0, y0, x, y0 + 1, pixel);
    else
      FillRect(s, i64(x) + 1, y0, x0 + 1, y0 + 1, pixel);
  } else if (x0 == x && y0 != y) {
    if (y0 < y)
      FillRect(s, x0, y0, x0 + 1, y, pixel);
    else
      FillRect(s, x0, i64(y) + 1, x0 + 1, y0 + 1, pixel);
  } else if (x0 != x) {
    GeneralLine(s, x0, y0, x, y, pixel);
  }
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  i64 left = std::min(x1, x2), right = std::max(x1, x2);
  i64 top = std::min(y1, y2), bottom = std::max(y1, y2);
  if (left == right || top == bottom) return;
  const Surface s = SurfaceOf(*FTarget);
  const std::uint32_t pen = PixelOf(FPenColor), brush = PixelOf(FBrushColor);
  if (pen == brush || right - left <= 2 || bottom - top <= 2) {
    FillRect(s, left, top, right, bottom, pen);  // no inside, or an inside that looks the same
    return;
  }
  FillRect(s, left, top, right, top + 1, pen);
  FillRect(s, left, bottom - 1, right, bottom, pen);
  FillRect(s, left, top + 1, left + 1, bottom - 1, pen);
  FillRect(s, right - 1, top + 1, right, bottom - 1, pen);
  FillRect(s, left + 1, top + 1, right - 1, bottom - 1, brush);
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int ellipseWidth, int ellipseHeight) {
  const i64 left = std::min(x1, x2), right = std::max(x1, x2);
  const i64 top = std::min(y1, y2), bottom = std::max(y1, y2);
  const i64 ew = std::min<i64>(std::llabs(ellipseWidth), right - left);
  const i64 eh = std::min<i64>(std::llabs(ellipseHeight), bottom - top);
  // An ellipse of one or two pixels rounds nothing.
  if (ew < 3 || eh < 3) {
    Rectangle(x1, y1, x2, y2);
    return;
  }
  const Surface s = SurfaceOf(*FTarget);
  const std::uint32_t pen = PixelOf(FPenColor), brush = PixelOf(FBrushColor);
  const double a = double(ew - 1) / 2, b = double(eh - 1) / 2;
  const i64 firstRow = std::max<i64>(top, 0), lastRow = std::min(bottom, s.Height);
  for (i64 row = firstRow; row < lastRow; ++row) {
    const i64 d = std::min(row - top, bottom - 1 - row);
    const i64 inset = CornerInset(d, a, b);
    const i64 spanLeft = left + inset, spanRight = right - inset;  // right end exclusive
    if (d == 0) {
      FillRect(s, spanLeft, row, spanRight, row + 1, pen);
      continue;
    }
    // The outline reaches back to where the outer row began, so it stays closed.
    const i64 edge = std::max<i64>(1, CornerInset(d - 1, a, b) - inset);
    if (2 * edge >= spanRight - spanLeft) {
      FillRect(s, spanLeft, row, spanRight, row + 1, pen);
      continue;
    }
    FillRect(s, spanLeft, row, spanLeft + edge, row + 1, pen);
    FillRect(s, spanLeft + edge, row, spanRight - edge, row + 1, brush);
    FillRect(s, spanRight - edge, row, spanRight, row + 1, pen);
  }
}

void TCanvas::Pixels(int x, int y, TColor color) { Plot(SurfaceOf(*FTarget), x, y, PixelOf(color)); }

TColor TCanvas::Pixels(int x, int y) const {
  const QImage& image = *FTarget;
  if (image.depth() != 32 || x < 0 || y < 0 || x >= image.width() || y >= image.height())
    return clInvalidPixel;
  const std::uint32_t p = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y))[x];
  return RGBColor((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect) {
  const i64 dw = i64(dest.Right) - dest.Left, dh = i64(dest.Bottom) - dest.Top;
  const i64 sw = i64(sourceRect.Right) - sourceRect.Left, sh = i64(sourceRect.Bottom) - sourceRect.Top;
  if (dw == 0 || dh == 0 || sw == 0 || sh == 0) return;
  if (dw == sw && dh == sh && dw > 0 && dh > 0) {
    CopyBlock(*FTarget, dest.Left, dest.Top, int(dw), int(dh), *source.FTarget, sourceRect.Left,
              sourceRect.Top);
    return;
  }
  // Stretching (or mirroring, when the signs differ): each target pixel takes the
  // source pixel under its centre.
  const Surface to = SurfaceOf(*FTarget);
  const QImage& fromImage = *source.FTarget;
  if (!to.Bits || fromImage.depth() != 32) return;
  const i64 adw = std::llabs(dw), adh = std::llabs(dh), asw = std::llabs(sw), ash = std::llabs(sh);
  for (i64 j = 0; j < adh; ++j) {
    const i64 ty = dh > 0 ? dest.Top + j : dest.Top - 1 - j;
    if (ty < 0 || ty >= to.Height) continue;
    const i64 off = ((2 * j + 1) * ash) / (2 * adh);
    const i64 fy = sh > 0 ? sourceRect.Top + off : sourceRect.Top - 1 - off;
    if (fy < 0 || fy >= fromImage.height()) continue;
    const auto* fromRow = reinterpret_cast<const std::uint32_t*>(fromImage.constScanLine(int(fy)));
    for (i64 i = 0; i < adw; ++i) {
      const i64 tx = dw > 0 ? dest.Left + i : dest.Left - 1 - i;
      const i64 offX = ((2 * i + 1) * asw) / (2 * adw);
      const i64 fx = sw > 0 ? sourceRect.Left + offX : sourceRect.Left - 1 - offX;
      if (tx >= 0 && tx < to.Width && fx >= 0 && fx < fromImage.width())
        to.Bits[ty * to.Stride + tx] = fromRow[fx];
    }
  }
}
