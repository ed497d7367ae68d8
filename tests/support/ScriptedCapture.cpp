#include "support/ScriptedCapture.h"

#include <cstring>

bool TScriptedCapture::BASS_Init(int, DWORD, DWORD, void*, const void*) {
  calls.push_back("BASS_Init");
  return true;
}

bool TScriptedCapture::BASS_RecordInit(int) {
  calls.push_back("BASS_RecordInit");
  return recordInitResult;
}

HRECORD TScriptedCapture::BASS_RecordStart(DWORD, DWORD, DWORD, RECORDPROC*, void*) {
  calls.push_back("BASS_RecordStart");
  return recordStartResult;
}

DWORD TScriptedCapture::BASS_ChannelIsActive(HRECORD handle) {
  return active && handle != 0 && handle == recordStartResult ? BASS_ACTIVE_PLAYING : BASS_ACTIVE_STOPPED;
}

int TScriptedCapture::BASS_ChannelGetData(HRECORD, void* buffer, DWORD) {
  ++fetches;
  std::memcpy(buffer, spectrum.data(), sizeof(float) * spectrum.size());
  return static_cast<int>(sizeof(float) * spectrum.size());
}

bool TScriptedCapture::BASS_Free() {
  calls.push_back("BASS_Free");
  ++frees;
  return true;
}

TFFTBlock TScriptedCapture::Tone(int entry, float magnitude) {
  TFFTBlock block{};
  block[entry] = magnitude;
  return block;
}
