#include "engine/PortAudioCapture.h"

#include "engine/PortAudioInput.h"

namespace {
constexpr int kDefaultDevice = -1;
}

TPortAudioCapture::TPortAudioCapture() : TPortAudioCapture(std::make_unique<TPortAudioInput>()) {}

TPortAudioCapture::TPortAudioCapture(std::unique_ptr<TAudioInput> input) : input_(std::move(input)) {}

TPortAudioCapture::~TPortAudioCapture() { BASS_Free(); }

bool TPortAudioCapture::BASS_Init(int, DWORD, DWORD, void*, const void*) {
  // Only the recording side is used; this brings up the audio system for it.
  initialized_ = input_->Initialize();
  return initialized_;
}

bool TPortAudioCapture::BASS_RecordInit(int Device) {
  if (Device != kDefaultDevice) return false;
  initialized_ = input_->Initialize();
  recordReady_ = initialized_ && input_->CanRecord(kSampleRate);
  return recordReady_;
}

HRECORD TPortAudioCapture::BASS_RecordStart(DWORD Freq, DWORD Chans, DWORD, RECORDPROC* Proc,
                                            void* User) {
  if (!recordReady_ || Freq == 0 || Chans != 1) return 0;
  if (channel_ != 0 && input_->IsRunning()) return 0;
  input_->Stop();  // a channel that ended by itself is still open
  ring_.Reset();
  analyzer_.Clear();
  channel_ = NextChannel();
  proc_ = Proc;
  user_ = User;
  if (!input_->Start(Freq, &OnBlock, this)) {
    channel_ = 0;
    return 0;
  }
  return channel_;
}

DWORD TPortAudioCapture::BASS_ChannelIsActive(HRECORD Handle) {
  if (Handle == 0 || Handle != channel_) return BASS_ACTIVE_STOPPED;
  return input_->IsRunning() ? BASS_ACTIVE_PLAYING : BASS_ACTIVE_STOPPED;
}

int TPortAudioCapture::BASS_ChannelGetData(HRECORD Handle, void* Buffer, DWORD Length) {
  if (Handle == 0 || Handle != channel_ || !Buffer || Length != BASS_DATA_FFT1024) return -1;
  analyzer_.Collect(ring_);
  analyzer_.Magnitudes(static_cast<float*>(Buffer));
  return int(TSpectrumAnalyzer::kEntryCount * sizeof(float));
}

bool TPortAudioCapture::BASS_Free() {
  const bool wasInitialized = initialized_;
  input_->Terminate();
  initialized_ = false;
  recordReady_ = false;
  channel_ = 0;
  proc_ = nullptr;
  user_ = nullptr;
  return wasInitialized;
}

// Audio thread: keep the newest samples for the next fetch, then ask the
// record procedure whether to go on.
bool TPortAudioCapture::OnBlock(const float* samples, std::size_t count, void* self) {
  auto* capture = static_cast<TPortAudioCapture*>(self);
  capture->ring_.Write(samples, count);
  if (!capture->proc_) return true;
  return capture->proc_(capture->channel_, samples, DWORD(count * sizeof(float)), capture->user_);
}

HRECORD TPortAudioCapture::NextChannel() {
  if (++lastChannel_ == 0) ++lastChannel_;
  return lastChannel_;
}
