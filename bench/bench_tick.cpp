// One whole sound tick as the program runs it (fetch from a filled ring, level,
// draw into the paint box, tracing off) against the bare spectrum fetch in the
// same run, and the heap allocations a tick makes.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>
#include <numbers>
#include <vector>

#include "controls/Led1.h"
#include "controls/spectrum_vis.h"
#include "engine/AudioInput.h"
#include "engine/Keying.h"
#include "engine/LevelMeter.h"
#include "engine/PortAudioCapture.h"
#include "platform/Button.h"
#include "platform/PaintBox.h"
#include "platform/SerialLines.h"
#include "platform/Timer.h"
#include "platform/TrackBar.h"
#include "settings/Log.h"

namespace {

std::atomic<long> gAllocations{0};

// Samples arrive when the benchmark pushes them, through the same block handler
// the sound card's callback uses.
class TPushedInput final : public TAudioInput {
 public:
  bool Initialize() override { return true; }
  void Terminate() override {}
  bool CanRecord(double) override { return true; }
  bool Start(double, TBlockHandler handler, void* context) override {
    handler_ = handler;
    context_ = context;
    return true;
  }
  bool IsRunning() override { return handler_ != nullptr; }
  void Stop() override { handler_ = nullptr; }
  void Push(const std::vector<float>& block) { handler_(block.data(), block.size(), context_); }

 private:
  TBlockHandler handler_ = nullptr;
  void* context_ = nullptr;
};

class TClosedPort final : public TSerialLines {
 public:
  bool Connected() const override { return false; }
  void SetDTR(bool) override {}
  void SetRTS(bool) override {}
};

std::vector<float> Tone(std::size_t count) {
  std::vector<float> samples(count);
  for (std::size_t n = 0; n < count; ++n)
    samples[n] = 0.5f * float(std::sin(2.0 * std::numbers::pi * 9.0 * n / 1024.0));
  return samples;
}

constexpr std::size_t kSamplesPerTick = 441;  // 10 ms at 44100 Hz

// The program's parts around one sound tick.
struct TTickRig {
  TTickRig() {
    capture->BASS_Init(-1, 44100, 0, nullptr, nullptr);
    capture->BASS_RecordInit(-1);
    meter.RecordChannel = capture->BASS_RecordStart(44100, 1, 0, &RecordProc, nullptr);
    squelch.SetMax(100);
    squelch.SetPosition(10);
    delay.SetMax(100);
    delay.SetPosition(50);
    paintBox.setGeometry(0, 8, 161, 137);
    led.setGeometry(132, 152, 30, 29);
    mute.SetCaption("MUTE");
    spectrum.BackColor = clBlack;
    spectrum.BinStep = 2;
    spectrum.MaxBarHeight = 300;
    spectrum.BarColor = clAqua;
    spectrum.BarWidth = 3;
    spectrum.PeakColor = clRed;
    spectrum.DrawStyle = 1;
    meter.Spectrum = &spectrum;
    meter.Log = &log;  // tracing off
    for (int i = 0; i < 32; ++i) feed->Push(tone);  // a filled ring
  }

  std::vector<float> tone = Tone(kSamplesPerTick);
  TPushedInput* feed = new TPushedInput;  // owned by the capture below
  std::unique_ptr<TPortAudioCapture> capture =
      std::make_unique<TPortAudioCapture>(std::unique_ptr<TAudioInput>(feed));
  TTimer timerSound{10, false};
  TTimer timerLED{0, false};
  TTrackBar squelch, delay;
  TLed led;
  TButton mute;
  TPaintBox paintBox;
  TClosedPort port;
  TSpectrum spectrum{161, 137};
  TLog log;
  TKeying keying{{timerLED, delay, led, port}};
  TLevelMeter meter{{*capture, timerSound, squelch, mute, paintBox, keying}};
};

void BM_BareFetch(benchmark::State& state) {
  TTickRig rig;
  TFFTBlock buffer{};
  for (auto _ : state) {
    rig.feed->Push(rig.tone);
    rig.capture->BASS_ChannelGetData(rig.meter.RecordChannel, buffer.data(), BASS_DATA_FFT1024);
    benchmark::DoNotOptimize(buffer);
  }
}
BENCHMARK(BM_BareFetch);

void BM_WholeTick(benchmark::State& state) {
  TTickRig rig;
  for (int i = 0; i < 100; ++i) rig.meter.TimerSoundTimer();  // warm up: keyed, bars up
  const long before = gAllocations.load();
  for (auto _ : state) {
    rig.feed->Push(rig.tone);
    rig.meter.TimerSoundTimer();
  }
  state.counters["allocs_per_tick"] =
      benchmark::Counter(double(gAllocations.load() - before), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_WholeTick);

}  // namespace

void* operator new(std::size_t size) {
  gAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
}
