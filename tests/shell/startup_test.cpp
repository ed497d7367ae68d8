#include <gtest/gtest.h>

#include "controls/Led1.h"
#include "controls/spectrum_vis.h"
#include "platform/Button.h"
#include "platform/TrackBar.h"
#include "settings/Log.h"
#include "support/FormRig.h"

namespace {

using Texts = std::vector<std::string>;

TEST(Startup, InAnEmptyFolderUsesTheDefaultsAndWritesTheSettingsAtTheEnd) {
  TFormRig rig;
  ASSERT_EQ(rig.Create(), std::nullopt);
  TTalmoForm& form = *rig.form;

  EXPECT_EQ(rig.BoxTexts(), Texts{"Defined COM Port not available"});
  EXPECT_EQ(rig.bass.calls, (Texts{"BASS_Init", "BASS_RecordInit", "BASS_RecordStart"}));
  EXPECT_EQ(form.LevelMeter.RecordChannel, rig.bass.recordStartResult);
  EXPECT_EQ(form.SquelchTrack->Position(), 10);
  EXPECT_EQ(form.DelayTrack->Position(), 50);
  EXPECT_EQ(form.ComPort.Port(), "COM1");
  EXPECT_EQ(form.ComPort.BaudRate(), TBaudRate::br4800);
  EXPECT_FALSE(form.ComPort.Connected());
  EXPECT_FALSE(form.TimerLED.Enabled());
  EXPECT_EQ(form.TimerLED.Interval(), 1000u);
  EXPECT_TRUE(form.TimerSound.Enabled());
  EXPECT_EQ(form.TimerSound.Interval(), 10u);
  EXPECT_FALSE(form.LED->On());
  EXPECT_EQ(form.LED->Color1(), clGreen);
  EXPECT_EQ(form.MuteButton->Caption(), "MUTE");
  EXPECT_EQ(AppSpectrum->BinStep, 2);
  EXPECT_EQ(AppSpectrum->DrawStyle, 1);
  EXPECT_EQ(form.IniFileName, (rig.dir / "TALMO.INI").string());
  EXPECT_TRUE(AppLog->Enabled());
  EXPECT_NE(rig.Read("TALMO.Log").find("PORTNRO=COM1"), std::string::npos);

  EXPECT_FALSE(rig.Exists("TALMO.INI"));
  rig.End();
  const std::string ini = rig.Read("TALMO.INI");
  for (const char* line : {"COMPORT=COM1", "BAUDRATE=4800", "TRACE=YES", "GAIN=10", "DELAY=50"})
    EXPECT_NE(ini.find(line), std::string::npos) << line;
}

TEST(Startup, SoundTicksBeforeRecordingStartsDoNothing) {
  TFormRig rig;
  // Ticks run inside the serial port's message box, before capture has started.
  rig.dialogs.whileOpen = [&] { rig.clock.Advance(100); };
  ASSERT_EQ(rig.Create(), std::nullopt);
  EXPECT_EQ(rig.bass.fetches, 0);
  rig.dialogs.whileOpen = nullptr;
  rig.clock.Advance(100);
  EXPECT_EQ(rig.bass.fetches, 10);
}

struct FatalCase {
  const char* name;
  bool recordInit;
  HRECORD recordStart;
  const char* message;
  Texts calls;
};

class FatalCapture : public testing::TestWithParam<FatalCase> {};

TEST_P(FatalCapture, ShowsItsBoxRunsTheTeardownOnceAndEndsWithStatus1) {
  const FatalCase& c = GetParam();
  TFormRig rig({}, "[SETTINGS]\r\nGAIN=33\r\n");
  rig.bass.recordInitResult = c.recordInit;
  rig.bass.recordStartResult = c.recordStart;

  EXPECT_EQ(rig.Create(), 1);
  ASSERT_EQ(rig.dialogs.shown.size(), 2u);
  EXPECT_EQ(rig.dialogs.shown[1].kind, TShownBox::Error);
  EXPECT_EQ(rig.dialogs.shown[1].text, c.message);
  EXPECT_EQ(rig.bass.calls, c.calls);
  EXPECT_EQ(rig.bass.frees, 1);
  EXPECT_FALSE(rig.form->TrayIconData.Visible());
  // The settings read at start-up are written back in normalised form.
  EXPECT_NE(rig.Read("TALMO.INI").find("GAIN=33"), std::string::npos);
  EXPECT_NE(rig.Read("TALMO.INI").find("TRACE=YES"), std::string::npos);

  rig.End();  // a later way out does not run the teardown again
  EXPECT_EQ(rig.bass.frees, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FatalCapture,
    testing::Values(FatalCase{"RecordInitFails", false, 7, "Can not initialize sound device",
                              {"BASS_Init", "BASS_RecordInit", "BASS_Free"}},
                    FatalCase{"RecordStartFails", true, 0, "Can not start recording",
                              {"BASS_Init", "BASS_RecordInit", "BASS_RecordStart", "BASS_Free"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Startup, SettingsFromTheFileReachTheControls) {
  TFormRig rig({}, "[Settings]\r\nGAIN=150\r\nDELAY=007\r\nTRACE=NO\r\nBAUDRATE=19200\r\ncomport=com3\r\n");
  ASSERT_EQ(rig.Create(), std::nullopt);
  EXPECT_EQ(rig.form->SquelchTrack->Position(), 100);
  EXPECT_EQ(rig.form->DelayTrack->Position(), 7);
  EXPECT_EQ(rig.form->DelayTrack->SelEnd(), 7);  // the change handler ran
  EXPECT_EQ(rig.form->TimerLED.Interval(), 140u);
  EXPECT_EQ(rig.form->ComPort.Port(), "COM3");
  EXPECT_EQ(rig.form->ComPort.BaudRate(), TBaudRate::br19200);
  EXPECT_FALSE(rig.Exists("TALMO.Log"));
}

}  // namespace
