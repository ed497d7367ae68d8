#pragma once
// The six calls the program makes into its capture library, with the names and
// contracts of the audio library the program was written for. TPortAudioCapture
// is the real one; tests script their own.

#include <cstdint>

using DWORD = std::uint32_t;
using HRECORD = DWORD;

// Answers of BASS_ChannelIsActive.
constexpr DWORD BASS_ACTIVE_STOPPED = 0;
constexpr DWORD BASS_ACTIVE_PLAYING = 1;
constexpr DWORD BASS_ACTIVE_STALLED = 2;

// BASS_ChannelGetData flag: 513 floats, entries 0..511 the magnitudes of a
// 1024-point FFT of the newest samples, entry 512 zero.
constexpr DWORD BASS_DATA_FFT1024 = 0x80000002;

// Called on the capture thread with each recorded block; false ends the recording.
using RECORDPROC = bool(HRECORD Handle, const void* Buffer, DWORD Length, void* User);

// The program's record procedure: the audio reaches it only through the FFT
// fetch, so it ignores the block and always asks to go on.
bool RecordProc(HRECORD Handle, const void* Buffer, DWORD Length, void* User);

class TCaptureLibrary {
 public:
  virtual ~TCaptureLibrary() = default;

  virtual bool BASS_Init(int Device, DWORD Freq, DWORD Flags, void* Win, const void* Clsid) = 0;
  virtual bool BASS_RecordInit(int Device) = 0;
  virtual HRECORD BASS_RecordStart(DWORD Freq, DWORD Chans, DWORD Flags, RECORDPROC* Proc,
                                   void* User) = 0;
  virtual DWORD BASS_ChannelIsActive(HRECORD Handle) = 0;
  // Length carries the data flags (BASS_DATA_FFT1024); answers the bytes written or -1.
  virtual int BASS_ChannelGetData(HRECORD Handle, void* Buffer, DWORD Length) = 0;
  virtual bool BASS_Free() = 0;
};
