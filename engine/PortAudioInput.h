#pragma once
// The default sound input through PortAudio: one mono float32 stream.

#include <portaudio.h>

#include "engine/AudioInput.h"

class TPortAudioInput : public TAudioInput {
 public:
  TPortAudioInput() = default;
  ~TPortAudioInput() override;
  TPortAudioInput(const TPortAudioInput&) = delete;
  TPortAudioInput& operator=(const TPortAudioInput&) = delete;

  bool Initialize() override;
  void Terminate() override;
  bool CanRecord(double sampleRate) override;
  bool Start(double sampleRate, TBlockHandler handler, void* context) override;
  bool IsRunning() override;
  void Stop() override;

 private:
  static int OnStreamBlock(const void* input, void* output, unsigned long frames,
                           const PaStreamCallbackTimeInfo* timeInfo, PaStreamCallbackFlags statusFlags,
                           void* self);

  bool initialized_ = false;
  PaStream* stream_ = nullptr;
  TBlockHandler handler_ = nullptr;
  void* context_ = nullptr;
};
