#pragma once
// The engine wired to real controls and timers, a scripted capture library, a
// recording serial port and a manual clock: what the main window sets up, minus
// the window.

#include <memory>

#include "controls/Led1.h"
#include "controls/spectrum_vis.h"
#include "engine/Keying.h"
#include "engine/LevelMeter.h"
#include "engine/MuteMode.h"
#include "platform/Button.h"
#include "platform/PaintBox.h"
#include "platform/Timer.h"
#include "platform/TrackBar.h"
#include "settings/Log.h"
#include "support/ManualClock.h"
#include "support/RecordingPort.h"
#include "support/ScriptedCapture.h"

class TRecordingMenus final : public TMuteMenuItems {
 public:
  void SetPopupMuteCaption(const std::string& caption) override { popup = caption; }
  void SetSystemMenuMuteItem(const std::string& text, bool isChecked) override {
    system = text;
    checked = isChecked;
  }
  std::string popup = "Mute";
  std::string system = "Mute";
  bool checked = false;
};

struct TVoxRig {
  // lines: the serial lines keying drives; the recording port when none is given.
  explicit TVoxRig(TSerialLines* lines = nullptr);

  // Runs n sound ticks (10 ms each) with the given spectrum.
  void Ticks(int n, const TFFTBlock& spectrum);
  // Smoothed level shown on the threshold bar.
  int Shown() const { return SquelchTrack.SelEnd(); }

  TManualClock Clock;  // before the timers
  TTimer TimerSound{10, true};
  TTimer TimerLED{1000, true};
  TTimer TimerBlink{1000, false};
  TTrackBar SquelchTrack;
  TTrackBar DelayTrack;
  TLed LED;
  TButton MuteButton;
  TPaintBox PaintBox;
  TRecordingPort Port;
  TScriptedCapture Bass;
  TSpectrum Spectrum{161, 137};
  TLog Log;
  TRecordingMenus Menus;
  TSerialLines& Lines;
  TKeying Keying{{TimerLED, DelayTrack, LED, Lines}};
  TLevelMeter LevelMeter{{Bass, TimerSound, SquelchTrack, MuteButton, PaintBox, Keying}};
  TMuteMode MuteMode{{MuteButton, LED, TimerBlink, &Menus}};
  int soundTicks = 0;
};
