// The canvas's pixel rules: rectangles, lines, single pixels, copies, clipping;
// and the two destinations of a finished frame (bitmap and paint box).

#include <gtest/gtest.h>

#include <QApplication>
#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/PaintBox.h"

namespace {

constexpr TColor kPen = clRed;
constexpr TColor kBrush = 0xFF0000;  // blue

// The picture as rows of letters: '.' black, 'P' pen, 'B' brush, '?' anything else.
std::vector<std::string> Letters(const TCanvas& canvas) {
  std::vector<std::string> rows;
  for (int y = 0; y < canvas.Image().height(); ++y) {
    std::string row;
    for (int x = 0; x < canvas.Image().width(); ++x) {
      const TColor c = canvas.Pixels(x, y);
      row += c == clBlack ? '.' : c == kPen ? 'P' : c == kBrush ? 'B' : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

struct RectCase {
  const char* name;
  int x1, y1, x2, y2;
  std::vector<std::string> expected;
};

TEST(CanvasRectangle, CoversLeftTopUpToButNotRightBottom) {
  const RectCase cases[] = {
      {"plain", 1, 1, 5, 4, {"......", ".PPPP.", ".PBBP.", ".PPPP.", "......"}},
      {"inverted corners are put in order", 5, 4, 1, 1, {"......", ".PPPP.", ".PBBP.", ".PPPP.", "......"}},
      {"zero width draws nothing", 2, 0, 2, 5, {"......", "......", "......", "......", "......"}},
      {"zero height draws nothing", 0, 3, 6, 3, {"......", "......", "......", "......", "......"}},
      {"one column is all outline", 2, 1, 3, 4, {"......", "..P...", "..P...", "..P...", "......"}},
      {"two rows are all outline", 1, 1, 5, 3, {"......", ".PPPP.", ".PPPP.", "......", "......"}},
      {"clipped at the top left", -2, -2, 3, 3, {"BBP...", "BBP...", "PPP...", "......", "......"}},
      {"clipped at the bottom right", 3, 2, 9, 9, {"......", "......", "...PPP", "...PBB", "...PBB"}},
      {"entirely outside", 100, 100, 200, 200, {"......", "......", "......", "......", "......"}},
      {"the whole int range", INT_MIN, INT_MIN, INT_MAX, INT_MAX,
       {"BBBBBB", "BBBBBB", "BBBBBB", "BBBBBB", "BBBBBB"}},
  };
  for (const RectCase& c : cases) {
    TBitmap bitmap(6, 5);
    bitmap.Canvas().SetPenColor(kPen);
    bitmap.Canvas().SetBrushColor(kBrush);
    bitmap.Canvas().Rectangle(c.x1, c.y1, c.x2, c.y2);
    EXPECT_EQ(Letters(bitmap.Canvas()), c.expected) << c.name;
  }
}

struct LineCase {
  const char* name;
  int x0, y0, x1, y1;
  std::vector<std::string> expected;
};

TEST(CanvasLineTo, LeavesTheEndPointOut) {
  const LineCase cases[] = {
      {"left to right", 1, 2, 5, 2, {"......", "......", ".PPPP.", "......", "......"}},
      {"right to left", 5, 2, 1, 2, {"......", "......", "..PPPP", "......", "......"}},
      {"downward", 3, 0, 3, 3, {"...P..", "...P..", "...P..", "......", "......"}},
      {"upward", 3, 4, 3, 1, {"......", "......", "...P..", "...P..", "...P.."}},
      {"to the pen position itself", 2, 2, 2, 2, {"......", "......", "......", "......", "......"}},
      {"shallow", 0, 0, 4, 2, {"PP....", "..PP..", "......", "......", "......"}},
      {"shallow, drawn back", 4, 2, 0, 0, {".P....", "..PP..", "....P.", "......", "......"}},
      {"steep", 1, 0, 3, 4, {".P....", ".P....", "..P...", "..P...", "......"}},
      {"diagonal", 0, 0, 4, 4, {"P.....", ".P....", "..P...", "...P..", "......"}},
      {"clipped at both ends", -3, 2, 9, 2, {"......", "......", "PPPPPP", "......", "......"}},
      {"from far away", INT_MIN, 1, 3, 1, {"......", "PPP...", "......", "......", "......"}},
  };
  for (const LineCase& c : cases) {
    TBitmap bitmap(6, 5);
    bitmap.Canvas().SetPenColor(kPen);
    bitmap.Canvas().MoveTo(c.x0, c.y0);
    bitmap.Canvas().LineTo(c.x1, c.y1);
    EXPECT_EQ(Letters(bitmap.Canvas()), c.expected) << c.name;
    EXPECT_EQ(bitmap.Canvas().PenPos(), QPoint(c.x1, c.y1)) << c.name;
  }
}

// A line and the same line drawn back cover the same pixels (apart from the end
// each leaves out): ties between two pixels are broken the same way both ways.
TEST(CanvasLineTo, ReversedLineCoversTheSamePixels) {
  for (int x = 0; x < 11; ++x) {
    for (int y = 0; y < 11; ++y) {
      TBitmap forward(11, 11), backward(11, 11);
      forward.Canvas().SetPenColor(kPen);
      backward.Canvas().SetPenColor(kPen);
      forward.Canvas().MoveTo(5, 5);
      forward.Canvas().LineTo(x, y);
      forward.Canvas().Pixels(x, y, kPen);
      backward.Canvas().MoveTo(x, y);
      backward.Canvas().LineTo(5, 5);
      backward.Canvas().Pixels(5, 5, kPen);
      EXPECT_EQ(Letters(forward.Canvas()), Letters(backward.Canvas())) << "to " << x << "," << y;
    }
  }
}

// Clipping never moves a pixel: a line through a small image matches the same
// line drawn whole on a large one.
TEST(CanvasLineTo, ClippingKeepsThePixelsOfTheWholeLine) {
  const int lines[][4] = {{-30, -7, 50, 20}, {25, -40, -3, 30}, {19, 9, -60, -2}, {3, 50, 12, -50}};
  constexpr int kShift = 100;
  for (const auto& l : lines) {
    TBitmap small(20, 10), large(220, 210);
    small.Canvas().SetPenColor(kPen);
    large.Canvas().SetPenColor(kPen);
    small.Canvas().MoveTo(l[0], l[1]);
    small.Canvas().LineTo(l[2], l[3]);
    large.Canvas().MoveTo(l[0] + kShift, l[1] + kShift);
    large.Canvas().LineTo(l[2] + kShift, l[3] + kShift);
    int painted = 0;
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 20; ++x) {
        EXPECT_EQ(small.Canvas().Pixels(x, y), large.Canvas().Pixels(x + kShift, y + kShift))
            << l[0] << "," << l[1] << " to " << l[2] << "," << l[3] << " at " << x << "," << y;
        painted += small.Canvas().Pixels(x, y) == kPen;
      }
    EXPECT_GT(painted, 0);
  }
}

TEST(CanvasPixels, SetsOnePixelAndIgnoresPointsOutside) {
  TBitmap bitmap(3, 2);
  bitmap.Canvas().Pixels(2, 1, kBrush);
  bitmap.Canvas().Pixels(3, 1, kPen);
  bitmap.Canvas().Pixels(-1, 0, kPen);
  EXPECT_EQ(Letters(bitmap.Canvas()), (std::vector<std::string>{"...", "..B"}));
  EXPECT_EQ(bitmap.Canvas().Pixels(2, 1), kBrush);
  EXPECT_EQ(bitmap.Canvas().Pixels(3, 1), clInvalidPixel);
  EXPECT_EQ(bitmap.Canvas().Pixels(0, -1), clInvalidPixel);
  // The colour goes in as 0x00BBGGRR and comes back unchanged.
  bitmap.Canvas().Pixels(0, 0, 0x123456);
  EXPECT_EQ(bitmap.Canvas().Pixels(0, 0), 0x123456u);
  EXPECT_EQ(bitmap.Image().pixel(0, 0), 0xFF563412u);  // Qt's 0xAARRGGBB
}

TEST(CanvasRoundRect, SmallEllipseIsAPlainRectangle) {
  for (int e : {0, 1, 2, -2}) {
    TBitmap round(6, 5), plain(6, 5);
    for (TBitmap* b : {&round, &plain}) {
      b->Canvas().SetPenColor(kPen);
      b->Canvas().SetBrushColor(kBrush);
    }
    round.Canvas().RoundRect(0, 0, 6, 5, e, e);
    plain.Canvas().Rectangle(0, 0, 6, 5);
    EXPECT_EQ(Letters(round.Canvas()), Letters(plain.Canvas())) << e;
  }
}

TEST(CanvasRoundRect, CornersAreRoundedAndTheOutlineClosed) {
  TBitmap bitmap(7, 6);
  bitmap.Canvas().SetPenColor(kPen);
  bitmap.Canvas().SetBrushColor(kBrush);
  bitmap.Canvas().RoundRect(0, 0, 6, 5, 3, 3);
  EXPECT_EQ(Letters(bitmap.Canvas()),
            (std::vector<std::string>{".PPPP..", "PBBBBP.", "PBBBBP.", "PBBBBP.", ".PPPP..", "......."}));

  // A large ellipse: each row of the outline reaches the row outside it, the
  // rows inset further toward the corners, the inside is brush.
  TBitmap big(20, 20);
  big.Canvas().SetPenColor(kPen);
  big.Canvas().SetBrushColor(kBrush);
  big.Canvas().RoundRect(0, 0, 20, 20, 12, 12);
  const auto rows = Letters(big.Canvas());
  int previousFirst = 20;
  for (int y = 0; y < 10; ++y) {
    const int first = int(rows[y].find('P'));
    ASSERT_GE(first, 0) << y;
    EXPECT_LE(first, previousFirst) << y;
    if (y > 0) {
      const int lastOfRun = std::max(first, previousFirst - 1);
      EXPECT_EQ(rows[y][lastOfRun], 'P') << y;
      EXPECT_EQ(rows[y][lastOfRun + 1], 'B') << y;
    }
    EXPECT_EQ(rows[y], rows[19 - y]) << "symmetric top and bottom " << y;
    previousFirst = first;
  }
  EXPECT_EQ(rows[0][0], '.');
  EXPECT_GE(rows[0].find('P'), 3u);
  EXPECT_EQ(rows[10], "PBBBBBBBBBBBBBBBBBBP");
}

TEST(CanvasCopyRect, CopiesClipsAndStretches) {
  TBitmap source(2, 2), target(5, 4);
  source.Canvas().Pixels(0, 0, kPen);
  source.Canvas().Pixels(1, 1, kBrush);
  // Plain copy, partly outside the target.
  target.Canvas().CopyRect({4, 3, 6, 5}, source.Canvas(), {0, 0, 2, 2});
  EXPECT_EQ(Letters(target.Canvas()), (std::vector<std::string>{".....", ".....", ".....", "....P"}));
  // Twice the size.
  TBitmap stretched(5, 4);
  stretched.Canvas().CopyRect({0, 0, 4, 4}, source.Canvas(), {0, 0, 2, 2});
  EXPECT_EQ(Letters(stretched.Canvas()), (std::vector<std::string>{"PP...", "PP...", "..BB.", "..BB."}));
  // Mirrored left to right.
  TBitmap mirrored(5, 4);
  mirrored.Canvas().CopyRect({2, 0, 0, 2}, source.Canvas(), {0, 0, 2, 2});
  EXPECT_EQ(Letters(mirrored.Canvas()), (std::vector<std::string>{".P...", "B....", ".....", "....."}));
}

TEST(CopyBlock, OverlappingCopyInsideOneImage) {
  TBitmap bitmap(4, 4);
  bitmap.Canvas().SetPenColor(kPen);
  bitmap.Canvas().SetBrushColor(kBrush);
  bitmap.Canvas().Rectangle(0, 0, 3, 3);
  QImage& image = const_cast<QImage&>(bitmap.Image());
  CopyBlock(image, 1, 1, 3, 3, bitmap.Image(), 0, 0);
  EXPECT_EQ(Letters(bitmap.Canvas()), (std::vector<std::string>{"PPP.", "PPPP", "PPBP", ".PPP"}));
}

TEST(Bitmap, ResizingKeepsPixelsAndCanvas) {
  TBitmap bitmap(3, 2);
  EXPECT_EQ(bitmap.Width(), 3);
  EXPECT_EQ(bitmap.Height(), 2);
  bitmap.Canvas().SetBrushColor(kBrush);
  bitmap.Canvas().Pixels(1, 1, kPen);
  bitmap.SetWidth(5);
  bitmap.SetHeight(0);
  EXPECT_EQ(bitmap.Width(), 5);
  EXPECT_EQ(bitmap.Height(), 0);
  bitmap.Canvas().Rectangle(0, 0, 5, 5);  // nothing to draw on, nothing breaks
  bitmap.SetSize(4, 3);
  EXPECT_EQ(bitmap.Canvas().BrushColor(), kBrush);
  EXPECT_EQ(Letters(bitmap.Canvas()), (std::vector<std::string>{"....", "....", "...."}));
  TBitmap other(2, 2);
  other.Canvas().Pixels(1, 1, kPen);
  bitmap.SetSize(2, 2);
  bitmap.SetSize(3, 3);
  bitmap.BitBlt(1, 1, 2, 2, other.Image(), 0, 0);
  EXPECT_EQ(Letters(bitmap.Canvas()), (std::vector<std::string>{"...", "...", "..P"}));
}

TEST(PaintBox, BlockCopyLandsInTheFrame) {
  TPaintBox box;
  box.resize(6, 4);  // hidden: the frame follows at the next copy
  TBitmap picture(3, 3);
  picture.Canvas().Pixels(0, 0, kPen);
  picture.Canvas().Pixels(2, 2, kBrush);
  box.BitBlt(4, 2, 3, 3, picture.Image(), 0, 0);
  ASSERT_EQ(box.Frame().size(), QSize(6, 4));
  EXPECT_EQ(box.Frame().pixel(4, 2), PixelOf(kPen));
  EXPECT_EQ(box.Frame().pixel(5, 3), PixelOf(clBlack));
  // The frame is the box's own copy: later drawing in the picture does not show.
  picture.Canvas().Pixels(0, 0, kBrush);
  EXPECT_EQ(box.Frame().pixel(4, 2), PixelOf(kPen));
  box.BitBlt(-1, -1, 3, 3, picture.Image(), 0, 0);
  EXPECT_EQ(box.Frame().pixel(1, 1), PixelOf(kBrush));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
