// The window's commands: its menu, the tray icon and its pop-up menu.
#include <QCursor>
#include <QWindow>

#include "about/AboutDlg.h"
#include "platform/Application.h"
#include "platform/ComSetupDialog.h"
#include "platform/Handler.h"
#include "shell/TalmoForm.h"

namespace {
constexpr unsigned kMuteCommand = 333;
constexpr unsigned kComSettingsCommand = 444;
constexpr unsigned kAboutCommand = 666;
// The low four bits of a window command are the system's own; the default
// handling ignores them.
constexpr unsigned kWindowCommandMask = 0xFFF0;
}  // namespace

void TTalmoForm::CreateMenus() {
  SystemMenu.ModifyMenu(SC_CLOSE, "&Quit\tAlt+F4");
  SystemMenu.AppendSeparator();
  SystemMenu.AppendItem(kMuteCommand, "Mute");
  SystemMenu.AppendItem(kComSettingsCommand, "COM Settings");
  SystemMenu.AppendSeparator();
  SystemMenu.AppendItem(kAboutCommand, "&About...");

  TrayPopupMenu = new QMenu(this);
  const std::pair<const char*, void (TTalmoForm::*)()> items[] = {
      {"Mute", &TTalmoForm::MuteButtonClick},
      {"COM Settings", &TTalmoForm::CommSettingsButtonClick},
      {"About", &TTalmoForm::AboutClick},
      {"Exit", &TTalmoForm::ExitClick},
  };
  for (const auto& [caption, handler] : items) {
    QAction* action = TrayPopupMenu->addAction(caption);
    connect(action, &QAction::triggered, this, [this, handler = handler] { RunHandler([&] { (this->*handler)(); }); });
  }
}

void TTalmoForm::SysMenuCommand(unsigned command) {
  switch (command & kWindowCommandMask) {
    case SC_RESTORE: showNormal(); break;
    case SC_MINIMIZE: showMinimized(); break;
    case SC_MAXIMIZE: showMaximized(); break;
    case SC_MOVE:
      if (windowHandle()) windowHandle()->startSystemMove();
      break;
    case SC_SIZE:
      if (windowHandle()) windowHandle()->startSystemResize(Qt::BottomEdge | Qt::RightEdge);
      break;
    case SC_CLOSE: close(); break;
    default: break;
  }
  // Whole values, no masking: 334 is not mute.
  if (command == kAboutCommand) About();
  if (command == kMuteCommand) MuteButtonClick();
  if (command == kComSettingsCommand) CommSettingsButtonClick();
}

void TTalmoForm::TrayIconNotify(unsigned mouseMessage) {
  if (mouseMessage != WM_RBUTTONDOWN) return;
  raise();
  activateWindow();
  const QPoint cursor = QCursor::pos();
  TApplication::Instance().Restore();
  TrayPopupMenu->popup(cursor);
}

void TTalmoForm::About() { AppAboutDlg->Execute(); }

void TTalmoForm::CommSettingsButtonClick() { ShowComSetupDialog(ComPort, this); }
