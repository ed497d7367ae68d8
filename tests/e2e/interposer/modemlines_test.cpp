// The modem-line interposer, preloaded into this test: the serial port component's
// line changes on a pseudo-terminal succeed and reach the log in order.
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sys/ioctl.h>
#include <unistd.h>

#include "platform/ComPort.h"
#include "support/PortTestFolder.h"
#include "support/PseudoTerminal.h"

namespace {

class ModemLines : public testing::Test {
 protected:
  void SetUp() override {
    const char* preload = std::getenv("LD_PRELOAD");
    ASSERT_TRUE(preload && std::string(preload).find("modemlines") != std::string::npos)
        << "run through ctest, which preloads the interposer";
    FLog = (FFolder.Path() / "lines.log").string();
    ::setenv("TALMO_MODEMLINES_LOG", FLog.c_str(), 1);
  }
  void TearDown() override { ::unsetenv("TALMO_MODEMLINES_LOG"); }

  // The logged states ("DTR=1 RTS=0"), checking each line's form and that time runs forward.
  std::vector<std::string> LoggedStates() const {
    const std::regex form(R"((\d+\.\d{3}) (DTR=[01] RTS=[01]))");
    std::vector<std::string> states;
    std::ifstream log(FLog);
    double previous = 0;
    for (std::string line; std::getline(log, line);) {
      std::smatch match;
      EXPECT_TRUE(std::regex_match(line, match, form)) << line;
      if (match.empty()) continue;
      const double stamp = std::stod(match[1]);
      EXPECT_GE(stamp, previous);
      previous = stamp;
      states.push_back(match[2]);
    }
    return states;
  }

  TPortTestFolder FFolder;
  std::string FLog;
  TPseudoTerminal FPty;
};

TEST_F(ModemLines, KeyingThroughTheComponentIsAnsweredAndLogged) {
  TComPort port;
  port.SetPort(FPty.SlavePath());
  port.Open();  // drops both lines, as DTR and RTS control are disabled
  port.SetDTR(true);
  port.SetRTS(true);
  port.SetRTS(true);  // a repeated raise is logged too: keying raises on every tick
  port.SetDTR(false);
  port.SetRTS(false);
  EXPECT_EQ(LoggedStates(), (std::vector<std::string>{"DTR=0 RTS=0", "DTR=1 RTS=0", "DTR=1 RTS=1", "DTR=1 RTS=1",
                                                      "DTR=0 RTS=1", "DTR=0 RTS=0"}));
}

TEST_F(ModemLines, KeepsTheBitsPerDescriptorAndStartsRaisedAfterReopening) {
  int fd = ::open(FPty.SlavePath().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(fd, 0);
  int bits = 0;
  ASSERT_EQ(::ioctl(fd, TIOCMGET, &bits), 0);
  EXPECT_EQ(bits & (TIOCM_DTR | TIOCM_RTS), TIOCM_DTR | TIOCM_RTS);
  bits = TIOCM_RTS;
  ASSERT_EQ(::ioctl(fd, TIOCMSET, &bits), 0);
  ASSERT_EQ(::ioctl(fd, TIOCMGET, &bits), 0);
  EXPECT_EQ(bits, TIOCM_RTS);
  ::close(fd);

  fd = ::open(FPty.SlavePath().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ioctl(fd, TIOCMGET, &bits), 0);
  EXPECT_EQ(bits & (TIOCM_DTR | TIOCM_RTS), TIOCM_DTR | TIOCM_RTS);
  ::close(fd);
  EXPECT_EQ(LoggedStates(), std::vector<std::string>{"DTR=0 RTS=1"});
}

TEST_F(ModemLines, OtherDevicesAndRequestsPassThrough) {
  FFolder.WriteFile("plain", "x");
  const int file = ::open((FFolder.Path() / "plain").c_str(), O_RDONLY);
  ASSERT_GE(file, 0);
  int bits = TIOCM_DTR;
  errno = 0;
  EXPECT_EQ(::ioctl(file, TIOCMBIS, &bits), -1);
  EXPECT_EQ(errno, ENOTTY);
  ::close(file);
  // The master side is no slave: the kernel answers it as before.
  EXPECT_EQ(::ioctl(FPty.MasterFd(), TIOCMBIS, &bits), -1);
  // A terminal request on the slave still reaches the kernel.
  const int slave = ::open(FPty.SlavePath().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(slave, 0);
  struct winsize size {};
  EXPECT_EQ(::ioctl(slave, TIOCGWINSZ, &size), 0);
  ::close(slave);
  EXPECT_TRUE(LoggedStates().empty());
}

}  // namespace
