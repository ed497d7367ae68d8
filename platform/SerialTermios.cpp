#include "platform/SerialTermios.h"

namespace {

tcflag_t DataBitsFlag(TDataBits Bits) {
  switch (Bits) {
    case TDataBits::dbFive: return CS5;
    case TDataBits::dbSix: return CS6;
    case TDataBits::dbSeven: return CS7;
    case TDataBits::dbEight: break;
  }
  return CS8;
}

tcflag_t ParityFlags(TParityBits Parity) {
  switch (Parity) {
    case TParityBits::prOdd: return PARENB | PARODD;
    case TParityBits::prEven: return PARENB;
    case TParityBits::prMark: return PARENB | CMSPAR | PARODD;
    case TParityBits::prSpace: return PARENB | CMSPAR;
    case TParityBits::prNone: break;
  }
  return 0;
}

}  // namespace

speed_t StandardSpeed(int BitsPerSecond) {
  switch (BitsPerSecond) {
    case 110: return B110;
    case 300: return B300;
    case 600: return B600;
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    default: return B0;
  }
}

void SetRawLine(struct termios& Tio, TDataBits DataBits, TStopBits StopBits, TParityBits Parity,
                bool RtsHandshake, bool XonXoff) {
  ::cfmakeraw(&Tio);
  Tio.c_iflag &= ~(IXON | IXOFF | IXANY);
  if (XonXoff) Tio.c_iflag |= IXON | IXOFF;
  Tio.c_cflag &= ~(CSIZE | CSTOPB | PARENB | PARODD | CMSPAR | CRTSCTS);
  Tio.c_cflag |= CLOCAL | CREAD | HUPCL | DataBitsFlag(DataBits) | ParityFlags(Parity);
  // With five data bits the driver makes CSTOPB one and a half stop bits.
  if (StopBits != TStopBits::sbOneStopBit) Tio.c_cflag |= CSTOPB;
  if (RtsHandshake) Tio.c_cflag |= CRTSCTS;
  Tio.c_cc[VMIN] = 0;
  Tio.c_cc[VTIME] = 0;
}
