#include "support/VoxRig.h"

TVoxRig::TVoxRig(TSerialLines* lines) : Lines(lines ? *lines : Port) {
  SquelchTrack.SetMax(100);
  SquelchTrack.SetPosition(10);
  DelayTrack.SetMax(100);
  DelayTrack.SetPosition(50);
  LED.setGeometry(0, 0, 30, 29);
  PaintBox.setGeometry(0, 0, 161, 137);
  MuteButton.SetCaption("MUTE");
  Spectrum.BinStep = 2;

  LevelMeter.Spectrum = &Spectrum;
  LevelMeter.Log = &Log;
  LevelMeter.RecordChannel = Bass.recordStartResult;
  TimerSound.SetOnTimer([this] {
    ++soundTicks;
    LevelMeter.TimerSoundTimer();
  });
  TimerLED.SetOnTimer([this] { Keying.TimerLEDTimer(); });
  TimerBlink.SetOnTimer([this] { MuteMode.TimerBlinkTimer(); });
  DelayTrack.OnChange = [this] { Keying.DelayTrackChange(); };
  // As at the end of start-up: idle, hang timer stopped with the hang time set.
  TimerLED.SetEnabled(false);
  TimerLED.SetInterval(static_cast<unsigned>(DelayTrack.Position()) * 20);
}

void TVoxRig::Ticks(int n, const TFFTBlock& spectrum) {
  Bass.spectrum = spectrum;
  Clock.Advance(static_cast<std::uint64_t>(n) * 10);
}
