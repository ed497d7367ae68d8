#include "settings/Config.h"
#include "settings/Log.h"
#include "settings/LogTimeStamp.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <clocale>
#include <filesystem>
#include <regex>
#include <sstream>
#include <vector>

namespace {

// The line shape under the C locale: "MM/DD/YYYY HH:MM:SS text" and CR LF.
const std::string kStamp = R"(\d\d/\d\d/\d{4} \d\d:\d\d:\d\d )";

class LogTest : public testing::Test {
 protected:
  void SetUp() override {
    std::setlocale(LC_ALL, "C");
    Log.FileName = Folder / "TALMO.Log";
    Log.Level = 1;
  }

  // The file's lines with the time stamps checked and removed.
  std::vector<std::string> Texts() const {
    std::vector<std::string> Result;
    std::istringstream In(FileText(Log.FileName));
    const std::regex Line(kStamp + "(.*)\r");
    std::smatch Match;
    for (std::string Raw; std::getline(In, Raw);) {
      if (!std::regex_match(Raw, Match, Line)) {
        ADD_FAILURE() << "badly shaped line: " << Raw;
        continue;
      }
      Result.push_back(Match[1]);
    }
    return Result;
  }

  TScratchFolder Folder;
  TLog Log;
};

using Lines = std::vector<std::string>;

TEST_F(LogTest, StartsOffAndWritesNothingBeforeBeingEnabled) {
  TLog Fresh;
  EXPECT_FALSE(Fresh.Enabled());
  EXPECT_EQ(Fresh.Level, 0u);
  EXPECT_TRUE(Fresh.FileName.empty());

  Log.Write(1, "early");
  EXPECT_FALSE(FileExists(Log.FileName));
}

TEST_F(LogTest, EnableEmptiesAnOldLogAndDisableKeepsIt) {
  PutFileText(Log.FileName, "old run\r\n");
  Log.SetEnabled(true);
  EXPECT_TRUE(Log.Enabled());
  EXPECT_EQ(FileText(Log.FileName), "");

  Log.Write(1, "-------");
  Log.SetEnabled(true);
  EXPECT_EQ(FileText(Log.FileName), "") << "a second enable empties it again";

  Log.Write(1, "kept");
  Log.SetEnabled(false);
  EXPECT_FALSE(Log.Enabled());
  Log.Write(1, "after disable");
  EXPECT_EQ(Texts(), Lines{"kept"});
}

TEST_F(LogTest, WritesOnlyLevelsUpToLevel) {
  Log.SetEnabled(true);
  Log.Write(0, "zero");
  Log.Write(1, "one");
  Log.Write(2, "two");
  Log.Write(255, "max");
  Log.Level = 0;
  Log.Write(1, "one at level 0");
  Log.Write(0, "zero at level 0");
  EXPECT_EQ(Texts(), (Lines{"zero", "one", "zero at level 0"}));
}

TEST_F(LogTest, StaysOffWhenTheFileCannotBeCreated) {
  for (const std::string& Path : {Folder / "missing/TALMO.Log", Folder.Path(), std::string()}) {
    SCOPED_TRACE(Path);
    TLog Broken;
    Broken.FileName = Path;
    Broken.Level = 1;
    Broken.SetEnabled(true);
    EXPECT_FALSE(Broken.Enabled());
    Broken.Write(1, "nothing");
  }
  EXPECT_FALSE(FileExists(Folder / "missing"));
}

TEST_F(LogTest, RecreatesALogDeletedBetweenTwoLines) {
  Log.SetEnabled(true);
  Log.Write(1, "first");
  std::filesystem::remove(Log.FileName);
  Log.Write(1, "second");
  Log.Write(1, "third");
  EXPECT_EQ(Texts(), (Lines{"second", "third"}));
}

TEST_F(LogTest, LosesALineSilentlyAndTriesAgainWithTheNext) {
  Log.SetEnabled(true);
  std::filesystem::create_directory(Log.FileName + ".folder");
  const std::string Real = Log.FileName;
  Log.FileName = Real + ".folder";  // can be opened neither way
  Log.Write(1, "lost");
  EXPECT_TRUE(Log.Enabled());
  Log.FileName = Real;
  Log.Write(1, "next");
  EXPECT_EQ(Texts(), Lines{"next"});
}

TEST_F(LogTest, LineIsStampSpaceTextAndCrLfEvenForEmptyText) {
  Log.SetEnabled(true);
  Log.Write(1, "");
  Log.Write(1, "-------");
  EXPECT_TRUE(std::regex_match(FileText(Log.FileName),
                               std::regex(kStamp + "\r\n" + kStamp + "-------\r\n")))
      << FileText(Log.FileName);
}

TEST_F(LogTest, ParameterBlockOfAStartWithoutFile) {
  Log.SetEnabled(true);
  WriteParameterBlock(Log, {"/home/op/TALMO.INI", true, "COM1", 4800, 10, 50});
  EXPECT_EQ(Texts(), (Lines{"--------------Parameters ----------------", "Configuration File /home/op/TALMO.INI",
                            "LOGGING=TRUE", "PORTNRO=COM1", "COMBAUD=4800", "GAIN=10", "DELAY=50",
                            "-----------------------------------------"}));
  EXPECT_EQ(Texts().front().size(), 41u);
  EXPECT_EQ(Texts().back().size(), 41u);
}

TEST(LogTimeStamp, DateFormatGetsAFourDigitYear) {
  const struct {
    const char* Locale;
    const char* Expected;
  } Cases[] = {{"%m/%d/%y", "%m/%d/%Y"},     // C, POSIX
               {"%d.%m.%Y", "%d.%m.%Y"},     // de_DE
               {"%d/%m/%y", "%d/%m/%Y"},     // en_GB
               {"%D", "%m/%d/%Y"},
               {"%Ey/%-y/%Oy", "%Y/%-Y/%Y"},
               {"%Y年%m月%d日", "%Y年%m月%d日"},
               {"%%y %", "%%y %"},
               {"", ""}};
  for (const auto& Case : Cases) {
    char Out[64];
    ASSERT_TRUE(FourDigitYearFormat(Case.Locale, Out, sizeof Out)) << Case.Locale;
    EXPECT_STREQ(Out, Case.Expected) << Case.Locale;
  }
  char Small[4];
  EXPECT_FALSE(FourDigitYearFormat("%d.%m.%Y", Small, sizeof Small));
}

TEST(LogTimeStamp, TimeFormatAlwaysShowsSeconds) {
  const char* AmPm = "%I:%M:%S %p";
  const struct {
    const char* Locale;
    const char* Expected;
  } Cases[] = {{"%H:%M:%S", "%H:%M:%S"}, {"%r", "%r"}, {"%T", "%T"}, {"%H:%M", "%H:%M:%S"},
               {"%I:%M %p", AmPm}, {"%Hh%M", "%H:%M:%S"}, {"", "%H:%M:%S"}};
  for (const auto& Case : Cases) EXPECT_STREQ(TimeFormatWithSeconds(Case.Locale, AmPm), Case.Expected) << Case.Locale;
}

TEST(LogTimeStamp, CLocaleStamp) {
  std::setlocale(LC_ALL, "C");
  std::tm Moment{};
  Moment.tm_year = 2011 - 1900;
  Moment.tm_mon = 11;
  Moment.tm_mday = 9;
  Moment.tm_hour = 17;
  Moment.tm_min = 8;
  Moment.tm_sec = 3;
  char Out[64];
  const std::size_t Length = FormatTimeStamp(Moment, Out, sizeof Out);
  EXPECT_EQ(std::string(Out, Length), "12/09/2011 17:08:03 ");
  EXPECT_EQ(FormatTimeStamp(Moment, Out, 12), 0u) << "too small a buffer gives nothing";
}

}  // namespace
