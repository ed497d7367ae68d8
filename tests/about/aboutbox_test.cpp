#include "about/AboutForm.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStringList>

namespace {

TEST(AboutBox, LayoutAsDesigned) {
  TAboutBox box;
  EXPECT_EQ(box.size(), QSize(296, 182));
  EXPECT_EQ(box.minimumSize(), box.maximumSize());
  const Qt::WindowFlags flags = box.windowFlags();
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(box.font().pointSize(), 8);

  EXPECT_EQ(box.Panel1->geometry(), QRect(8, 8, 281, 137));
  EXPECT_EQ(box.Panel1->frameShape(), QFrame::Box);
  EXPECT_EQ(box.Panel1->frameShadow(), QFrame::Sunken);
  EXPECT_EQ(box.Panel2->parentWidget(), box.Panel1);
  EXPECT_EQ(box.Panel2->geometry(), QRect(8, 8, 50, 50));
  EXPECT_EQ(box.Panel2->frameShape(), QFrame::Panel);
  EXPECT_EQ(box.Panel2->frameShadow(), QFrame::Sunken);
  EXPECT_EQ(box.Image1->geometry(), QRect(1, 1, 48, 48));

  const struct {
    QLabel* label;
    QPoint place;
  } labels[] = {{box.ProductName, {64, 8}}, {box.Copyright, {64, 40}}, {box.Programmer, {64, 72}}, {box.Website, {64, 104}}};
  for (const auto& l : labels) {
    EXPECT_EQ(l.label->parentWidget(), box.Panel1) << l.label->text().toStdString();
    EXPECT_EQ(l.label->pos(), l.place) << l.label->text().toStdString();
  }

  EXPECT_EQ(box.OKButton->parentWidget(), &box);
  EXPECT_EQ(box.OKButton->geometry(), QRect(111, 152, 75, 25));
  EXPECT_EQ(box.OKButton->text(), "OK");
  EXPECT_TRUE(box.OKButton->isDefault());
}

TEST(AboutBox, OneLineLabelsTakeTheWidthOfTheirText) {
  TAboutBox box;
  box.SetTexts("TALMO 1.0.22 with a rather long product line", "(c) the TALMO authors", "", "");
  const QFontMetrics metrics(box.ProductName->font());
  EXPECT_EQ(box.ProductName->width(), metrics.horizontalAdvance(box.ProductName->text()));
  EXPECT_EQ(box.Copyright->width(), metrics.horizontalAdvance("(c) the TALMO authors"));
  EXPECT_EQ(box.ProductName->height(), box.Copyright->height());
}

struct WrapCase {
  const char* name;
  QString text;
  bool website;  // the Website label (designed 44) or the Programmer label (designed 59)
  // What the label must look like, worked out from the font by the case itself.
  bool widened;  // wider than designed: exactly as wide as its widest word
  bool severalLines;
};

void PrintTo(const WrapCase& c, std::ostream* os) { *os << c.name; }

class AboutBoxWrapping : public testing::TestWithParam<WrapCase> {};

TEST_P(AboutBoxWrapping, KeepsDesignedWidthBreaksAtSpacesWidensOnlyForOneLongWord) {
  const WrapCase& c = GetParam();
  TAboutBox box;
  box.SetTexts("", "", c.website ? "" : c.text, c.website ? c.text : "");
  QLabel& label = c.website ? *box.Website : *box.Programmer;
  const int designed = c.website ? TAboutBox::WebsiteWidth : TAboutBox::ProgrammerWidth;
  const QFontMetrics metrics(label.font());

  int widestWord = 0;
  for (const QString& word : c.text.split(' ', Qt::SkipEmptyParts))
    widestWord = std::max(widestWord, metrics.horizontalAdvance(word));
  EXPECT_EQ(label.width(), c.widened ? widestWord : designed);

  // The shown lines are the words in order, broken only at spaces, none wider than the label.
  const QStringList lines = label.text().split('\n');
  EXPECT_EQ(lines.join(' '), c.text.split(' ', Qt::SkipEmptyParts).join(' '));
  for (const QString& line : lines) EXPECT_LE(metrics.horizontalAdvance(line), label.width()) << line.toStdString();
  EXPECT_EQ(lines.size() > 1, c.severalLines);
  // It grows downwards, one line height per line, from where it was placed.
  EXPECT_EQ(label.height(), metrics.lineSpacing() * lines.size());
  EXPECT_EQ(label.pos(), QPoint(64, c.website ? 104 : 72));
}

INSTANTIATE_TEST_SUITE_P(
    Table, AboutBoxWrapping,
    testing::Values(WrapCase{"ShortTextStaysOneLineAtDesignedWidth", "Free", false, false, false},
                    WrapCase{"TextWithSpacesWrapsDownwards", "Free software under the GNU GPL", false, false, true},
                    WrapCase{"AddressWithoutSpacesWidensOnOneLine", "https://talmo.example.org/", true, true, false},
                    WrapCase{"LongWordAmongShortOnesWidensAndWraps", "see https://talmo.example.org/ now", true,
                             true, true},
                    WrapCase{"EmptyTextKeepsOneEmptyLine", "", true, false, false}),
    [](const testing::TestParamInfo<WrapCase>& info) { return info.param.name; });

TEST(AboutBox, PictureIsCentredAndNeverStretched) {
  TAboutBox box;
  EXPECT_EQ(box.Image1->alignment(), Qt::AlignCenter);
  EXPECT_FALSE(box.Image1->hasScaledContents());

  QPixmap small(32, 32);
  small.fill(Qt::red);
  box.SetPicture(QIcon(small));
  EXPECT_EQ(box.Image1->pixmap().size(), QSize(32, 32));

  QPixmap large(64, 64);
  large.fill(Qt::blue);
  box.SetPicture(QIcon(large));
  EXPECT_EQ(box.Image1->pixmap().size(), QSize(48, 48));

  box.SetPicture(QIcon());
  EXPECT_TRUE(box.Image1->pixmap().isNull());
}

}  // namespace
