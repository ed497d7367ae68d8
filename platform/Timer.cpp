#include "platform/Timer.h"

#include "platform/Handler.h"

TTimer::TTimer(unsigned interval, bool enabled)
    : interval_(interval), enabled_(enabled), driver_(MakeTimerDriver([this] { Tick(); })) {}

TTimer::~TTimer() { driver_->Stop(); }

void TTimer::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  Update();
}

void TTimer::SetInterval(unsigned value) {
  if (value == interval_) return;
  interval_ = value;
  Update();
}

void TTimer::SetOnTimer(std::function<void()> handler) {
  onTimer_ = std::move(handler);
  Update();
}

void TTimer::Update() {
  driver_->Stop();
  running_ = enabled_ && interval_ > 0 && onTimer_;
  if (running_) driver_->Start(interval_);
}

void TTimer::Tick() {
  if (running_) RunHandler(onTimer_);
}
