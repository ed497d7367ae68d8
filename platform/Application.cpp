#include "platform/Application.h"

#include <QApplication>
#include <QWidget>
#include <cstdio>

#include "platform/Handler.h"

TApplication& TApplication::Instance() {
  static TApplication application;
  return application;
}

const std::string& TApplication::Title() const {
  if (title_.empty() && qApp) title_ = QCoreApplication::applicationName().toStdString();
  return title_;
}

void TApplication::SetTitle(std::string title) {
  // Kept here only: Qt's application display name would be appended to every
  // window's caption ("Warning! — TALMO"), and captions are the program's own.
  title_ = std::move(title);
}

void TApplication::SetIcon(const QIcon& icon) {
  icon_ = icon;
  if (qApp) QApplication::setWindowIcon(icon_);
}

void TApplication::MessageBox(const std::string& text) { Dialogs().Message(Title(), text); }

void TApplication::ErrorBox(const std::string& text) { Dialogs().Error(Title(), text); }

bool TApplication::Confirm(const std::string& text, const std::string& caption) {
  return Dialogs().OkCancel(caption, text);
}

void TApplication::ShowException(const std::string& text) {
  if (reportOpen_) {
    std::fprintf(stderr, "%s: %s\n", Title().c_str(), text.c_str());
    return;
  }
  reportOpen_ = true;
  try {
    Dialogs().Error(Title(), text);
  } catch (...) {
    reportOpen_ = false;
    throw;
  }
  reportOpen_ = false;
}

void TApplication::Restore() {
  if (mainWindow_ && mainWindow_->isMinimized()) mainWindow_->showNormal();
}

void ReportHandlerError(const std::string& text) {
  try {
    TApplication::Instance().ShowException(text);
  } catch (const TProcessEnded&) {
    throw;
  } catch (...) {
    // The report itself failed (no display, say): standard error is what is left.
    std::fprintf(stderr, "%s\n", text.c_str());
  }
}
