#pragma once
// Message boxes for tests: each box is recorded and answered from a script,
// without a modal loop. Installs itself on the application while it exists.

#include <functional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

struct TShownBox {
  enum Kind { Message, Error, OkCancel } kind;
  std::string caption;
  std::string text;
};

class TScriptedDialogs final : public TDialogs {
 public:
  TScriptedDialogs();
  ~TScriptedDialogs() override;

  void Message(const std::string& caption, const std::string& text) override;
  void Error(const std::string& caption, const std::string& text) override;
  bool OkCancel(const std::string& caption, const std::string& text) override;

  std::vector<TShownBox> shown;
  bool answerOk = true;
  // Runs while a box is "open", like a modal loop that dispatches ticks.
  std::function<void()> whileOpen;

 private:
  void Show(TShownBox::Kind kind, const std::string& caption, const std::string& text);
};
