#include "settings/Config.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

namespace {

struct TStartCase {
  const char* Name;
  const char* IniText;  // nullptr: no file
  std::string ComPort;
  int BaudRate;
  bool Trace;
  int Gain;
  int Delay;
  // The five values the file holds after WriteSettings of what was read.
  const char* Written[5];
};

// What the window does between the reads and WriteINI: the track bars clamp.
TSavedSettings AsTheWindowKeepsThem(const std::string& ComPort, int BaudRate, bool Trace, int Gain, int Delay) {
  return {ComPort, PortRateFromConfig(BaudRate), Trace, std::clamp(Gain, 0, 100), std::clamp(Delay, 0, 100)};
}

TEST(ConfigReadAndWrite, NormalisesWhatItReadsAndWritesItBack) {
  const TStartCase Cases[] = {
      {"no file", nullptr, "COM1", 4800, true, 10, 50, {"COM1", "4800", "YES", "10", "50"}},
      {"empty section", "[SETTINGS]\r\n", "COM1", 4800, true, 10, 50, {"COM1", "4800", "YES", "10", "50"}},
      {"GAIN abc", "[SETTINGS]\nGAIN=abc\n", "COM1", 4800, true, 10, 50, {"COM1", "4800", "YES", "10", "50"}},
      {"GAIN empty", "[SETTINGS]\nGAIN=\n", "COM1", 4800, true, 10, 50, {"COM1", "4800", "YES", "10", "50"}},
      {"GAIN 150", "[SETTINGS]\nGAIN=150\n", "COM1", 4800, true, 150, 50, {"COM1", "4800", "YES", "100", "50"}},
      {"GAIN -3", "[SETTINGS]\nGAIN=-3\n", "COM1", 4800, true, -3, 50, {"COM1", "4800", "YES", "0", "50"}},
      {"DELAY 007", "[SETTINGS]\nDELAY=007\n", "COM1", 4800, true, 10, 7, {"COM1", "4800", "YES", "10", "7"}},
      {"TRACE on", "[SETTINGS]\nTRACE=on\n", "COM1", 4800, true, 10, 50, {"COM1", "4800", "YES", "10", "50"}},
      {"TRACE True", "[SETTINGS]\nTRACE=True\n", "COM1", 4800, true, 10, 50, {"COM1", "4800", "YES", "10", "50"}},
      {"TRACE 1", "[SETTINGS]\nTRACE=1\n", "COM1", 4800, false, 10, 50, {"COM1", "4800", "NOT", "10", "50"}},
      {"TRACE NO", "[SETTINGS]\nTRACE=NO\n", "COM1", 4800, false, 10, 50, {"COM1", "4800", "NOT", "10", "50"}},
      {"BAUDRATE 19200", "[SETTINGS]\nBAUDRATE=19200\n", "COM1", 19200, true, 10, 50, {"COM1", "19200", "YES", "10", "50"}},
      {"BAUDRATE 300", "[SETTINGS]\nBAUDRATE=300\n", "COM1", 300, true, 10, 50, {"COM1", "4800", "YES", "10", "50"}},
      {"BAUDRATE 14400", "[SETTINGS]\nBAUDRATE=14400\n", "COM1", 14400, true, 10, 50, {"COM1", "4800", "YES", "10", "50"}},
      {"COMPORT com3", "[SETTINGS]\nCOMPORT=com3\n", "COM3", 4800, true, 10, 50, {"COM3", "4800", "YES", "10", "50"}},
      {"numeric but no number", "[SETTINGS]\nBAUDRATE=1,000\nGAIN=1.5\nDELAY=5-3\n", "COM1", 4800, true, 10, 50,
       {"COM1", "4800", "YES", "10", "50"}},
      {"lone hyphen and beyond 32 bits", "[SETTINGS]\nGAIN=-\nDELAY=99999999999\nBAUDRATE=+9600\n", "COM1", 4800,
       true, 10, 50, {"COM1", "4800", "YES", "10", "50"}},
      {"all five set", "[settings]\r\ncomport=/dev/pts/7\r\nbaudrate=9600\r\ntrace=yes\r\ngain=33\r\ndelay=100\r\n",
       "/DEV/PTS/7", 9600, true, 33, 100, {"/DEV/PTS/7", "9600", "YES", "33", "100"}},
  };
  const char* Keys[5] = {"COMPORT", "BAUDRATE", "TRACE", "GAIN", "DELAY"};
  for (const TStartCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    TScratchFolder Folder;
    const std::string Path = Folder / "TALMO.INI";
    if (Case.IniText != nullptr) PutFileText(Path, Case.IniText);

    TConfigReader Reader(Path);
    const std::string ComPort = Reader.ReadComPort();
    const int BaudRate = Reader.ReadBaudRate();
    const bool Trace = Reader.ReadTrace();
    const int Gain = Reader.ReadGain();
    const int Delay = Reader.ReadDelay();
    EXPECT_EQ(ComPort, Case.ComPort);
    EXPECT_EQ(BaudRate, Case.BaudRate);
    EXPECT_EQ(Trace, Case.Trace);
    EXPECT_EQ(Gain, Case.Gain);
    EXPECT_EQ(Delay, Case.Delay);

    WriteSettings(Path, AsTheWindowKeepsThem(ComPort, BaudRate, Trace, Gain, Delay));
    const TIniFile Written(Path);
    for (int I = 0; I < 5; ++I) EXPECT_EQ(Written.ReadString("SETTINGS", Keys[I], "<none>"), Case.Written[I]) << Keys[I];
  }
}

TEST(ConfigReadAndWrite, WritesTheFiveKeysInOrderAndKeepsEverythingElse) {
  TScratchFolder Folder;
  const std::string Path = Folder / "TALMO.INI";
  PutFileText(Path, "; my radio\n[OTHER]\nX = 1\n\n[SETTINGS]\nGAIN=20\nNOTE=mine\n[LAST]\r\nY=2");
  WriteSettings(Path, {"COM3", TBaudRate::br115200, false, 20, 7});
  EXPECT_EQ(FileText(Path),
            "; my radio\n[OTHER]\nX = 1\n\n[SETTINGS]\nGAIN=20\nNOTE=mine\n"
            "COMPORT=COM3\r\nBAUDRATE=4800\r\nTRACE=NOT\r\nDELAY=7\r\n[LAST]\r\nY=2");
}

TEST(ConfigReadAndWrite, EmptyFileNameWritesTheDefaultFileInTheWorkingDirectory) {
  TScratchFolder Folder;
  const auto Previous = std::filesystem::current_path();
  std::filesystem::current_path(Folder.Path());
  WriteSettings("", {"COM1", TBaudRate::br4800, true, 10, 50});
  std::filesystem::current_path(Previous);
  EXPECT_EQ(FileText(Folder / "TALMO.INI"),
            "[SETTINGS]\r\nCOMPORT=COM1\r\nBAUDRATE=4800\r\nTRACE=YES\r\nGAIN=10\r\nDELAY=50\r\n");
}

TEST(ConfigReadAndWrite, FailedWriteRaisesWithThePath) {
  TScratchFolder Folder;
  PutFileText(Folder / "plain", "x");
  const std::string Path = Folder / "plain/TALMO.INI";
  EXPECT_THROW(
      {
        try {
          WriteSettings(Path, {"COM1", TBaudRate::br4800, true, 10, 50});
        } catch (const EIniFileException& Error) {
          EXPECT_EQ(std::string(Error.what()), "Unable to write to " + Path);
          throw;
        }
      },
      EIniFileException);
}

TEST(BaudRateMapping, KnowsFiveRatesAndRunsEverythingElseAt4800) {
  const struct {
    int Config;
    TBaudRate Port;
  } Known[] = {{1200, TBaudRate::br1200}, {2400, TBaudRate::br2400}, {4800, TBaudRate::br4800},
               {9600, TBaudRate::br9600}, {19200, TBaudRate::br19200}};
  for (const auto& Case : Known) {
    EXPECT_EQ(PortRateFromConfig(Case.Config), Case.Port) << Case.Config;
    EXPECT_EQ(ConfigNumberFromPortRate(Case.Port), Case.Config) << Case.Config;
  }
  for (int Other : {0, -1, 300, 14400, 38400, 115200, 2147483647})
    EXPECT_EQ(PortRateFromConfig(Other), TBaudRate::br4800) << Other;
  for (TBaudRate Other : {TBaudRate::brCustom, TBaudRate::br110, TBaudRate::br14400, TBaudRate::br38400,
                          TBaudRate::br57600, TBaudRate::br115200, TBaudRate::br256000})
    EXPECT_EQ(ConfigNumberFromPortRate(Other), 4800) << BaudRateValue(Other);
}

}  // namespace
