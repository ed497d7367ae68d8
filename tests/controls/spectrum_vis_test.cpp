// The spectrum display: column values, rise and fall, which bins are read, the
// two drawing styles on real pixels, offsets, clearing, and the one copy out.

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <new>
#include <vector>

#include "controls/spectrum_vis.h"

// Every allocation through operator new is counted, so a test can see that a
// frame is drawn without any.
namespace {
std::atomic<long> gAllocations{0};
}
void* operator new(std::size_t size) {
  ++gAllocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

constexpr TColor kBack = 0x102030;
constexpr TColor kBar = clAqua;
constexpr TColor kPeak = clRed;

// Records every block copy; keeps the pixels of the last one.
class RecordingDC : public TDeviceContext {
 public:
  void BitBlt(int x, int y, int w, int h, const QImage& src, int sx, int sy) override {
    ++Calls;
    X = x, Y = y, W = w, H = h, SX = sx, SY = sy;
    Source = &src;
  }
  int Calls = 0;
  int X = -1, Y = -1, W = -1, H = -1, SX = -1, SY = -1;
  const QImage* Source = nullptr;
};

TFFTBlock Block(std::initializer_list<std::pair<int, float>> entries) {
  TFFTBlock data{};
  for (auto [index, value] : entries) data[index] = value;
  return data;
}

// Heights are |value| x 500; these give exactly n on the first column.
TFFTBlock FirstColumn(int n) { return Block({{5, float(n) / 500.0f + 1e-6f}}); }

TColor At(const TSpectrum& s, int x, int y) { return s.FrameBitmap.Canvas().Pixels(x, y); }

struct LevelCase {
  const char* name;
  std::int32_t maxBar, peakFall, barFall, startPeak, startBar;
  std::vector<float> frames;                       // Data[5] of each Draw
  std::vector<std::pair<int, int>> afterEachFrame;  // (peak, bar)
};

TEST(SpectrumLevels, RiseAtOnceFallLinearlyFloorAtZero) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const LevelCase cases[] = {
      {"+0.25 gives 125", 300, 1, 3, 0, 0, {0.25f}, {{125, 125}}},
      {"-0.25 gives the same", 300, 1, 3, 0, 0, {-0.25f}, {{125, 125}}},
      {"99.9 is cut to 99", 300, 1, 3, 0, 0, {0.1998f}, {{99, 99}}},
      {"capped at MaxBarHeight", 100, 1, 3, 0, 0, {1.2f}, {{100, 100}}},
      {"a value equal to the peak keeps it", 300, 1, 3, 50, 50, {0.1f}, {{50, 50}}},
      {"a bar at 2 falling by 3 stops at 0", 300, 1, 3, 2, 2, {0.0f}, {{1, 0}}},
      {"peak and bar fall over frames", 300, 1, 3, 0, 0, {0.2f, 0, 0, 0}, {{100, 100}, {99, 97}, {98, 94}, {97, 91}}},
      {"a fall passes the value, the next frame jumps back", 300, 1, 3, 52, 52, {0.1f, 0.1f},
       {{51, 49}, {50, 50}}},
      {"other falls", 300, 4, 10, 0, 0, {0.0625f, 0, 0}, {{31, 31}, {27, 21}, {23, 11}}},
      {"no number gives 0", 300, 1, 3, 0, 0, {nan}, {{0, 0}}},
      {"too large for 32 bits is capped", 300, 1, 3, 0, 0, {1e30f}, {{300, 300}}},
  };
  for (const LevelCase& c : cases) {
    TSpectrum s(10, 10);
    s.MaxBarHeight = c.maxBar;
    s.PeakFall = c.peakFall;
    s.BarFall = c.barFall;
    s.PeakLevels[0] = c.startPeak;
    s.BarLevels[0] = c.startBar;
    RecordingDC dc;
    for (size_t f = 0; f < c.frames.size(); ++f) {
      s.Draw(dc, Block({{5, c.frames[f]}}), 0, 0);
      EXPECT_EQ(s.PeakLevels[0], c.afterEachFrame[f].first) << c.name << ", frame " << f;
      EXPECT_EQ(s.BarLevels[0], c.afterEachFrame[f].second) << c.name << ", frame " << f;
    }
  }
}

TEST(SpectrumDraw, ReadsEveryBinStepFromTheFifthEntry) {
  TSpectrum s(161, 137);
  s.MaxBarHeight = 300;
  s.BinStep = 2;
  // Entries no column reads are loud; the first and last column read 5 and 261.
  TFFTBlock data = Block({{0, 1}, {4, 1}, {6, 1}, {260, 1}, {262, 1}, {263, 1}, {512, 1}});
  data[5] = 0.03125f;  // 15.625
  data[261] = 0.0625f; // 31.25
  RecordingDC dc;
  s.Draw(dc, data, 0, 0);
  EXPECT_EQ(s.BarLevels[0], 15);
  EXPECT_EQ(s.BarLevels[128], 31);
  for (int i = 1; i < 128; ++i) EXPECT_EQ(s.BarLevels[i], 0) << i;
}

TEST(SpectrumDraw, LineStyleColumnAndPeakPixel) {
  TSpectrum s(6, 10);  // H = 10
  s.BackColor = kBack;
  s.BarColor = kBar;
  s.PeakColor = kPeak;  // not used by lines
  RecordingDC dc;
  // Column 2 rises to 3: the line covers rows 10 (outside), 9 and 8, the peak sits on row 7.
  s.Draw(dc, Block({{7, 3 / 500.0f + 1e-6f}}), 0, 0);
  EXPECT_EQ(At(s, 2, 9), kBar);
  EXPECT_EQ(At(s, 2, 8), kBar);
  EXPECT_EQ(At(s, 2, 7), kBar);
  EXPECT_EQ(At(s, 2, 6), kBack);
  EXPECT_EQ(At(s, 1, 9), kBack);  // height 0: the peak pixel lies on row 10, below the frame
  // The bar falls faster than the peak: bar 0 paints nothing, peak 2 on row 8.
  s.Draw(dc, TFFTBlock{}, 0, 0);
  EXPECT_EQ(At(s, 2, 9), kBack);
  EXPECT_EQ(At(s, 2, 8), kBar);
  EXPECT_EQ(At(s, 2, 7), kBack);
  // Without peaks only the line: the whole column 1 stays clear.
  s.ShowPeaks = false;
  s.Draw(dc, TFFTBlock{}, 0, 0);
  for (int y = 0; y < 10; ++y) EXPECT_EQ(At(s, 2, y), kBack) << y;
}

TEST(SpectrumDraw, BarStyleWidthSpacingAndPeakMark) {
  TSpectrum s(30, 12);
  s.BackColor = kBack;
  s.BarColor = kBar;
  s.PeakColor = kPeak;
  s.DrawStyle = 1;
  s.BarWidth = 3;
  RecordingDC dc;
  // Column 1 stands at x 4..6 (bars are BarWidth + 1 apart), height 5: rows 7..11.
  s.Draw(dc, Block({{6, 5 / 500.0f + 1e-6f}}), 0, 0);
  for (int x : {4, 5, 6}) {
    EXPECT_EQ(At(s, x, 7), kBar) << "the bar's top covers the mark at P = B, x " << x;
    EXPECT_EQ(At(s, x, 11), kBar) << x;
    EXPECT_EQ(At(s, x, 6), kBack) << x;
  }
  EXPECT_EQ(At(s, 3, 9), kBack);
  EXPECT_EQ(At(s, 7, 9), kBack);
  EXPECT_EQ(At(s, 0, 11), kBack);  // height 0: the mark lies on row 12, below the frame
  // The bar falls by 3 to 2 (rows 10..11), the mark by 1 to 4 (row 8) and shows.
  s.Draw(dc, TFFTBlock{}, 0, 0);
  for (int x : {4, 5, 6}) {
    EXPECT_EQ(At(s, x, 8), kPeak) << x;
    EXPECT_EQ(At(s, x, 9), kBack) << x;
    EXPECT_EQ(At(s, x, 10), kBar) << x;
  }
  EXPECT_EQ(At(s, 7, 8), kBack);  // the mark is BarWidth wide
}

TEST(SpectrumDraw, OtherStylesDrawNoColumnsButLevelsMove) {
  TSpectrum s(20, 10);
  s.BackColor = kBack;
  s.DrawStyle = 2;
  RecordingDC dc;
  s.Draw(dc, FirstColumn(6), 0, 0);
  s.Draw(dc, TFFTBlock{}, 0, 0);
  EXPECT_EQ(s.PeakLevels[0], 5);
  EXPECT_EQ(s.BarLevels[0], 3);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(At(s, x, y), kBack) << x << "," << y;
  EXPECT_EQ(dc.Calls, 2);
}

TEST(SpectrumDraw, ClearFrameAndBackground) {
  TSpectrum s(8, 10);
  s.BackColor = kBack;
  s.BarColor = kBar;
  s.ShowPeaks = false;
  s.UseBackground = true;
  s.BackgroundBitmap.Canvas().SetPenColor(clGreen);
  s.BackgroundBitmap.Canvas().SetBrushColor(clGreen);
  s.BackgroundBitmap.Canvas().Rectangle(0, 0, 8, 5);  // top half green
  RecordingDC dc;
  s.Draw(dc, FirstColumn(8), 0, 0);
  EXPECT_EQ(At(s, 3, 1), clGreen);  // cleared, then the background copied
  EXPECT_EQ(At(s, 3, 7), clBlack);  // the background's untouched half, copied too
  EXPECT_EQ(At(s, 0, 3), kBar);     // the column over the background
  // Without clearing the old picture stays, the background is not copied again.
  s.ClearFrame = false;
  s.FrameBitmap.Canvas().Pixels(3, 1, clMaroon);
  s.Draw(dc, TFFTBlock{}, 0, 0);
  EXPECT_EQ(At(s, 3, 1), clMaroon);
  EXPECT_EQ(At(s, 0, 3), kBar);  // the bar fell to 5, its old top is still there
}

TEST(SpectrumDraw, OffsetsMoveColumnsNotTheCopy) {
  TSpectrum s(161, 137);
  s.BackColor = kBack;
  s.BarColor = kBar;
  s.ShowPeaks = false;
  RecordingDC dc;
  s.Draw(dc, FirstColumn(3), 5, -5);
  // Column 0 at x 5, the line from row 137 - 5 upward: rows 132, 131, 130.
  for (int y : {132, 131, 130}) EXPECT_EQ(At(s, 5, y), kBar) << y;
  EXPECT_EQ(At(s, 5, 129), kBack);
  EXPECT_EQ(At(s, 5, 133), kBack);
  EXPECT_EQ(At(s, 0, 136), kBack);
  EXPECT_EQ(dc.Calls, 1);
  EXPECT_EQ(dc.Source, &s.FrameBitmap.Image());
  EXPECT_EQ((std::vector<int>{dc.X, dc.Y, dc.W, dc.H, dc.SX, dc.SY}),
            (std::vector<int>{0, 0, 161, 137, 0, 0}));
}

TEST(SpectrumDraw, DrawsWithoutAllocating) {
  TSpectrum s(161, 137);
  s.BinStep = 2;
  s.MaxBarHeight = 300;
  s.UseBackground = true;
  TFFTBlock data{};
  for (int i = 0; i < kFFTBlockSize; ++i) data[i] = float(i % 37) / 50.0f;
  RecordingDC dc;
  const long probe = gAllocations.load();
  int* volatile probeInt = new int(0);
  delete probeInt;
  ASSERT_GT(gAllocations.load(), probe) << "the counter sees allocations";
  for (int style : {0, 1, 2}) {
    s.DrawStyle = style;
    const long before = gAllocations.load();
    s.Draw(dc, data, 5, -5);
    s.Draw(dc, TFFTBlock{}, 5, -5);
    EXPECT_EQ(gAllocations.load() - before, 0) << style;
  }
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
