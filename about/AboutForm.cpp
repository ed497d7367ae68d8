#include "about/AboutForm.h"

#include <QApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <algorithm>

#include "platform/Handler.h"

namespace {

QLabel* MakeLabel(QWidget* parent, int left, int top, const QString& caption) {
  auto* label = new QLabel(caption, parent);
  label->move(left, top);
  label->adjustSize();
  return label;
}

// A one-line label takes the width of its text.
void FitOneLine(QLabel& label, const QString& text) {
  label.setText(text);
  label.adjustSize();
}

// A wrapping label keeps its designed width and breaks its text at spaces into as
// many lines as needed, growing downwards; only a single word wider than the
// designed width widens it. The lines are broken here rather than by Qt's word
// wrap, which would also break inside a web address at its slashes and dots.
void FitWrapped(QLabel& label, const QString& text, int designedWidth) {
  const QFontMetrics metrics(label.font());
  const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  int width = designedWidth;
  for (const QString& word : words) width = std::max(width, metrics.horizontalAdvance(word));

  QStringList lines;
  QString line;
  for (const QString& word : words) {
    const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
    if (!line.isEmpty() && metrics.horizontalAdvance(longer) > width) {
      lines << line;
      line = word;
    } else {
      line = longer;
    }
  }
  if (!line.isEmpty() || lines.isEmpty()) lines << line;

  label.setText(lines.join(QLatin1Char('\n')));
  label.resize(width, metrics.lineSpacing() * static_cast<int>(lines.size()));
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(QStringLiteral("About"));
  // The program's dialogs use the default sans font at 8 points.
  QFont font = QApplication::font();
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(8);
  setFont(font);
  setFixedSize(296, 182);

  CreatePanels();
  CreateLabels();
  CreateOKButton();
}

void TAboutBox::CreatePanels() {
  // Lowered outside, raised inside: the etched frame around the contents.
  Panel1 = new QFrame(this);
  Panel1->setGeometry(8, 8, 281, 137);
  Panel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
  Panel1->setLineWidth(1);
  Panel1->setMidLineWidth(0);

  Panel2 = new QFrame(Panel1);
  Panel2->setGeometry(8, 8, 50, 50);
  Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel2->setLineWidth(1);

  Image1 = new QLabel(Panel2);
  Image1->setGeometry(Panel2->contentsRect());
  Image1->setAlignment(Qt::AlignCenter);
  Image1->setScaledContents(false);
}

void TAboutBox::CreateLabels() {
  ProductName = MakeLabel(Panel1, 64, 8, QStringLiteral("Product Name"));
  Copyright = MakeLabel(Panel1, 64, 40, QStringLiteral("Copyright"));
  Programmer = MakeLabel(Panel1, 64, 72, QStringLiteral("Programmer:"));
  Website = MakeLabel(Panel1, 64, 104, QStringLiteral("WebSite:"));
  FitWrapped(*Programmer, Programmer->text(), ProgrammerWidth);
  FitWrapped(*Website, Website->text(), WebsiteWidth);
}

void TAboutBox::CreateOKButton() {
  OKButton = new QPushButton(QStringLiteral("OK"), this);
  OKButton->setGeometry(111, 152, 75, 25);
  OKButton->setDefault(true);
  OKButton->setFocus();
  connect(OKButton, &QPushButton::clicked, this, [this] { RunHandler([this] { OKButtonClick(); }); });
}

void TAboutBox::SetTexts(const QString& productName, const QString& copyright, const QString& programmer,
                         const QString& website) {
  FitOneLine(*ProductName, productName);
  FitOneLine(*Copyright, copyright);
  FitWrapped(*Programmer, programmer, ProgrammerWidth);
  FitWrapped(*Website, website, WebsiteWidth);
}

void TAboutBox::SetPicture(const QIcon& icon) {
  const QSize area = Image1->size();
  Image1->setPixmap(icon.isNull() ? QPixmap() : icon.pixmap(area));
}

void TAboutBox::OKButtonClick() { done(mrOk); }

void TAboutBox::reject() { done(mrCancel); }

void TAboutBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}
