#include "platform/Button.h"

#include "platform/Handler.h"

TButton::TButton(QWidget* parent) : QPushButton(parent) {
  connect(this, &QPushButton::clicked, this, [this] {
    if (OnClick) RunHandler(OnClick);
  });
}

void TButton::SetCaption(const std::string& caption) {
  caption_ = caption;
  setText(QString::fromStdString(caption));
}

void TButton::SetFontColor(TColor color) {
  fontColor_ = color;
  QPalette colors = palette();
  colors.setColor(QPalette::ButtonText, QColor(RedOf(color), GreenOf(color), BlueOf(color)));
  setPalette(colors);
}

void TButton::SetFontBold(bool bold) {
  QFont f = font();
  f.setBold(bold);
  setFont(f);
}
