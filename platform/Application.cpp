#include "platform/Application.h"

#include <QApplication>
#include <QWidget>
#include <cstdio>

#include "platform/Handler.h"

TApplication& TApplication::Instance() {
  static TApplication application;
  return application;
}

void TApplication::SetTitle(std::string title) {
  title_ = std::move(title);
  if (qApp) QApplication::setApplicationDisplayName(QString::fromStdString(title_));
}

void TApplication::SetIcon(const QIcon& icon) {
  icon_ = icon;
  if (qApp) QApplication::setWindowIcon(icon_);
}

void TApplication::MessageBox(const std::string& text) { Dialogs().Message(title_, text); }

void TApplication::ErrorBox(const std::string& text) { Dialogs().Error(title_, text); }

bool TApplication::Confirm(const std::string& text, const std::string& caption) {
  return Dialogs().OkCancel(caption, text);
}

void TApplication::ShowException(const std::string& text) {
  if (reportOpen_) {
    std::fprintf(stderr, "%s: %s\n", title_.c_str(), text.c_str());
    return;
  }
  reportOpen_ = true;
  try {
    Dialogs().Error(title_, text);
  } catch (...) {
    reportOpen_ = false;
    throw;
  }
  reportOpen_ = false;
}

void TApplication::Restore() {
  if (mainWindow_ && mainWindow_->isMinimized()) mainWindow_->showNormal();
}

void ReportHandlerError(const std::string& text) { TApplication::Instance().ShowException(text); }
