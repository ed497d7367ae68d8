#pragma once
// The application object: title, icon, the message boxes the program shows and
// the default error report for errors that leave a handler.

#include <QIcon>
#include <string>

#include "platform/Dialogs.h"

class QWidget;

class TApplication {
 public:
  static TApplication& Instance();

  // Until the program sets one, the title is the executable's name.
  const std::string& Title() const;
  void SetTitle(std::string title);
  const QIcon& Icon() const { return icon_; }
  void SetIcon(const QIcon& icon);
  void SetMainWindow(QWidget* window) { mainWindow_ = window; }
  QWidget* MainWindow() const { return mainWindow_; }

  // A plain box captioned with the title.
  void MessageBox(const std::string& text);
  // The error box with one OK button, captioned with the title.
  void ErrorBox(const std::string& text);
  // OK/Cancel question without icon; true for OK.
  bool Confirm(const std::string& text, const std::string& caption);
  // The default error report: the error's text in an error box captioned with the
  // title. One box at a time: a handler that fails on every tick would otherwise
  // stack a new modal box every 10 ms, since ticks go on inside the box; while a
  // report is open, further reports go to standard error.
  void ShowException(const std::string& text);

  // Brings a minimised main window back.
  void Restore();

  // nullptr restores Qt's boxes.
  void SetDialogs(TDialogs* dialogs) { dialogs_ = dialogs; }

 private:
  TDialogs& Dialogs() { return dialogs_ ? *dialogs_ : QtDialogs(); }

  mutable std::string title_;
  QIcon icon_;
  QWidget* mainWindow_ = nullptr;
  TDialogs* dialogs_ = nullptr;
  bool reportOpen_ = false;
};
