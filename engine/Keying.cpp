#include "engine/Keying.h"

#include "controls/Led1.h"
#include "platform/ComPort.h"
#include "platform/Timer.h"
#include "platform/TrackBar.h"

namespace {
constexpr unsigned kMsPerDelayStep = 20;
}

void TKeying::SquelchOn() {
  // Disable, then enable: a full period from now even when the interval is unchanged.
  p_.TimerLED.SetEnabled(false);
  p_.TimerLED.SetInterval(static_cast<unsigned>(p_.DelayTrack.Position()) * kMsPerDelayStep);
  p_.TimerLED.SetEnabled(true);
  TxActive = true;
  p_.LED.SetOn(true);
  if (p_.ComPort.Connected()) {
    p_.ComPort.SetDTR(true);
    p_.ComPort.SetRTS(true);
  }
}

void TKeying::SquelchOff() {
  p_.TimerLED.SetInterval(0);
  p_.TimerLED.SetEnabled(false);
  TxActive = false;
  p_.LED.SetOn(false);
  if (p_.ComPort.Connected()) {
    p_.ComPort.SetDTR(false);
    p_.ComPort.SetRTS(false);
  }
}

void TKeying::DelayTrackChange() { p_.DelayTrack.SetSelEnd(p_.DelayTrack.Position()); }
