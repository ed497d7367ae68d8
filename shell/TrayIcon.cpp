#include "shell/TrayIcon.h"

#include "platform/Handler.h"

TTrayIcon::TTrayIcon(std::function<void(unsigned)> onNotify) : onNotify_(std::move(onNotify)) {}

TTrayIcon::~TTrayIcon() = default;

unsigned TTrayIcon::MouseMessageFor(QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
    case QSystemTrayIcon::Context: return WM_RBUTTONDOWN;
    case QSystemTrayIcon::DoubleClick: return WM_LBUTTONDBLCLK;
    case QSystemTrayIcon::MiddleClick: return WM_MBUTTONDOWN;
    case QSystemTrayIcon::Trigger:
    case QSystemTrayIcon::Unknown: break;
  }
  return WM_LBUTTONUP;
}

void TTrayIcon::Add(const QIcon& icon, const QString& tip) {
  if (icon_ || !QSystemTrayIcon::isSystemTrayAvailable()) return;
  icon_ = std::make_unique<QSystemTrayIcon>(icon);
  icon_->setToolTip(tip);
  QObject::connect(icon_.get(), &QSystemTrayIcon::activated, [this](QSystemTrayIcon::ActivationReason reason) {
    RunHandler([&] { onNotify_(MouseMessageFor(reason)); });
  });
  icon_->show();
}

void TTrayIcon::Delete() {
  if (!icon_) return;
  icon_->hide();
  icon_.reset();
}

bool TTrayIcon::Visible() const { return icon_ && icon_->isVisible(); }
