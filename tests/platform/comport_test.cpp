// The serial port component on pseudo-terminals: opening, line settings, name
// resolution, exclusive use, line changes and one-update settings.
#include <cerrno>
#include <gtest/gtest.h>
#include <memory>
#include <termios.h>

#include "platform/ComPort.h"
#include "platform/SerialLineSpeed.h"
#include "platform/SerialTermios.h"
#include "support/OpenWatch.h"
#include "support/PortTestFolder.h"
#include "support/PseudoTerminal.h"

namespace {

struct termios SlaveTermios(const TPseudoTerminal& Pty) {
  struct termios tio {};
  EXPECT_EQ(::tcgetattr(Pty.MasterFd(), &tio), 0);
  return tio;
}

std::string UpperCased(std::string Text) {
  for (char& c : Text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return Text;
}

TEST(ComPort, StartsWithTheDesignedSettings) {
  TComPort port;
  EXPECT_EQ(port.Port(), "COM1");
  EXPECT_EQ(port.BaudRate(), TBaudRate::br9600);
  EXPECT_EQ(port.DataBits(), TDataBits::dbEight);
  EXPECT_EQ(port.StopBits(), TStopBits::sbOneStopBit);
  EXPECT_EQ(port.Parity(), TParityBits::prNone);
  EXPECT_EQ(port.DTRControl(), TDTRFlowControl::dtrDisable);
  EXPECT_EQ(port.RTSControl(), TRTSFlowControl::rtsDisable);
  EXPECT_EQ(port.FlowControl(), TFlowControl::fcNone);
  EXPECT_FALSE(port.Connected());
}

TEST(ComPort, OpensAPseudoTerminalRawEightNoneOneWithHangUpOnClose) {
  TPseudoTerminal pty;
  TComPort port;
  port.SetPort(pty.SlavePath());
  port.Open();
  ASSERT_TRUE(port.Connected());
  const struct termios tio = SlaveTermios(pty);
  EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(tio.c_oflag & OPOST, 0u);
  EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | ICRNL), 0u);
  EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  EXPECT_NE(tio.c_cflag & HUPCL, 0u);
  EXPECT_NE(tio.c_cflag & CLOCAL, 0u);
  EXPECT_EQ(LineSpeed(pty.MasterFd()), 9600);
}

// Framing is checked on the termios record: a Linux pseudo-terminal forces eight
// data bits and no parity whatever is asked.
TEST(ComPort, RawLineCarriesTheFramingAndFlowControl) {
  const struct {
    const char* Name;
    TDataBits DataBits;
    TStopBits StopBits;
    TParityBits Parity;
    bool RtsHandshake, XonXoff;
    tcflag_t CFlags;  // of CSIZE | CSTOPB | PARENB | PARODD | CMSPAR | CRTSCTS
    tcflag_t IFlags;  // of IXON | IXOFF
  } cases[] = {
      {"8N1", TDataBits::dbEight, TStopBits::sbOneStopBit, TParityBits::prNone, false, false, CS8, 0},
      {"7E2", TDataBits::dbSeven, TStopBits::sbTwoStopBits, TParityBits::prEven, false, false, CS7 | CSTOPB | PARENB, 0},
      {"6O1 hardware", TDataBits::dbSix, TStopBits::sbOneStopBit, TParityBits::prOdd, true, false, CS6 | PARENB | PARODD | CRTSCTS, 0},
      {"5, space, 1.5", TDataBits::dbFive, TStopBits::sbOne5StopBits, TParityBits::prSpace, false, false, CS5 | CSTOPB | PARENB | CMSPAR, 0},
      {"8, mark, software", TDataBits::dbEight, TStopBits::sbOneStopBit, TParityBits::prMark, false, true, CS8 | PARENB | PARODD | CMSPAR, IXON | IXOFF},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    struct termios tio {};
    tio.c_cflag = CS7 | PARENB | CSTOPB | CRTSCTS;  // leftovers that must go
    tio.c_iflag = IXON | IXANY | ICRNL;
    tio.c_lflag = ICANON | ECHO | ISIG;
    tio.c_oflag = OPOST;
    ::cfsetspeed(&tio, B2400);
    SetRawLine(tio, c.DataBits, c.StopBits, c.Parity, c.RtsHandshake, c.XonXoff);
    EXPECT_EQ(tio.c_cflag & (CSIZE | CSTOPB | PARENB | PARODD | CMSPAR | CRTSCTS), c.CFlags);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | IXANY | ICRNL), c.IFlags);
    EXPECT_EQ(tio.c_cflag & (CLOCAL | CREAD | HUPCL), static_cast<tcflag_t>(CLOCAL | CREAD | HUPCL));
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(tio.c_oflag & OPOST, 0u);
    EXPECT_EQ(::cfgetospeed(&tio), static_cast<speed_t>(B2400)) << "the rate is left alone";
  }
}

TEST(ComPort, AppliesRateStopBitsAndFlowControlToTheOpenPort) {
  using enum TBaudRate;
  const struct {
    TBaudRate Rate;
    TStopBits StopBits;
    TFlowControl Flow;
    tcflag_t CFlags;  // of CSTOPB | CRTSCTS
    tcflag_t IFlags;  // of IXON | IXOFF
    int Speed;
  } cases[] = {
      {br19200, TStopBits::sbTwoStopBits, TFlowControl::fcNone, CSTOPB, 0, 19200},
      {br1200, TStopBits::sbOneStopBit, TFlowControl::fcHardware, CRTSCTS, 0, 1200},
      {br115200, TStopBits::sbOneStopBit, TFlowControl::fcSoftware, 0, IXON | IXOFF, 115200},
      {br110, TStopBits::sbOneStopBit, TFlowControl::fcNone, 0, 0, 110},
      {br14400, TStopBits::sbOneStopBit, TFlowControl::fcNone, 0, 0, 14400},  // no termios constant
      {br56000, TStopBits::sbOneStopBit, TFlowControl::fcNone, 0, 0, 56000},
      {br256000, TStopBits::sbOneStopBit, TFlowControl::fcNone, 0, 0, 256000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Speed);
    TPseudoTerminal pty;
    TComPort port;
    port.SetPort(pty.SlavePath());
    port.Open();
    port.ApplySettings({pty.SlavePath(), c.Rate, TDataBits::dbEight, c.StopBits, TParityBits::prNone, c.Flow});
    ASSERT_TRUE(port.Connected());
    const struct termios tio = SlaveTermios(pty);
    EXPECT_EQ(tio.c_cflag & (CSTOPB | CRTSCTS), c.CFlags);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF), c.IFlags);
    EXPECT_NE(tio.c_cflag & HUPCL, 0u);
    EXPECT_EQ(LineSpeed(pty.MasterFd()), c.Speed);
    EXPECT_EQ(port.FlowControl(), c.Flow);
  }
}

TEST(ComPort, ACustomRateKeepsTheRateTheDeviceHas) {
  TPseudoTerminal pty;
  TComPort port;
  port.SetPort(pty.SlavePath());
  port.SetBaudRate(TBaudRate::br2400);
  port.Open();
  port.SetBaudRate(TBaudRate::brCustom);
  EXPECT_EQ(LineSpeed(pty.MasterFd()), 2400);
}

// A Linux pseudo-terminal has no modem lines: every change is refused with ENOTTY.
TEST(ComPort, ALineChangeThePseudoTerminalRefusesRaisesTheEscapeError) {
  TPseudoTerminal pty;
  TComPort port;
  port.SetPort(pty.SlavePath());
  port.Open();
  const std::pair<void (TComPort::*)(bool), bool> changes[] = {
      {&TComPort::SetDTR, true}, {&TComPort::SetDTR, false}, {&TComPort::SetRTS, true}, {&TComPort::SetRTS, false}};
  for (const auto& [change, onOff] : changes) {
    try {
      (port.*change)(onOff);
      ADD_FAILURE() << "a refused line change raised nothing";
    } catch (const EComPort& error) {
      EXPECT_STREQ(error.what(), "EscapeCommFunction function failed (Error: 25)");
      EXPECT_EQ(error.Code(), ENOTTY);
    }
    EXPECT_TRUE(port.Connected());
  }
}

TEST(ComPort, PortsThatCannotBeOpenedRaiseAndStayClosed) {
  TPortTestFolder folder;
  folder.WriteFile("plain-file", "not a terminal");
  const struct {
    std::string Name;
    int Code;
  } cases[] = {
      {"COM1", ENOENT},
      {"TTYNOTHING0", ENOENT},
      {(folder.Path() / "missing" / "tty0").string(), ENOENT},
      {(folder.Path() / "plain-file").string(), ENOTTY},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TComPort port;
    port.SetDeviceFolder(folder.Path().string());
    port.SetPort(c.Name);
    try {
      port.Open();
      ADD_FAILURE() << "opened";
    } catch (const EComPort& error) {
      EXPECT_NE(std::string(error.what()).find("not available"), std::string::npos) << error.what();
      EXPECT_EQ(error.Code(), c.Code);
    }
    EXPECT_FALSE(port.Connected());
  }
}

TEST(ComPort, ResolvesUpperCasedNamesThroughSymlinksToThePseudoTerminal) {
  TPseudoTerminal pty;
  TPortTestFolder folder;
  folder.Symlink("ttyTalmo0", pty.SlavePath());
  folder.Symlink("serial/by-id/usb-Talmo_Cable-if00-port0", pty.SlavePath());
  const std::string names[] = {
      "TTYTALMO0",
      "ttytalmo0",
      UpperCased((folder.Path() / "ttyTalmo0").string()),
      UpperCased((folder.Path() / "serial/by-id/usb-Talmo_Cable-if00-port0").string()),
  };
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    TComPort port;
    port.SetDeviceFolder(folder.Path().string());
    port.SetPort(name);
    port.Open();
    EXPECT_TRUE(port.Connected());
    EXPECT_EQ(port.Port(), name);
  }
}

TEST(ComPort, IsExclusiveAndDestructionReleasesThePort) {
  TPseudoTerminal pty;
  auto first = std::make_unique<TComPort>();
  first->SetPort(pty.SlavePath());
  first->Open();

  TComPort second;
  second.SetPort(pty.SlavePath());
  try {
    second.Open();
    ADD_FAILURE() << "a busy port opened twice";
  } catch (const EComPort& error) {
    EXPECT_EQ(error.Code(), EBUSY);
  }
  EXPECT_FALSE(second.Connected());
  EXPECT_TRUE(first->Connected());

  first.reset();
  second.Open();
  EXPECT_TRUE(second.Connected());
  second.Close();
  EXPECT_FALSE(second.Connected());
  second.Open();
  EXPECT_TRUE(second.Connected());
}

TEST(ComPort, FlowControlSetsRtsHandlingAndLeavesDtrAlone) {
  const struct {
    TFlowControl Flow;
    TRTSFlowControl RTS;
    bool XonXoff;
  } cases[] = {
      {TFlowControl::fcHardware, TRTSFlowControl::rtsHandshake, false},
      {TFlowControl::fcSoftware, TRTSFlowControl::rtsDisable, true},
      {TFlowControl::fcNone, TRTSFlowControl::rtsDisable, false},
  };
  for (const auto& c : cases) {
    TComPort port;
    port.SetDTRControl(TDTRFlowControl::dtrEnable);
    port.SetRTSControl(TRTSFlowControl::rtsEnable);
    port.SetFlowControl(c.Flow);
    EXPECT_EQ(port.RTSControl(), c.RTS);
    EXPECT_EQ(port.XonXoff(), c.XonXoff);
    EXPECT_EQ(port.FlowControl(), c.Flow);
    EXPECT_EQ(port.DTRControl(), TDTRFlowControl::dtrEnable);
    port.SetFlowControl(TFlowControl::fcCustom);
    EXPECT_EQ(port.RTSControl(), c.RTS) << "Custom changes nothing";
  }
  TComPort mixed;
  mixed.SetRTSControl(TRTSFlowControl::rtsEnable);
  EXPECT_EQ(mixed.FlowControl(), TFlowControl::fcCustom);
}

TEST(ComPort, ApplySettingsOnAClosedPortOnlyStores) {
  TPseudoTerminal pty;
  TComPort port;
  const TComPort::TSettings wanted{pty.SlavePath(), TBaudRate::br19200, TDataBits::dbSeven,
                                   TStopBits::sbTwoStopBits, TParityBits::prOdd, TFlowControl::fcHardware};
  port.ApplySettings(wanted);
  EXPECT_FALSE(port.Connected());
  const TComPort::TSettings stored = port.Settings();
  EXPECT_EQ(stored.Port, wanted.Port);
  EXPECT_EQ(stored.BaudRate, wanted.BaudRate);
  EXPECT_EQ(stored.DataBits, wanted.DataBits);
  EXPECT_EQ(stored.StopBits, wanted.StopBits);
  EXPECT_EQ(stored.Parity, wanted.Parity);
  EXPECT_EQ(stored.FlowControl, wanted.FlowControl);
}

TEST(ComPort, ApplySettingsWithANewNameClosesAndOpensTheNewPort) {
  TPseudoTerminal oldPty, newPty;
  TComPort port;
  port.SetPort(oldPty.SlavePath());
  port.Open();
  TComPort::TSettings settings = port.Settings();
  settings.Port = newPty.SlavePath();
  settings.BaudRate = TBaudRate::br4800;
  TOpenWatch oldWatch({oldPty.SlavePath()}), newWatch({newPty.SlavePath()});
  port.ApplySettings(settings);
  ASSERT_TRUE(port.Connected());
  EXPECT_EQ(oldWatch.Take().Closes, 1);
  EXPECT_EQ(newWatch.Take().Opens, 1);
  EXPECT_EQ(LineSpeed(newPty.MasterFd()), 4800);

  TComPort other;  // the old port is free again
  other.SetPort(oldPty.SlavePath());
  EXPECT_NO_THROW(other.Open());

  TComPort onNew;  // and the new one is held
  onNew.SetPort(newPty.SlavePath());
  EXPECT_THROW(onNew.Open(), EComPort);
}

TEST(ComPort, ApplySettingsWithANewNameThatCannotOpenLeavesThePortClosed) {
  TPseudoTerminal pty;
  TPortTestFolder folder;
  TComPort port;
  port.SetDeviceFolder(folder.Path().string());
  port.SetPort(pty.SlavePath());
  port.Open();
  TComPort::TSettings settings = port.Settings();
  settings.Port = "COM7";
  EXPECT_THROW(port.ApplySettings(settings), EComPort);
  EXPECT_FALSE(port.Connected());
  EXPECT_EQ(port.Port(), "COM7");
}

TEST(ComPort, ANameDifferingOnlyInCaseIsTheSamePortAndIsNotReopened) {
  TPseudoTerminal pty;
  TPortTestFolder folder;
  folder.Symlink("ttyTalmo0", pty.SlavePath());
  TComPort port;
  port.SetDeviceFolder(folder.Path().string());
  port.SetPort("TTYTALMO0");
  port.Open();
  TComPort::TSettings settings = port.Settings();
  settings.Port = "ttyTalmo0";
  TOpenWatch watch({pty.SlavePath()});
  port.ApplySettings(settings);
  const TOpenWatch::TCounts counts = watch.Take();
  EXPECT_EQ(counts.Opens, 0);
  EXPECT_EQ(counts.Closes, 0);
  EXPECT_TRUE(port.Connected());
  EXPECT_EQ(port.Port(), "ttyTalmo0");
}

}  // namespace
