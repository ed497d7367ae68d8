#include "engine/LevelMeter.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "controls/spectrum_vis.h"
#include "engine/Keying.h"
#include "engine/MuteMode.h"
#include "platform/Button.h"
#include "platform/Timer.h"
#include "platform/TrackBar.h"
#include "settings/Log.h"

namespace {
constexpr int kFirstBin = 5;
constexpr double kMagnitudeScale = 500.0;
constexpr int kTermWeight = 10;
constexpr int kDisplayMax = 100;
constexpr int kSpectrumOffsetX = 5;
constexpr int kSpectrumOffsetY = -5;
constexpr unsigned kSoundTickMs = 10;

// trunc(|v| × 500), bounded so that a wild value cannot overflow the sum.
std::int64_t Term(float v) {
  const double t = std::fabs(static_cast<double>(v)) * kMagnitudeScale;
  if (!(t < 1e9)) return std::isnan(t) ? 0 : 1'000'000'000;
  return static_cast<std::int64_t>(t);
}
}  // namespace

std::int32_t TickLevel(const TFFTBlock& block, int binStep) {
  std::int64_t sum = 0;
  for (int i = 0; i < kLevelBins; ++i) sum += kTermWeight * Term(block[kFirstBin + i * binStep]);
  return static_cast<std::int32_t>(std::min<std::int64_t>(sum / kLevelBins, INT32_MAX));
}

std::int32_t TLevelMeter::Smooth(std::int32_t tickLevel) {
  std::copy(LevelHistory.begin() + 1, LevelHistory.end(), LevelHistory.begin());
  LevelHistory.back() = tickLevel;
  const std::int64_t total = std::accumulate(LevelHistory.begin(), LevelHistory.end(), std::int64_t{0});
  return static_cast<std::int32_t>(total / kLevelHistoryLength);
}

void TLevelMeter::TimerSoundTimer() {
  if (p_.Bass.BASS_ChannelIsActive(RecordChannel) != BASS_ACTIVE_PLAYING) return;

  TFFTBlock buffer{};  // a fetch that fails leaves silence, not stack garbage
  p_.Bass.BASS_ChannelGetData(RecordChannel, buffer.data(), BASS_DATA_FFT1024);
  Spectrum->Draw(p_.SpectrumPaintBox, buffer, kSpectrumOffsetX, kSpectrumOffsetY);
  Log->Write(1, "-------");

  const std::int32_t level = Smooth(TickLevel(buffer, Spectrum->BinStep));
  p_.SquelchTrack.SetSelEnd(std::min(level, kDisplayMax));
  if (MuteIsOff(p_.MuteButton) && level >= p_.SquelchTrack.Position()) p_.Keying.SquelchOn();

  // The values it already holds: the tick schedule stays as it is.
  p_.TimerSound.SetEnabled(true);
  p_.TimerSound.SetInterval(kSoundTickMs);
}
