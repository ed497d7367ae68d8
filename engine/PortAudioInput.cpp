#include "engine/PortAudioInput.h"

#include <alsa/asoundlib.h>
#include <dlfcn.h>
#include <jack/jack.h>

#include <initializer_list>

namespace {
// Small blocks, so each 10 ms tick finds fresh samples.
constexpr unsigned long kFramesPerBlock = 256;

// ALSA and JACK report every device or server they probe and fail to reach on
// standard error; PortAudio's probing at start-up would fill the terminal.
void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}
void IgnoreJackMessage(const char*) {}

// JACK is PortAudio's dependency, not ours: look its setters up at run time
// rather than link against it, and skip them when it is not there.
void QuietenJack() {
  for (const char* setter : {"jack_set_error_function", "jack_set_info_function"}) {
    if (auto* set = reinterpret_cast<decltype(&jack_set_error_function)>(dlsym(RTLD_DEFAULT, setter)))
      set(&IgnoreJackMessage);
  }
}

PaStreamParameters DefaultInputParameters() {
  PaStreamParameters parameters{};
  parameters.device = Pa_GetDefaultInputDevice();
  parameters.channelCount = 1;
  parameters.sampleFormat = paFloat32;
  if (parameters.device != paNoDevice) {
    if (const PaDeviceInfo* info = Pa_GetDeviceInfo(parameters.device))
      parameters.suggestedLatency = info->defaultLowInputLatency;
    else
      parameters.device = paNoDevice;
  }
  return parameters;
}
}  // namespace

TPortAudioInput::~TPortAudioInput() { Terminate(); }

bool TPortAudioInput::Initialize() {
  if (!initialized_) {
    snd_lib_error_set_handler(&IgnoreAlsaError);
    QuietenJack();
    initialized_ = Pa_Initialize() == paNoError;
  }
  return initialized_;
}

void TPortAudioInput::Terminate() {
  Stop();
  if (initialized_) Pa_Terminate();
  initialized_ = false;
}

bool TPortAudioInput::CanRecord(double sampleRate) {
  if (!initialized_) return false;
  const PaStreamParameters parameters = DefaultInputParameters();
  return parameters.device != paNoDevice &&
         Pa_IsFormatSupported(&parameters, nullptr, sampleRate) == paFormatIsSupported;
}

bool TPortAudioInput::Start(double sampleRate, TBlockHandler handler, void* context) {
  if (!initialized_ || stream_ || !handler) return false;
  const PaStreamParameters parameters = DefaultInputParameters();
  if (parameters.device == paNoDevice) return false;
  handler_ = handler;
  context_ = context;
  if (Pa_OpenStream(&stream_, &parameters, nullptr, sampleRate, kFramesPerBlock, paNoFlag,
                    &OnStreamBlock, this) != paNoError) {
    stream_ = nullptr;
    return false;
  }
  if (Pa_StartStream(stream_) != paNoError) {
    Pa_CloseStream(stream_);
    stream_ = nullptr;
    return false;
  }
  return true;
}

bool TPortAudioInput::IsRunning() { return stream_ && Pa_IsStreamActive(stream_) == 1; }

void TPortAudioInput::Stop() {
  if (!stream_) return;
  // Nothing to drain on an input: abort at once rather than wait for a device
  // that may have gone away.
  if (Pa_IsStreamStopped(stream_) == 0) Pa_AbortStream(stream_);
  Pa_CloseStream(stream_);
  stream_ = nullptr;
}

// Runs on PortAudio's audio thread: hand the block on, nothing else.
int TPortAudioInput::OnStreamBlock(const void* input, void*, unsigned long frames,
                                   const PaStreamCallbackTimeInfo*, PaStreamCallbackFlags, void* self) {
  auto* owner = static_cast<TPortAudioInput*>(self);
  if (!input) return paContinue;
  return owner->handler_(static_cast<const float*>(input), frames, owner->context_) ? paContinue
                                                                                    : paComplete;
}
