#pragma once
// The program's capture library: records the default sound input through
// PortAudio into a lock-free ring and answers spectrum fetches with an FFTW
// analysis of the newest 1024 samples. One recording channel at a time.
//
// All calls come from the UI thread; only the block handler runs on the
// audio thread, and it touches nothing but the ring and the record procedure.

#include <memory>

#include "engine/AudioInput.h"
#include "engine/CaptureLibrary.h"
#include "engine/SampleRing.h"
#include "engine/SpectrumAnalyzer.h"

class TPortAudioCapture : public TCaptureLibrary {
 public:
  static constexpr DWORD kSampleRate = 44100;
  // About 0.7 s of audio: room for the UI thread to be late by many ticks.
  static constexpr std::size_t kRingCapacity = 32768;

  // Records from the sound card. Makes the FFT plan, so construct it on the UI thread.
  TPortAudioCapture();
  // Records from the given input instead (tests feed known samples through it).
  explicit TPortAudioCapture(std::unique_ptr<TAudioInput> input);
  ~TPortAudioCapture() override;
  TPortAudioCapture(const TPortAudioCapture&) = delete;
  TPortAudioCapture& operator=(const TPortAudioCapture&) = delete;

  bool BASS_Init(int Device, DWORD Freq, DWORD Flags, void* Win, const void* Clsid) override;
  bool BASS_RecordInit(int Device) override;
  HRECORD BASS_RecordStart(DWORD Freq, DWORD Chans, DWORD Flags, RECORDPROC* Proc, void* User) override;
  DWORD BASS_ChannelIsActive(HRECORD Handle) override;
  int BASS_ChannelGetData(HRECORD Handle, void* Buffer, DWORD Length) override;
  bool BASS_Free() override;

  // Samples lost because the UI thread fell too far behind.
  std::uint64_t DroppedSamples() const { return ring_.Dropped(); }

 private:
  static bool OnBlock(const float* samples, std::size_t count, void* self);
  HRECORD NextChannel();

  std::unique_ptr<TAudioInput> input_;
  TSampleRing ring_{kRingCapacity};
  TSpectrumAnalyzer analyzer_;
  bool initialized_ = false;
  bool recordReady_ = false;
  HRECORD lastChannel_ = 0;
  // Set only while no recording runs; the audio thread reads them.
  HRECORD channel_ = 0;
  RECORDPROC* proc_ = nullptr;
  void* user_ = nullptr;
};
