#pragma once
// The spectrum of the newest 1024 captured samples: a Hann window and one real
// FFT through an FFTW plan made once, scaled as single-sided amplitudes so that
// a full-scale sine centred on bin k reads 1.0 at entry k.
//
// Construct it on the UI thread: FFTW's planner is not thread-safe. Collect and
// Magnitudes allocate nothing and take no lock, so they may run on every tick.

#include <fftw3.h>

#include <array>
#include <cstddef>

class TSampleRing;

class TSpectrumAnalyzer {
 public:
  static constexpr std::size_t kFrameSize = 1024;
  static constexpr std::size_t kEntryCount = kFrameSize / 2 + 1;  // 513, the last one always 0

  TSpectrumAnalyzer();
  ~TSpectrumAnalyzer();
  TSpectrumAnalyzer(const TSpectrumAnalyzer&) = delete;
  TSpectrumAnalyzer& operator=(const TSpectrumAnalyzer&) = delete;

  // Back to a frame of silence; what has not been recorded yet counts as 0.
  void Clear();
  // Moves the newest samples waiting in the ring into the frame; older ones
  // that no longer fit are skipped.
  void Collect(TSampleRing& ring);
  // Writes kEntryCount magnitudes of the present frame to out.
  void Magnitudes(float* out);

 private:
  // The frame as a circle: next_ is where the next sample goes, so it is
  // also the oldest sample's place.
  std::array<float, kFrameSize> frame_{};
  std::size_t next_ = 0;
  std::array<float, kFrameSize> window_{};
  float* fftInput_;
  fftwf_complex* fftOutput_;
  fftwf_plan plan_;
};
