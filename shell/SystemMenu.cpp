#include "shell/SystemMenu.h"

#include "platform/Handler.h"

TSystemMenu::TSystemMenu(std::function<void(unsigned)> onCommand)
    : items_{{SC_RESTORE, "&Restore"}, {SC_MOVE, "&Move"},         {SC_SIZE, "&Size"},
             {SC_MINIMIZE, "Mi&nimize"}, {SC_MAXIMIZE, "Ma&ximize"}, {0, ""},
             {SC_CLOSE, "&Close\tAlt+F4"}},
      onCommand_(std::move(onCommand)) {}

void TSystemMenu::ModifyMenu(unsigned command, const std::string& text, bool checked) {
  for (TSystemMenuItem& item : items_) {
    if (item.Command == command) {
      item.Text = text;
      item.Checked = checked;
      return;
    }
  }
}

void TSystemMenu::AppendSeparator() { items_.push_back({0, ""}); }

void TSystemMenu::AppendItem(unsigned command, const std::string& text) { items_.push_back({command, text}); }

const TSystemMenuItem* TSystemMenu::Find(unsigned command) const {
  for (const TSystemMenuItem& item : items_)
    if (item.Command == command) return &item;
  return nullptr;
}

QMenu* TSystemMenu::Build(QWidget* parent) {
  if (menu_) menu_->deleteLater();  // the old one may still be emitting
  menu_ = new QMenu(parent);
  for (const TSystemMenuItem& item : items_) {
    if (item.Separator()) {
      menu_->addSeparator();
      continue;
    }
    // A tab separates the text from its shortcut text, as Qt's menus expect.
    QAction* action = menu_->addAction(QString::fromStdString(item.Text));
    action->setCheckable(item.Checked);
    action->setChecked(item.Checked);
    const unsigned command = item.Command;
    QObject::connect(action, &QAction::triggered, menu_, [this, command] {
      RunHandler([&] { onCommand_(command); });
    });
  }
  return menu_;
}

void TSystemMenu::Popup(const QPoint& screenPos, QWidget* parent) { Build(parent)->popup(screenPos); }
