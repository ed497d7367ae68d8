#include "platform/Timer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/ManualClock.h"

namespace {

struct TimerCase {
  std::string name;
  unsigned interval;
  bool enabled;
  // What happens after `changeAt` ms of a run.
  std::uint64_t changeAt;
  std::function<void(TTimer&)> change;
  // Times (ms since start) at which ticks are expected within the first 100 ms.
  std::vector<std::uint64_t> expectedTicks;
};

class TimerRules : public testing::TestWithParam<TimerCase> {};

TEST_P(TimerRules, TicksWhereTheRulesSay) {
  const TimerCase& c = GetParam();
  TManualClock clock;
  TTimer timer(c.interval, c.enabled);
  std::vector<std::uint64_t> ticks;
  timer.SetOnTimer([&] { ticks.push_back(clock.Now()); });

  clock.Advance(c.changeAt);
  c.change(timer);
  clock.Advance(100 - c.changeAt);
  EXPECT_EQ(ticks, c.expectedTicks);
}

const auto kNoChange = [](TTimer&) {};

INSTANTIATE_TEST_SUITE_P(
    Table, TimerRules,
    testing::Values(
        TimerCase{"EnabledTicksEveryPeriod", 30, true, 0, kNoChange, {30, 60, 90}},
        TimerCase{"DisabledNeverTicks", 30, false, 0, kNoChange, {}},
        TimerCase{"IntervalZeroNeverTicks", 0, true, 0, kNoChange, {}},
        TimerCase{"SameEnabledDoesNothing", 30, true, 20, [](TTimer& t) { t.SetEnabled(true); }, {30, 60, 90}},
        TimerCase{"SameIntervalDoesNothing", 30, true, 20, [](TTimer& t) { t.SetInterval(30); }, {30, 60, 90}},
        TimerCase{"NewIntervalStartsFullPeriodFromChange", 30, true, 20,
                  [](TTimer& t) { t.SetInterval(25); }, {45, 70, 95}},
        TimerCase{"DisableThenEnableRestartsPeriod", 30, true, 20,
                  [](TTimer& t) { t.SetEnabled(false); t.SetEnabled(true); }, {50, 80}},
        TimerCase{"EnablingStartsFromThen", 30, false, 15, [](TTimer& t) { t.SetEnabled(true); }, {45, 75}},
        TimerCase{"IntervalZeroWhileRunningStops", 30, true, 40, [](TTimer& t) { t.SetInterval(0); }, {30}},
        TimerCase{"EnabledWithIntervalZeroStaysSilent", 0, false, 10,
                  [](TTimer& t) { t.SetEnabled(true); }, {}}),
    [](const testing::TestParamInfo<TimerCase>& info) { return info.param.name; });

}  // namespace
