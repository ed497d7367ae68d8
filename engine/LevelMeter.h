#pragma once
// The sound tick: fetch the spectrum, draw it, trace, reduce it to one level,
// smooth it over the last 16 ticks, show it beside the threshold thumb and, with
// mute off and the level at or above the threshold, trigger the keying.

#include <array>
#include <cstdint>

#include "engine/CaptureLibrary.h"
#include "platform/Types.h"

class TButton;
class TDeviceContext;
class TKeying;
class TLog;
class TSpectrum;
class TTimer;
class TTrackBar;

constexpr int kLevelHistoryLength = 16;
constexpr int kLevelBins = 128;

// Level of one spectrum: the truncated sum of 10 × trunc(|v| × 500) over the 128
// entries 5 + i × binStep, divided by 128.
std::int32_t TickLevel(const TFFTBlock& block, int binStep);

class TLevelMeter {
 public:
  struct Parts {
    TCaptureLibrary& Bass;
    TTimer& TimerSound;
    TTrackBar& SquelchTrack;
    TButton& MuteButton;
    TDeviceContext& SpectrumPaintBox;
    TKeying& Keying;
  };
  explicit TLevelMeter(const Parts& parts) : p_(parts) {}

  void TimerSoundTimer();
  // Pushes a tick level into the history and answers the smoothed level.
  std::int32_t Smooth(std::int32_t tickLevel);
  void ClearHistory() { LevelHistory.fill(0); }

  std::array<std::int32_t, kLevelHistoryLength> LevelHistory{};  // entry 0 oldest
  HRECORD RecordChannel = 0;
  // The program-wide renderer and log, created during start-up; no tick reaches
  // them before recording has started.
  TSpectrum* Spectrum = nullptr;
  TLog* Log = nullptr;

 private:
  Parts p_;
};
