#include <gtest/gtest.h>

#include <vector>

#include "support/VoxRig.h"

namespace {

using Lines = std::vector<std::string>;

TEST(Keying, ReleaseComesOneHangTimeAfterTheLastTriggerNotTheFirst) {
  TVoxRig rig;
  rig.Keying.SquelchOn();
  rig.Clock.Advance(600);
  rig.Keying.SquelchOn();  // retrigger restarts the full 1000 ms
  rig.Clock.Advance(999);
  EXPECT_TRUE(rig.Keying.TxActive);
  EXPECT_TRUE(rig.LED.On());
  rig.Clock.Advance(1);
  EXPECT_FALSE(rig.Keying.TxActive);
  EXPECT_FALSE(rig.LED.On());
  EXPECT_FALSE(rig.TimerLED.Enabled());
  EXPECT_EQ(rig.TimerLED.Interval(), 0u);
}

TEST(Keying, DtrBeforeRtsBothWays) {
  TVoxRig rig;
  rig.Keying.SquelchOn();
  rig.Clock.Advance(1000);
  EXPECT_EQ(rig.Port.changes, (Lines{"DTR+", "RTS+", "DTR-", "RTS-"}));
}

TEST(Keying, DelayChangeWhileKeyedLeavesTheRunningHangTimeAlone) {
  TVoxRig rig;
  rig.Keying.SquelchOn();
  rig.DelayTrack.SetPosition(10);  // 200 ms from the next trigger on
  EXPECT_EQ(rig.DelayTrack.SelEnd(), 10);
  rig.Clock.Advance(999);
  EXPECT_TRUE(rig.Keying.TxActive);
  rig.Clock.Advance(1);
  EXPECT_FALSE(rig.Keying.TxActive);

  rig.Keying.SquelchOn();
  rig.Clock.Advance(200);
  EXPECT_FALSE(rig.Keying.TxActive);
}

TEST(Keying, HangTimePerDelayPosition) {
  struct Case {
    int position;
    unsigned hangMs;
  };
  for (const Case c : {Case{100, 2000}, Case{1, 20}, Case{50, 1000}}) {
    TVoxRig rig;
    rig.DelayTrack.SetPosition(c.position);
    rig.Keying.SquelchOn();
    rig.Clock.Advance(c.hangMs - 1);
    EXPECT_TRUE(rig.Keying.TxActive) << c.position;
    rig.Clock.Advance(1);
    EXPECT_FALSE(rig.Keying.TxActive) << c.position;
  }
}

TEST(Keying, DelayZeroNeverReleasesUntilALaterTriggerWithADelay) {
  TVoxRig rig;
  rig.DelayTrack.SetPosition(0);
  rig.Keying.SquelchOn();
  rig.Clock.Advance(60'000);
  EXPECT_TRUE(rig.Keying.TxActive);
  EXPECT_EQ(rig.Port.changes, (Lines{"DTR+", "RTS+"}));

  rig.DelayTrack.SetPosition(5);
  rig.Keying.SquelchOn();
  rig.Clock.Advance(100);
  EXPECT_FALSE(rig.Keying.TxActive);
}

TEST(Keying, ClosedPortSeesNoLineCallsAndRaisesNothing) {
  TVoxRig rig;
  rig.Port.connected = false;
  EXPECT_NO_THROW(rig.Keying.SquelchOn());
  EXPECT_TRUE(rig.LED.On());
  EXPECT_NO_THROW(rig.Clock.Advance(1000));
  EXPECT_FALSE(rig.LED.On());
  EXPECT_TRUE(rig.Port.changes.empty());
}

TEST(Keying, RefusedDropLeavesIdleWithALineHighAndTheNextCycleDropsIt) {
  TVoxRig rig;
  rig.Keying.SquelchOn();
  rig.Port.refuse = "RTS";
  EXPECT_THROW(rig.Keying.SquelchOff(), EComPort);
  EXPECT_FALSE(rig.Keying.TxActive);
  EXPECT_FALSE(rig.Port.dtr);
  EXPECT_TRUE(rig.Port.rts);

  rig.Keying.SquelchOn();
  rig.Keying.SquelchOff();
  EXPECT_FALSE(rig.Port.dtr);
  EXPECT_FALSE(rig.Port.rts);
}

TEST(Keying, HangTimerTickWhileIdleJustReleasesAgain) {
  TVoxRig rig;
  rig.Keying.TimerLEDTimer();
  EXPECT_FALSE(rig.Keying.TxActive);
  EXPECT_EQ(rig.Port.changes, (Lines{"DTR-", "RTS-"}));
}

}  // namespace
