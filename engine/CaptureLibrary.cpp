#include "engine/CaptureLibrary.h"

bool RecordProc(HRECORD, const void*, DWORD, void*) { return true; }
