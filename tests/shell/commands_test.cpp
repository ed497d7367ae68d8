#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include "about/AboutDlg.h"
#include "controls/Led1.h"
#include "platform/Button.h"
#include "platform/Process.h"
#include "platform/TrackBar.h"
#include "support/FormRig.h"

namespace {

using Texts = std::vector<std::string>;

// Closes whatever modal box a command opens, once the box's own loop runs.
void CloseNextModalBox(bool* seen) {
  QTimer::singleShot(0, [seen] {
    if (QWidget* box = QApplication::activeModalWidget()) {
      *seen = true;
      box->close();
    }
  });
}

Texts SystemMenuTexts(const TSystemMenu& menu) {
  Texts texts;
  for (const TSystemMenuItem& item : menu.Items())
    texts.push_back(item.Separator() ? "-" : item.Text + (item.Checked ? " [x]" : ""));
  return texts;
}

Texts PopupTexts(const QMenu& menu) {
  Texts texts;
  for (const QAction* action : menu.actions()) texts.push_back(action->text().toStdString());
  return texts;
}

class Commands : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(rig.Create(), std::nullopt); }
  TFormRig rig;
  TTalmoForm& form = *rig.form;
};

TEST_F(Commands, MenusHoldTheirItemsAndMuteRelabelsBoth) {
  const Texts standard = {"&Restore", "&Move", "&Size", "Mi&nimize", "Ma&ximize", "-", "&Quit\tAlt+F4"};
  Texts expected = standard;
  for (const char* t : {"-", "Mute", "COM Settings", "-", "&About..."}) expected.push_back(t);
  EXPECT_EQ(SystemMenuTexts(form.SystemMenu), expected);
  EXPECT_EQ(form.SystemMenu.Find(333)->Text, "Mute");
  EXPECT_EQ(form.SystemMenu.Find(444)->Text, "COM Settings");
  EXPECT_EQ(form.SystemMenu.Find(666)->Text, "&About...");
  EXPECT_EQ(form.SystemMenu.Find(SC_CLOSE)->Text, "&Quit\tAlt+F4");
  EXPECT_EQ(PopupTexts(*form.TrayPopupMenu), (Texts{"Mute", "COM Settings", "About", "Exit"}));

  form.MuteButtonClick();
  EXPECT_EQ(form.SystemMenu.Find(333)->Text, "Muted");
  EXPECT_TRUE(form.SystemMenu.Find(333)->Checked);
  EXPECT_EQ(PopupTexts(*form.TrayPopupMenu)[0], "Muted");

  form.MuteButtonClick();
  EXPECT_EQ(form.SystemMenu.Find(333)->Text, "Mute");
  EXPECT_FALSE(form.SystemMenu.Find(333)->Checked);
  EXPECT_EQ(PopupTexts(*form.TrayPopupMenu)[0], "Mute");
}

TEST_F(Commands, SystemCommandsCompareTheWholeValue) {
  form.SysMenuCommand(333);
  EXPECT_EQ(form.MuteButton->Caption(), "MUTED");
  form.SysMenuCommand(333 + 1);  // differs in the low four bits only
  form.SysMenuCommand(333 - 13);
  EXPECT_EQ(form.MuteButton->Caption(), "MUTED");

  bool aboutShown = false;
  CloseNextModalBox(&aboutShown);
  form.SysMenuCommand(666);
  EXPECT_TRUE(aboutShown);

  bool setupShown = false;
  CloseNextModalBox(&setupShown);
  form.SysMenuCommand(444);
  EXPECT_TRUE(setupShown);
}

TEST_F(Commands, CloseCommandClosesTheWindowWithoutAQuestion) {
  form.show();
  form.SysMenuCommand(SC_CLOSE);
  EXPECT_FALSE(form.isVisible());
  EXPECT_TRUE(rig.dialogs.shown.size() == 1);  // only the start-up's port message
}

TEST_F(Commands, OnlyTheRightButtonOverTheTrayIconOpensThePopup) {
  form.show();
  for (unsigned message : {WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_MBUTTONDOWN, 0x205u /* right button up */}) {
    form.TrayIconNotify(message);
    EXPECT_FALSE(form.TrayPopupMenu->isVisible()) << message;
  }
  form.showMinimized();
  form.TrayIconNotify(WM_RBUTTONDOWN);
  EXPECT_TRUE(form.TrayPopupMenu->isVisible());
  EXPECT_FALSE(form.isMinimized());
  form.TrayPopupMenu->hide();
}

TEST_F(Commands, ExitCancelledLeavesEverythingRunning) {
  rig.dialogs.answerOk = false;
  form.ExitClick();
  ASSERT_EQ(rig.dialogs.shown.size(), 2u);
  EXPECT_EQ(rig.dialogs.shown[1].kind, TShownBox::OkCancel);
  EXPECT_EQ(rig.dialogs.shown[1].caption, "Warning!");
  EXPECT_EQ(rig.dialogs.shown[1].text, "Do you really want to exit?");
  EXPECT_FALSE(rig.Exists("TALMO.INI"));
  EXPECT_EQ(rig.bass.frees, 0);
  EXPECT_TRUE(form.TimerSound.Running());
}

TEST_F(Commands, ExitConfirmedWritesTheSettingsAndEndsThroughTheTeardown) {
  form.SquelchTrack->SetPosition(42);
  try {
    form.ExitClick();
    FAIL() << "the process should have ended";
  } catch (const TProcessEnded& end) {
    EXPECT_EQ(end.Status, 0);
  }
  EXPECT_NE(rig.Read("TALMO.INI").find("GAIN=42"), std::string::npos);
  EXPECT_EQ(rig.bass.frees, 2);  // the command's own, then the teardown's
  EXPECT_FALSE(form.TrayIconData.Visible());
}

}  // namespace
