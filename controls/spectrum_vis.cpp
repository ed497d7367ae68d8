#include "controls/spectrum_vis.h"

#include <cmath>
#include <limits>

TSpectrum* AppSpectrum = nullptr;

namespace {

constexpr int kFirstBin = 5;

// Levels and coordinates are worked out in 64 bits and brought back into int
// range here; anything that far out is clipped by the canvas either way.
int Coord(std::int64_t v) {
  constexpr std::int64_t lo = std::numeric_limits<int>::min(), hi = std::numeric_limits<int>::max();
  return int(v < lo ? lo : v > hi ? hi : v);
}

// level - fall without overflow (a negative fall is the owner's odd wish, not an error).
std::int32_t Fallen(std::int32_t level, std::int32_t fall) {
  constexpr std::int64_t lo = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t hi = std::numeric_limits<std::int32_t>::max();
  const std::int64_t v = std::int64_t(level) - fall;
  return std::int32_t(v < lo ? lo : v > hi ? hi : v);
}

}  // namespace

TSpectrum::TSpectrum(int Width, int Height) : FrameBitmap(Width, Height), BackgroundBitmap(Width, Height) {}

std::int32_t TSpectrum::ColumnValue(float value) {
  const double product = double(std::fabs(value)) * 500.0;
  if (std::isnan(product)) return 0;
  if (product >= 2147483648.0) return std::numeric_limits<std::int32_t>::max();
  return std::int32_t(product);  // cut toward zero
}

void TSpectrum::UpdateLevels(int column, std::int32_t value) {
  if (value > MaxBarHeight) value = MaxBarHeight;
  std::int32_t& peak = PeakLevels[column];
  std::int32_t& bar = BarLevels[column];
  // A level jumps up to the value at once and falls by a fixed step; the floor is 0.
  peak = value >= peak ? value : Fallen(peak, PeakFall);
  bar = value >= bar ? value : Fallen(bar, BarFall);
  if (peak < 0) peak = 0;
  if (bar < 0) bar = 0;
}

void TSpectrum::DrawColumn(int column, std::int64_t X, std::int64_t Y, std::int64_t H) {
  TCanvas& canvas = FrameBitmap.Canvas();
  const std::int64_t peakY = Y + H - PeakLevels[column];
  const std::int64_t barY = Y + H - BarLevels[column];
  if (DrawStyle == 0) {
    const int x = Coord(X + column);
    canvas.MoveTo(x, Coord(Y + H));
    canvas.LineTo(x, Coord(barY));
    if (ShowPeaks) canvas.Pixels(x, Coord(peakY), BarColor);
  } else if (DrawStyle == 1) {
    const std::int64_t x0 = X + std::int64_t(column) * (std::int64_t(BarWidth) + 1);
    if (ShowPeaks) {
      // The mark goes first: where the bar reaches it, the bar's top covers it.
      canvas.SetPenColor(PeakColor);
      canvas.MoveTo(Coord(x0), Coord(peakY));
      canvas.LineTo(Coord(x0 + BarWidth), Coord(peakY));
    }
    canvas.SetPenColor(BarColor);
    canvas.SetBrushColor(BarColor);
    canvas.Rectangle(Coord(x0), Coord(barY), Coord(x0 + BarWidth), Coord(Y + H));
  }
}

void TSpectrum::Draw(TDeviceContext& DC, const TFFTBlock& Data, int X, int Y) {
  TCanvas& canvas = FrameBitmap.Canvas();
  if (ClearFrame) {
    canvas.SetPenColor(BackColor);
    canvas.SetBrushColor(BackColor);
    canvas.Rectangle(0, 0, FrameBitmap.Width(), FrameBitmap.Height());
    if (UseBackground) {
      const TRect all{0, 0, BackgroundBitmap.Width(), BackgroundBitmap.Height()};
      canvas.CopyRect(all, BackgroundBitmap.Canvas(), all);
    }
  }
  canvas.SetPenColor(BarColor);
  const std::int64_t H = FrameBitmap.Height();
  for (int i = 0; i < kColumns; ++i) {
    UpdateLevels(i, ColumnValue(Data[kFirstBin + i * BinStep]));
    DrawColumn(i, X, Y, H);
  }
  DC.BitBlt(0, 0, FrameBitmap.Width(), FrameBitmap.Height(), FrameBitmap.Image(), 0, 0);
}
