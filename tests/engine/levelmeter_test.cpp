#include <gtest/gtest.h>

#include <vector>

#include "support/ScriptedDialogs.h"
#include "support/VoxRig.h"

namespace {

const TFFTBlock kSilence{};
const TFFTBlock kTone = TScriptedCapture::Tone(9, 0.5f);  // tick level 19

// The worked example: a steady tone from silence, then silence again, threshold 10.
TEST(LevelMeter, WorkedExampleTickByTick) {
  TVoxRig rig;
  const std::vector<int> rising = {1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 13, 14, 15, 16, 17, 19, 19, 19};
  for (size_t i = 0; i < rising.size(); ++i) {
    rig.Ticks(1, kTone);
    EXPECT_EQ(rig.Shown(), rising[i]) << "tick " << i + 1;
    // The ninth tick (level 10) is the first trigger.
    EXPECT_EQ(rig.Keying.TxActive, i + 1 >= 9) << "tick " << i + 1;
  }

  const std::vector<int> falling = {17, 16, 15, 14, 13, 11, 10, 9, 8, 7, 5, 4, 3, 2, 1, 0};
  std::vector<int> lineChangesAt;
  for (size_t i = 0; i < falling.size(); ++i) {
    const size_t before = rig.Port.changes.size();
    rig.Ticks(1, kSilence);
    EXPECT_EQ(rig.Shown(), falling[i]) << "silent tick " << i + 1;
    if (rig.Port.changes.size() != before) lineChangesAt.push_back(static_cast<int>(i + 1));
  }
  // Every silent tick up to the seventh (level 10) triggers and raises the lines again.
  EXPECT_EQ(lineChangesAt, (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));

  // The hang time (1000 ms) counts from the seventh silent tick: released 100 ticks later.
  rig.Port.changes.clear();
  rig.Ticks(100 - 9 - 1, kSilence);  // 9 silent ticks already ran since the seventh
  EXPECT_TRUE(rig.Keying.TxActive);
  rig.Ticks(1, kSilence);
  EXPECT_FALSE(rig.Keying.TxActive);
  EXPECT_EQ(rig.Port.changes, (std::vector<std::string>{"DTR-", "RTS-"}));
}

TEST(LevelMeter, TickLevelOfKnownSpectra) {
  struct Case {
    const char* name;
    TFFTBlock block;
    int level;
  };
  TFFTBlock everyReadEntryAtOneUnit{};
  for (int i = 0; i < 128; ++i) everyReadEntryAtOneUnit[5 + 2 * i] = 1.5f / 500;
  TFFTBlock belowOneUnit{};
  belowOneUnit.fill(0.99f / 500);
  TFFTBlock unreadEntries{};
  unreadEntries[0] = unreadEntries[4] = unreadEntries[6] = unreadEntries[261] = 1.0f;
  const Case cases[] = {
      {"silence", kSilence, 0},
      {"tone at entry 9", kTone, 19},
      {"negative magnitude counts like positive", TScriptedCapture::Tone(9, -0.5f), 19},
      {"every read entry at one unit is the default threshold", everyReadEntryAtOneUnit, 10},
      {"magnitudes below 1/500 contribute nothing", belowOneUnit, 0},
      {"entries the meter does not read", unreadEntries, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(TickLevel(c.block, 2), c.level) << c.name;
}

TEST(LevelMeter, ConstantLevelRisesAsMeanOfHistory) {
  TVoxRig rig;
  for (int k = 1; k <= 20; ++k) EXPECT_EQ(rig.LevelMeter.Smooth(37), 37 * std::min(k, 16) / 16) << k;
}

struct ThresholdCase {
  const char* name;
  int threshold;
  int smoothedLevel;  // a multiple of 10, held for 16 ticks
  int shown;
  bool triggers;
};

class Threshold : public testing::TestWithParam<ThresholdCase> {};

TEST_P(Threshold, TriggersAtOrAboveAndClampsTheDisplay) {
  const ThresholdCase& c = GetParam();
  TVoxRig rig;
  rig.SquelchTrack.SetPosition(c.threshold);
  // Prime the history to the level, then look at one more tick.
  for (int i = 0; i < 16; ++i) rig.LevelMeter.Smooth(c.smoothedLevel);
  TFFTBlock steady{};
  // 128 entries read; each term 10 × v gives a tick level of 10 × v.
  for (int i = 0; i < 128; ++i) steady[5 + 2 * i] = (c.smoothedLevel / 10 + 0.5f) / 500;
  ASSERT_EQ(TickLevel(steady, 2), c.smoothedLevel);
  rig.Ticks(1, steady);
  EXPECT_EQ(rig.Shown(), c.shown);
  EXPECT_EQ(rig.Keying.TxActive, c.triggers);
}

INSTANTIATE_TEST_SUITE_P(Table, Threshold,
                         testing::Values(ThresholdCase{"equal", 40, 40, 40, true},
                                         ThresholdCase{"oneBelow", 41, 40, 40, false},
                                         ThresholdCase{"zeroOnSilence", 0, 0, 0, true},
                                         ThresholdCase{"above100ShowsAndTriggers", 100, 130, 100, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LevelMeter, InactiveChannelChangesNothing) {
  TVoxRig rig;
  rig.Ticks(20, kTone);
  const auto history = rig.LevelMeter.LevelHistory;
  const int shown = rig.Shown();
  const int fetches = rig.Bass.fetches;
  rig.Port.changes.clear();

  rig.Bass.active = false;
  rig.Ticks(5, TScriptedCapture::Tone(9, 1.0f));
  EXPECT_EQ(rig.LevelMeter.LevelHistory, history);
  EXPECT_EQ(rig.Shown(), shown);
  EXPECT_EQ(rig.Bass.fetches, fetches);
  EXPECT_TRUE(rig.Port.changes.empty());
}

TEST(LevelMeter, MuteBlocksTriggersWhileTheDisplayMoves) {
  TVoxRig rig;
  rig.MuteMode.MuteButtonClick();
  rig.Ticks(30, TScriptedCapture::Tone(9, 1.0f));
  EXPECT_EQ(rig.Shown(), 39);
  EXPECT_FALSE(rig.Keying.TxActive);
  EXPECT_TRUE(rig.Port.changes.empty());
}

TEST(LevelMeter, SoundTickScheduleIsNotDisturbedByItsReArm) {
  TVoxRig rig;
  rig.Ticks(50, kTone);
  EXPECT_EQ(rig.soundTicks, 50);
}

TEST(LevelMeter, LineErrorReachesTheReportOnceAndTheNextTickRuns) {
  TScriptedDialogs dialogs;
  TVoxRig rig;
  rig.Ticks(8, kTone);
  rig.Port.refuse = "DTR";
  // The error leaves the tick; the guard around the timer reports it.
  EXPECT_NO_THROW(rig.Ticks(1, kTone));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "EscapeCommFunction function failed (Error: 25)");
  EXPECT_TRUE(rig.Keying.TxActive);       // the steps before the refused one took effect
  EXPECT_TRUE(rig.Port.changes.empty());  // RTS was not touched after DTR failed
  rig.Ticks(1, kTone);
  EXPECT_EQ(rig.Port.changes, (std::vector<std::string>{"DTR+", "RTS+"}));
}

}  // namespace
