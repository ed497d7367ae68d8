// The capture fetch on the 10 ms sound tick: move the newest samples out of the
// ring and compute the 1024-point spectrum.
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "engine/SampleRing.h"
#include "engine/SpectrumAnalyzer.h"

namespace {

constexpr std::size_t kSamplesPerTick = 441;  // 10 ms at 44100 Hz

std::vector<float> Tone(std::size_t count) {
  std::vector<float> samples(count);
  for (std::size_t n = 0; n < count; ++n)
    samples[n] = 0.5f * float(std::sin(2.0 * std::numbers::pi * 9.0 * n / 1024.0));
  return samples;
}

constexpr std::size_t kRingSize = 32768;

// newSamples are written into the ring, then the fetch reads the newest 1024.
void FetchAfterWriting(benchmark::State& state, std::size_t newSamples) {
  TSampleRing ring(kRingSize);
  TSpectrumAnalyzer analyzer;
  const std::vector<float> block = Tone(newSamples);
  float spectrum[TSpectrumAnalyzer::kEntryCount];
  for (auto _ : state) {
    ring.Write(block.data(), block.size());
    analyzer.Collect(ring);
    analyzer.Magnitudes(spectrum);
    benchmark::DoNotOptimize(spectrum);
  }
}

// One tick: a tick's worth of new samples waits in the ring, then the fetch.
void BM_FetchSpectrumFromRing(benchmark::State& state) { FetchAfterWriting(state, kSamplesPerTick); }
BENCHMARK(BM_FetchSpectrumFromRing);

// The worst case: the ring is full after the UI thread was held up.
void BM_FetchSpectrumFromFullRing(benchmark::State& state) { FetchAfterWriting(state, kRingSize); }
BENCHMARK(BM_FetchSpectrumFromFullRing);

}  // namespace

BENCHMARK_MAIN();
