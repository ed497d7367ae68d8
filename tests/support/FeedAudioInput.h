#pragma once
// An audio input that delivers known samples when a test says so, on the
// test's own thread, through the same block handler as the sound card.

#include <cstddef>
#include <span>

#include "engine/AudioInput.h"

class TFeedAudioInput : public TAudioInput {
 public:
  struct TScript {
    bool initializeWorks = true;
    bool canRecord = true;
    bool startWorks = true;
  };

  TFeedAudioInput() = default;
  explicit TFeedAudioInput(TScript script) : script_(script) {}

  bool Initialize() override;
  void Terminate() override;
  bool CanRecord(double sampleRate) override;
  bool Start(double sampleRate, TBlockHandler handler, void* context) override;
  bool IsRunning() override { return running_; }
  void Stop() override;

  // Delivers the samples in blocks of blockSize, as a sound card would; stops
  // when the handler asks to. Answers how many samples were delivered.
  std::size_t Feed(std::span<const float> samples, std::size_t blockSize = 256);
  // The device goes away: the stream ends without anyone stopping it.
  void Vanish() { running_ = false; }

  bool Initialized() const { return initialized_; }
  int InitializeCount() const { return initializeCount_; }
  int TerminateCount() const { return terminateCount_; }
  double SampleRate() const { return sampleRate_; }

 private:
  TScript script_;
  bool initialized_ = false;
  bool running_ = false;
  int initializeCount_ = 0;
  int terminateCount_ = 0;
  double sampleRate_ = 0;
  TBlockHandler handler_ = nullptr;
  void* context_ = nullptr;
};
