#pragma once
// The spectrum display: turns one FFT block into a bar graph with falling bars
// and peak marks, drawn off-screen and handed to the destination in one copy.

#include <array>
#include <cstdint>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Types.h"

class TSpectrum {
 public:
  static constexpr int kColumns = 129;

  // Makes both bitmaps at Width x Height; nothing is drawn.
  TSpectrum(int Width, int Height);
  TSpectrum(const TSpectrum&) = delete;
  TSpectrum& operator=(const TSpectrum&) = delete;

  // Settings: plain fields, read at the next Draw.
  TBitmap FrameBitmap;       // every frame is drawn here, then copied out
  TBitmap BackgroundBitmap;  // copied under the columns when ClearFrame and UseBackground
  TColor BackColor = clBlack;
  std::int32_t MaxBarHeight = 100;
  TColor BarColor = clWhite;
  TColor PeakColor = clYellow;
  std::int32_t DrawStyle = 0;  // 0 lines, 1 bars, anything else no columns
  std::int32_t BinStep = 1;    // column i reads Data[5 + i * BinStep]; the owner keeps it in 0..3
  bool ClearFrame = true;
  bool UseBackground = false;
  std::int32_t PeakFall = 1;
  std::int32_t BarFall = 3;
  std::int32_t BarWidth = 5;
  bool ShowPeaks = true;
  // The display's memory from one Draw to the next, in pixels.
  std::array<std::int32_t, kColumns> PeakLevels{};
  std::array<std::int32_t, kColumns> BarLevels{};

  // Draws Data into FrameBitmap, the columns shifted by (X, Y), and copies the
  // whole frame to DC at (0, 0). Allocates nothing.
  void Draw(TDeviceContext& DC, const TFFTBlock& Data, int X, int Y);

  // A magnitude as a column height: |value| x 500 cut toward zero. Values too
  // large for 32 bits give the largest height, a value that is not a number gives 0.
  static std::int32_t ColumnValue(float value);

 private:
  void UpdateLevels(int column, std::int32_t value);
  void DrawColumn(int column, std::int64_t X, std::int64_t Y, std::int64_t H);
};

// The program's one spectrum display, made by the main window at start-up.
extern TSpectrum* AppSpectrum;
