#pragma once
// A push button whose caption the program reads back (the mute state is the
// caption), with the font colour and weight the program sets.

#include <QPushButton>
#include <functional>
#include <string>

#include "platform/Types.h"

class TButton : public QPushButton {
 public:
  explicit TButton(QWidget* parent = nullptr);

  // Kept as the program set it, so reading it on every tick costs nothing.
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  TColor FontColor() const { return fontColor_; }
  void SetFontColor(TColor color);
  bool FontBold() const { return font().bold(); }
  void SetFontBold(bool bold);

  std::function<void()> OnClick;
  std::string Hint;

 private:
  std::string caption_;
  TColor fontColor_ = clBlack;
};
