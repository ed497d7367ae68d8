#pragma once
// The notification-area icon: added once, deleted at most once, tip "TALMO".
// Mouse activity over it reaches the window as classic mouse message values.

#include <QObject>
#include <QSystemTrayIcon>
#include <functional>
#include <memory>

constexpr unsigned WM_TRAYNOTIFY = 3022;  // the icon's private callback message
constexpr unsigned WM_LBUTTONUP = 0x202;
constexpr unsigned WM_LBUTTONDBLCLK = 0x203;
constexpr unsigned WM_RBUTTONDOWN = 0x204;
constexpr unsigned WM_MBUTTONDOWN = 0x207;

class TTrayIcon {
 public:
  // onNotify receives the mouse message that happened over the icon.
  explicit TTrayIcon(std::function<void(unsigned)> onNotify);
  ~TTrayIcon();

  // Where the desktop has no tray, nothing is added and the program goes on without it.
  void Add(const QIcon& icon, const QString& tip);
  void Delete();
  bool Visible() const;
  QSystemTrayIcon* Icon() const { return icon_.get(); }

  static unsigned MouseMessageFor(QSystemTrayIcon::ActivationReason reason);

 private:
  std::function<void(unsigned)> onNotify_;
  std::unique_ptr<QSystemTrayIcon> icon_;
};
