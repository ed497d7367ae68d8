#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/Application.h"
#include "platform/Handler.h"
#include "platform/Timer.h"
#include "support/ManualClock.h"
#include "support/ScriptedDialogs.h"

namespace {

class ErrorReport : public testing::Test {
 protected:
  void SetUp() override { TApplication::Instance().SetTitle("TALMO"); }
  TScriptedDialogs dialogs;
};

TEST_F(ErrorReport, HandlerErrorShowsOneErrorBoxCaptionedWithTitleAndProgramGoesOn) {
  bool after = false;
  RunHandler([] { throw std::runtime_error("EscapeCommFunction function failed (Error: 25)"); });
  RunHandler([&] { after = true; });

  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].kind, TShownBox::Error);
  EXPECT_EQ(dialogs.shown[0].caption, "TALMO");
  EXPECT_EQ(dialogs.shown[0].text, "EscapeCommFunction function failed (Error: 25)");
  EXPECT_TRUE(after);
}

TEST_F(ErrorReport, TickThatFailsEveryTimeOpensOneBoxWhileItIsOpen) {
  TManualClock clock;
  TTimer tick(10, true);
  int ticks = 0;
  tick.SetOnTimer([&] {
    ++ticks;
    throw std::runtime_error("unplugged");
  });
  // While the first box is open, ticks go on inside its modal loop and fail again.
  int ticksInsideBox = 0;
  dialogs.whileOpen = [&] {
    if (ticksInsideBox++ == 0) clock.Advance(50);
  };

  testing::internal::CaptureStderr();
  clock.Advance(10);
  const std::string diverted = testing::internal::GetCapturedStderr();

  EXPECT_EQ(ticks, 6);  // the first tick, then five inside the box
  EXPECT_EQ(dialogs.shown.size(), 1u);
  EXPECT_NE(diverted.find("TALMO: unplugged"), std::string::npos);

  // Once the box is closed, the next failure gets a box of its own again.
  dialogs.whileOpen = nullptr;
  clock.Advance(10);
  EXPECT_EQ(dialogs.shown.size(), 2u);
}

TEST_F(ErrorReport, NonStandardExceptionIsReportedToo) {
  RunHandler([] { throw 42; });
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].kind, TShownBox::Error);
}

}  // namespace
