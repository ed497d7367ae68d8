// Keying through the real serial port component on a pseudo-terminal, which
// refuses modem-line changes as such a device does.
#include <gtest/gtest.h>

#include "platform/ComPort.h"
#include "support/PseudoTerminal.h"
#include "support/ScriptedDialogs.h"
#include "support/VoxRig.h"

namespace {

TEST(RealPort, RefusedRaiseReachesTheErrorReportOnceAndTicksGoOn) {
  TPseudoTerminal pty;
  TComPort port;
  port.SetPort(pty.SlavePath());
  port.Open();
  ASSERT_TRUE(port.Connected());

  TScriptedDialogs dialogs;
  TVoxRig rig(&port);
  // While the first report's box is open, ticks keep running inside it and fail again.
  int nested = 0;
  dialogs.whileOpen = [&] {
    if (nested++ == 0) rig.Ticks(20, TScriptedCapture::Tone(9, 1.0f));
  };
  testing::internal::CaptureStderr();
  rig.Ticks(5, TScriptedCapture::Tone(9, 1.0f));  // level 39: the fifth tick is the first trigger
  const std::string diverted = testing::internal::GetCapturedStderr();

  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].kind, TShownBox::Error);
  EXPECT_EQ(dialogs.shown[0].text, "EscapeCommFunction function failed (Error: 25)");
  EXPECT_NE(diverted.find("EscapeCommFunction function failed (Error: 25)"), std::string::npos);
  EXPECT_EQ(rig.soundTicks, 25);  // every tick ran, those inside the box too
  rig.Ticks(1, TScriptedCapture::Tone(9, 1.0f));  // box closed: the next failure has a box again
  EXPECT_EQ(dialogs.shown.size(), 2u);
  EXPECT_TRUE(rig.Keying.TxActive);
  EXPECT_TRUE(rig.LED.On());
  EXPECT_TRUE(port.Connected());
}

}  // namespace
