#include "engine/SpectrumAnalyzer.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

#include "engine/SampleRing.h"

namespace {
// The periodic Hann window sums to N/2, so 2·|X_k|/Σw is |X_k|/256.
constexpr float kAmplitudeScale = 2.0f / (TSpectrumAnalyzer::kFrameSize / 2);
constexpr std::size_t kFrameMask = TSpectrumAnalyzer::kFrameSize - 1;
static_assert((TSpectrumAnalyzer::kFrameSize & kFrameMask) == 0);
}  // namespace

TSpectrumAnalyzer::TSpectrumAnalyzer()
    : fftInput_(fftwf_alloc_real(kFrameSize)),
      fftOutput_(fftwf_alloc_complex(kEntryCount)),
      plan_(nullptr) {
  if (fftInput_ && fftOutput_)
    plan_ = fftwf_plan_dft_r2c_1d(int(kFrameSize), fftInput_, fftOutput_, FFTW_ESTIMATE);
  if (!plan_) {
    fftwf_free(fftOutput_);
    fftwf_free(fftInput_);
    throw std::runtime_error("Can not prepare the spectrum analysis");
  }
  for (std::size_t n = 0; n < kFrameSize; ++n)
    window_[n] = float(0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * double(n) / double(kFrameSize)));
}

TSpectrumAnalyzer::~TSpectrumAnalyzer() {
  fftwf_destroy_plan(plan_);
  fftwf_free(fftOutput_);
  fftwf_free(fftInput_);
}

void TSpectrumAnalyzer::Clear() {
  frame_.fill(0.0f);
  next_ = 0;
}

void TSpectrumAnalyzer::Collect(TSampleRing& ring) {
  std::size_t waiting = ring.ReadAvailable();
  if (waiting > kFrameSize) {
    ring.Discard(waiting - kFrameSize);
    waiting = kFrameSize;
  }
  while (waiting > 0) {
    const std::size_t wanted = std::min(waiting, kFrameSize - next_);
    const std::size_t got = ring.Read(&frame_[next_], wanted);
    next_ = (next_ + got) & kFrameMask;
    waiting -= got;
    if (got < wanted) break;
  }
}

void TSpectrumAnalyzer::Magnitudes(float* out) {
  for (std::size_t n = 0; n < kFrameSize; ++n)
    fftInput_[n] = window_[n] * frame_[(next_ + n) & kFrameMask];
  fftwf_execute(plan_);
  for (std::size_t k = 0; k + 1 < kEntryCount; ++k)
    out[k] = std::sqrt(fftOutput_[k][0] * fftOutput_[k][0] + fftOutput_[k][1] * fftOutput_[k][1]) *
             kAmplitudeScale;
  out[kEntryCount - 1] = 0.0f;
}
