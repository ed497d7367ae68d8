#include "FeedAudioInput.h"

#include <algorithm>

bool TFeedAudioInput::Initialize() {
  if (!initialized_ && script_.initializeWorks) {
    initialized_ = true;
    ++initializeCount_;
  }
  return initialized_;
}

void TFeedAudioInput::Terminate() {
  Stop();
  if (initialized_) ++terminateCount_;
  initialized_ = false;
}

bool TFeedAudioInput::CanRecord(double) { return initialized_ && script_.canRecord; }

bool TFeedAudioInput::Start(double sampleRate, TBlockHandler handler, void* context) {
  if (!initialized_ || running_ || !script_.startWorks) return false;
  sampleRate_ = sampleRate;
  handler_ = handler;
  context_ = context;
  running_ = true;
  return true;
}

void TFeedAudioInput::Stop() {
  running_ = false;
  handler_ = nullptr;
}

std::size_t TFeedAudioInput::Feed(std::span<const float> samples, std::size_t blockSize) {
  std::size_t delivered = 0;
  while (running_ && handler_ && delivered < samples.size()) {
    const std::size_t count = std::min(blockSize, samples.size() - delivered);
    const bool goOn = handler_(samples.data() + delivered, count, context_);
    delivered += count;
    if (!goOn) running_ = false;
  }
  return delivered;
}
