#pragma once
// The window menu. Linux desktops give a program no way to extend the window
// manager's menu, so the main window carries its own: it opens on a right-click on
// the window's background and with Alt+Space, holds the standard window commands
// that Qt can carry out, and the program's own commands. Every item sends its
// command value to the window's system-command handler.

#include <QMenu>
#include <functional>
#include <string>
#include <vector>

// Window commands, with their classic values.
constexpr unsigned SC_SIZE = 0xF000;
constexpr unsigned SC_MOVE = 0xF010;
constexpr unsigned SC_MINIMIZE = 0xF020;
constexpr unsigned SC_MAXIMIZE = 0xF030;
constexpr unsigned SC_CLOSE = 0xF060;
constexpr unsigned SC_RESTORE = 0xF120;

struct TSystemMenuItem {
  unsigned Command = 0;  // 0 for a separator
  std::string Text;
  bool Checked = false;
  bool Separator() const { return Command == 0; }
};

class TSystemMenu {
 public:
  // The standard items; onCommand receives every chosen item's command value.
  explicit TSystemMenu(std::function<void(unsigned)> onCommand);

  // Relabels the item with this command (it stays a plain text item).
  void ModifyMenu(unsigned command, const std::string& text, bool checked = false);
  void AppendSeparator();
  void AppendItem(unsigned command, const std::string& text);

  const std::vector<TSystemMenuItem>& Items() const { return items_; }
  const TSystemMenuItem* Find(unsigned command) const;

  // Opens the menu at a screen position (built from the items as they are now).
  void Popup(const QPoint& screenPos, QWidget* parent);
  // The menu as Qt shows it; rebuilt from Items() on every call.
  QMenu* Build(QWidget* parent);

 private:
  std::vector<TSystemMenuItem> items_;
  std::function<void(unsigned)> onCommand_;
  QMenu* menu_ = nullptr;
};
