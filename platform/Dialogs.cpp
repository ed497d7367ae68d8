#include "platform/Dialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QWidget* ActiveParent() { return QApplication::activeWindow(); }

void ShowBox(QMessageBox::Icon icon, const std::string& caption, const std::string& text) {
  QMessageBox box(icon, QString::fromStdString(caption), QString::fromStdString(text), QMessageBox::Ok,
                  ActiveParent());
  box.exec();
}

class QtMessageBoxes final : public TDialogs {
 public:
  void Message(const std::string& caption, const std::string& text) override {
    ShowBox(QMessageBox::NoIcon, caption, text);
  }
  void Error(const std::string& caption, const std::string& text) override {
    ShowBox(QMessageBox::Critical, caption, text);
  }
  bool OkCancel(const std::string& caption, const std::string& text) override {
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::Ok | QMessageBox::Cancel, ActiveParent());
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
  }
};

}  // namespace

TDialogs& QtDialogs() {
  static QtMessageBoxes dialogs;
  return dialogs;
}
