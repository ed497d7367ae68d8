#include <gtest/gtest.h>

#include "support/VoxRig.h"

namespace {

const TFFTBlock kLoud = TScriptedCapture::Tone(9, 1.0f);


void ExpectMuteOffLook(TVoxRig& rig) {
  EXPECT_EQ(rig.MuteButton.Caption(), "MUTE");
  EXPECT_EQ(rig.MuteButton.FontColor(), clBlack);
  EXPECT_FALSE(rig.MuteButton.FontBold());
  EXPECT_EQ(rig.LED.Color1(), clGreen);
  EXPECT_EQ(rig.LED.Color2(), clLime);
  EXPECT_EQ(rig.LED.OffColor1(), clBlack);
  EXPECT_EQ(rig.LED.OffColor2(), clGreen);
  EXPECT_FALSE(rig.TimerBlink.Enabled());
  EXPECT_EQ(rig.Menus.popup, "Mute");
  EXPECT_EQ(rig.Menus.system, "Mute");
  EXPECT_FALSE(rig.Menus.checked);
}

TEST(Mute, OnShowsRedBoldMutedLookAndMenus) {
  TVoxRig rig;
  rig.MuteMode.MuteButtonClick();
  EXPECT_EQ(rig.MuteButton.Caption(), "MUTED");
  EXPECT_EQ(rig.MuteButton.FontColor(), clRed);
  EXPECT_TRUE(rig.MuteButton.FontBold());
  EXPECT_EQ(rig.LED.Color1(), clMaroon);
  EXPECT_EQ(rig.LED.Color2(), clRed);
  EXPECT_EQ(rig.LED.OffColor1(), clBlack);
  EXPECT_EQ(rig.LED.OffColor2(), clRed);
  EXPECT_TRUE(rig.TimerBlink.Enabled());
  EXPECT_EQ(rig.TimerBlink.Interval(), 500u);
  EXPECT_EQ(rig.Menus.popup, "Muted");
  EXPECT_EQ(rig.Menus.system, "Muted");
  EXPECT_TRUE(rig.Menus.checked);
}

TEST(Mute, TwoTogglesRestoreEverything) {
  TVoxRig rig;
  rig.LED.SetOn(true);
  rig.MuteMode.MuteButtonClick();
  rig.Clock.Advance(1250);  // a few blinks
  rig.MuteMode.MuteButtonClick();
  ExpectMuteOffLook(rig);
  EXPECT_FALSE(rig.LED.On());
  EXPECT_EQ(rig.TimerBlink.Interval(), 0u);
}

TEST(Mute, BlinksEvery500msFromTheClick) {
  TVoxRig rig;
  rig.MuteMode.MuteButtonClick();
  EXPECT_FALSE(rig.LED.On());  // keeps its value until the first blink
  rig.Clock.Advance(499);
  EXPECT_FALSE(rig.LED.On());
  rig.Clock.Advance(1);
  EXPECT_TRUE(rig.LED.On());
  rig.Clock.Advance(500);
  EXPECT_FALSE(rig.LED.On());
}

TEST(Mute, OnWhileKeyedKeepsTheLinesHighUntilTheHangTimeEnds) {
  TVoxRig rig;
  rig.Ticks(20, kLoud);
  ASSERT_TRUE(rig.Keying.TxActive);
  rig.MuteMode.MuteButtonClick();
  rig.Port.changes.clear();

  rig.Ticks(99, kLoud);  // loud, but muted: no new trigger
  EXPECT_TRUE(rig.Port.dtr && rig.Port.rts);
  EXPECT_TRUE(rig.Port.changes.empty());
  rig.Ticks(1, kLoud);
  EXPECT_FALSE(rig.Port.dtr || rig.Port.rts);
  EXPECT_FALSE(rig.Keying.TxActive);
  EXPECT_TRUE(rig.TimerBlink.Enabled());  // still blinking
}

TEST(Mute, OffWhileKeyedPutsTheLedOutUntilTheNextTrigger) {
  TVoxRig rig;
  rig.Keying.SquelchOn();
  rig.MuteMode.MuteButtonClick();
  rig.MuteMode.MuteButtonClick();
  EXPECT_TRUE(rig.Keying.TxActive);
  EXPECT_FALSE(rig.LED.On());
  rig.Keying.SquelchOn();
  EXPECT_TRUE(rig.LED.On());
}

TEST(Mute, BlinkTickWithMuteOffStopsTheBlinkTimer) {
  TVoxRig rig;
  rig.TimerBlink.SetInterval(500);
  rig.TimerBlink.SetEnabled(true);
  rig.LED.SetOn(true);
  rig.Clock.Advance(500);
  EXPECT_FALSE(rig.TimerBlink.Enabled());
  EXPECT_EQ(rig.TimerBlink.Interval(), 0u);
  EXPECT_FALSE(rig.LED.On());
}

}  // namespace
