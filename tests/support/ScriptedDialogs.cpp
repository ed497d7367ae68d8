#include "support/ScriptedDialogs.h"

#include "platform/Application.h"

TScriptedDialogs::TScriptedDialogs() { TApplication::Instance().SetDialogs(this); }

TScriptedDialogs::~TScriptedDialogs() { TApplication::Instance().SetDialogs(nullptr); }

void TScriptedDialogs::Show(TShownBox::Kind kind, const std::string& caption, const std::string& text) {
  shown.push_back({kind, caption, text});
  if (whileOpen) whileOpen();
}

void TScriptedDialogs::Message(const std::string& caption, const std::string& text) {
  Show(TShownBox::Message, caption, text);
}

void TScriptedDialogs::Error(const std::string& caption, const std::string& text) {
  Show(TShownBox::Error, caption, text);
}

bool TScriptedDialogs::OkCancel(const std::string& caption, const std::string& text) {
  Show(TShownBox::OkCancel, caption, text);
  return answerOk;
}
