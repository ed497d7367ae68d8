#pragma once
// A capture library for tests: every call is recorded, and the answers and the
// spectrum each fetch delivers are set by the test.

#include <string>
#include <vector>

#include "engine/CaptureLibrary.h"
#include "platform/Types.h"

class TScriptedCapture final : public TCaptureLibrary {
 public:
  bool BASS_Init(int Device, DWORD Freq, DWORD Flags, void* Win, const void* Clsid) override;
  bool BASS_RecordInit(int Device) override;
  HRECORD BASS_RecordStart(DWORD Freq, DWORD Chans, DWORD Flags, RECORDPROC* Proc, void* User) override;
  DWORD BASS_ChannelIsActive(HRECORD Handle) override;
  int BASS_ChannelGetData(HRECORD Handle, void* Buffer, DWORD Length) override;
  bool BASS_Free() override;

  // Script.
  bool recordInitResult = true;
  HRECORD recordStartResult = 7;
  bool active = true;
  TFFTBlock spectrum{};  // what every fetch delivers

  // Record.
  std::vector<std::string> calls;
  int fetches = 0;
  int frees = 0;

  // A spectrum with one entry set; with BinStep 2, 0.5 at entry 9 gives tick level 19.
  static TFFTBlock Tone(int entry, float magnitude);
};
