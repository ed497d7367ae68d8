#pragma once
// The termios side of a serial line: framing, flow control and standard rates.

#include <termios.h>

#include "platform/SerialTypes.h"

// Raw transfer (no echo, no line editing, no output processing, reads never wait)
// with the given framing and flow control. The receiver stays on and modem status is
// ignored; hang-up-on-close stays set so the lines drop when the port closes, also
// when the program dies. The rate is left alone.
void SetRawLine(struct termios& Tio, TDataBits DataBits, TStopBits StopBits, TParityBits Parity,
                bool RtsHandshake, bool XonXoff);

// The termios constant of a rate, or B0 for the rates only termios2 can set.
speed_t StandardSpeed(int BitsPerSecond);
