#include "platform/ComPort.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include "platform/SerialLineSpeed.h"
#include "platform/SerialPortNames.h"
#include "platform/SerialTermios.h"

namespace {

// A pseudo-terminal or similar device has no modem lines and answers ENOTTY or
// EINVAL; there is nothing to set up on it, so that is no reason to refuse it.
bool HasNoModemLines(int Error) { return Error == ENOTTY || Error == EINVAL; }

}  // namespace

TComPort::TComPort() = default;

TComPort::~TComPort() { Close(); }

void TComPort::SetPort(std::string Port) {
  const bool reopen = Connected() && !SameTextIgnoringCase(Port, FPort);
  if (reopen) Close();
  FPort = std::move(Port);
  if (reopen) Open();
}

void TComPort::SetBaudRate(TBaudRate Rate) {
  FBaudRate = Rate;
  if (Connected()) ApplyLineSettings();
}

void TComPort::SetDataBits(TDataBits Bits) {
  FDataBits = Bits;
  if (Connected()) ApplyLineSettings();
}

void TComPort::SetStopBits(TStopBits Bits) {
  FStopBits = Bits;
  if (Connected()) ApplyLineSettings();
}

void TComPort::SetParity(TParityBits Parity) {
  FParity = Parity;
  if (Connected()) ApplyLineSettings();
}

void TComPort::SetDTRControl(TDTRFlowControl Control) {
  const bool changed = Control != FDTRControl;
  FDTRControl = Control;
  if (Connected() && changed) ApplyLineControl(true, false);
}

void TComPort::SetRTSControl(TRTSFlowControl Control) {
  const TRTSFlowControl oldRTS = FRTSControl;
  FRTSControl = Control;
  if (Connected()) ApplyToOpenPort(oldRTS);
}

void TComPort::SetXonXoff(bool OnOff) {
  FXonXoff = OnOff;
  if (Connected()) ApplyLineSettings();
}

TFlowControl TComPort::FlowControl() const {
  if (FRTSControl == TRTSFlowControl::rtsHandshake && !FXonXoff) return TFlowControl::fcHardware;
  if (FRTSControl == TRTSFlowControl::rtsDisable) return FXonXoff ? TFlowControl::fcSoftware : TFlowControl::fcNone;
  return TFlowControl::fcCustom;
}

void TComPort::SetFlowControl(TFlowControl Flow) {
  const TRTSFlowControl oldRTS = FRTSControl;
  StoreFlowControl(Flow);
  if (Connected()) ApplyToOpenPort(oldRTS);
}

void TComPort::StoreFlowControl(TFlowControl Flow) {
  switch (Flow) {
    case TFlowControl::fcHardware:
      FXonXoff = false;
      FRTSControl = TRTSFlowControl::rtsHandshake;
      break;
    case TFlowControl::fcSoftware:
      FXonXoff = true;
      FRTSControl = TRTSFlowControl::rtsDisable;
      break;
    case TFlowControl::fcNone:
      FXonXoff = false;
      FRTSControl = TRTSFlowControl::rtsDisable;
      break;
    case TFlowControl::fcCustom:
      break;
  }
}

TComPort::TSettings TComPort::Settings() const {
  return {FPort, FBaudRate, FDataBits, FStopBits, FParity, FlowControl()};
}

void TComPort::ApplySettings(const TSettings& Settings) {
  // The names resolve ignoring case, so "TTYUSB0" and "ttyUSB0" are the same port.
  const bool reopen = Connected() && !SameTextIgnoringCase(Settings.Port, FPort);
  if (reopen) Close();
  const TRTSFlowControl oldRTS = FRTSControl;
  FPort = Settings.Port;
  FBaudRate = Settings.BaudRate;
  FDataBits = Settings.DataBits;
  FStopBits = Settings.StopBits;
  FParity = Settings.Parity;
  StoreFlowControl(Settings.FlowControl);
  if (reopen)
    Open();
  else if (Connected())
    ApplyToOpenPort(oldRTS);
}

// The stored settings onto the open port; RTS follows its control only when that changed.
void TComPort::ApplyToOpenPort(TRTSFlowControl OldRTS) {
  ApplyLineSettings();
  if (FRTSControl != OldRTS) ApplyLineControl(false, true);
}

void TComPort::Open() {
  if (Connected()) return;
  const std::string device = ResolvedDevice();
  FFd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (FFd < 0) FailOpen(device, errno);
  struct termios tio {};
  if (::tcgetattr(FFd, &tio) != 0) FailOpen(device + " is not a serial port", errno);
  // flock keeps out other programs that lock (and root, whom TIOCEXCL does not stop).
  if (::flock(FFd, LOCK_EX | LOCK_NB) != 0)
    FailOpen(device + " is in use by another program", errno == EWOULDBLOCK ? EBUSY : errno);
  if (::ioctl(FFd, TIOCEXCL) != 0) FailOpen(device, errno);
  try {
    ApplyLineSettings();
    // Linux raises DTR and RTS on every open; drop or raise them as their control says.
    ApplyLineControl(true, true);
  } catch (const EComPort& error) {
    Close();
    std::fprintf(stderr, "TALMO: %s\n", error.what());
    throw;
  }
}

void TComPort::Close() {
  if (!Connected()) return;
  ::close(FFd);  // hang-up-on-close drops the lines; closing also releases the lock
  FFd = -1;
}

void TComPort::SetDTR(bool OnOff) { ChangeLines(TIOCM_DTR, OnOff); }

void TComPort::SetRTS(bool OnOff) { ChangeLines(TIOCM_RTS, OnOff); }

// Called on the sound tick: nothing is allocated unless the system refuses.
void TComPort::ChangeLines(int Lines, bool OnOff) {
  if (::ioctl(FFd, OnOff ? TIOCMBIS : TIOCMBIC, &Lines) == 0) return;
  const int error = errno;
  throw EComPort("EscapeCommFunction function failed (Error: " + std::to_string(error) + ")", error);
}

std::string TComPort::ResolvedDevice() const {
  std::string device = ResolveSerialPortName(FPort, FDeviceFolder);
  if (device.empty()) {
    std::fprintf(stderr, "TALMO: serial port %s: no such device\n", FPort.c_str());
    throw EComPort("Serial port " + FPort + " not available", ENOENT);
  }
  return device;
}

void TComPort::ApplyLineSettings() {
  struct termios tio {};
  const int rate = BaudRateValue(FBaudRate);
  const speed_t speed = StandardSpeed(rate);
  if (::tcgetattr(FFd, &tio) == 0) {
    SetRawLine(tio, FDataBits, FStopBits, FParity, FRTSControl == TRTSFlowControl::rtsHandshake, FXonXoff);
    if (speed != B0) ::cfsetspeed(&tio, speed);  // brCustom keeps the device's rate
    if (::tcsetattr(FFd, TCSANOW, &tio) == 0 && (speed != B0 || rate == 0 || SetLineSpeed(FFd, rate)))
      return;
  }
  const int error = errno;
  throw EComPort("Serial port " + FPort + " cannot be set up: " + std::strerror(error), error);
}

void TComPort::ApplyLineControl(bool DTRChanged, bool RTSChanged) {
  int raise = 0;
  int drop = 0;
  if (DTRChanged) (FDTRControl == TDTRFlowControl::dtrDisable ? drop : raise) |= TIOCM_DTR;
  // With RTS handshake the driver drives RTS itself.
  if (RTSChanged && FRTSControl != TRTSFlowControl::rtsHandshake)
    (FRTSControl == TRTSFlowControl::rtsEnable ? raise : drop) |= TIOCM_RTS;
  for (auto [lines, request] : {std::pair{drop, TIOCMBIC}, std::pair{raise, TIOCMBIS}}) {
    if (lines == 0 || ::ioctl(FFd, request, &lines) == 0 || HasNoModemLines(errno)) continue;
    const int error = errno;
    throw EComPort("Serial port " + FPort + " cannot be set up: " + std::strerror(error), error);
  }
}

[[noreturn]] void TComPort::FailOpen(const std::string& What, int Error) {
  Close();
  std::fprintf(stderr, "TALMO: serial port %s: %s: %s\n", FPort.c_str(), What.c_str(), std::strerror(Error));
  if (Error == EACCES || Error == EPERM)
    std::fprintf(stderr, "TALMO: to use serial ports, the user must be in the dialout group\n");
  throw EComPort("Serial port " + FPort + " not available: " + What + ": " + std::strerror(Error), Error);
}
