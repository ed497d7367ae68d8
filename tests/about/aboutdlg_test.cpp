#include "about/AboutDlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <optional>
#include <stdexcept>

#include "about/AboutForm.h"
#include "platform/Timer.h"
#include "support/ManualClock.h"

namespace {

// Runs `action` from inside the modal loop of the box shown next.
void WhenShown(std::function<void()> action) { QTimer::singleShot(0, std::move(action)); }

void Press(QWidget* target, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
  QApplication::sendEvent(target, &release);
}

class AboutDlg : public testing::Test {
 protected:
  AboutDlg() : dlg(&owner) {
    dlg.Title = "Soundcard based Control VOX System";
    dlg.ProductName = "TALMO 1.0.22";
    dlg.CopyRight = "by the TALMO authors";
    dlg.Programmer = "Free software, GNU GPL";
    dlg.WebSite = "https://talmo.example.org/";
    // A box left open by a broken test would hang it; close it and fail instead.
    watchdog.setSingleShot(true);
    watchdog.setInterval(10000);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
      ADD_FAILURE() << "an About box stayed open";
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = dynamic_cast<TAboutBox*>(w)) box->done(TAboutBox::mrCancel);
    });
    watchdog.start();
  }

  QObject owner;
  TAboutDlg dlg;
  QTimer watchdog;
};

TEST_F(AboutDlg, ShowsTitleAsCaptionProductNameFirstAndTheTextsBelow) {
  QPointer<TAboutBox> shown;
  bool visible = false, modal = false;
  QString caption, lines[4];
  WhenShown([&] {
    shown = dlg.Box();
    visible = shown->isVisible();
    modal = shown->isModal();
    caption = shown->windowTitle();
    lines[0] = shown->ProductName->text();
    lines[1] = shown->Copyright->text();
    lines[2] = shown->Programmer->text();
    lines[3] = shown->Website->text();
    shown->OKButton->click();
  });
  dlg.Execute();

  EXPECT_TRUE(visible);
  EXPECT_TRUE(modal);
  EXPECT_EQ(caption, "Soundcard based Control VOX System");
  EXPECT_EQ(lines[0], "TALMO 1.0.22");
  EXPECT_EQ(lines[1], "by the TALMO authors");
  EXPECT_EQ(lines[2].split('\n').join(' '), "Free software, GNU GPL");
  EXPECT_EQ(lines[3], "https://talmo.example.org/");
  EXPECT_TRUE(shown.isNull()) << "Execute frees its box";
  EXPECT_EQ(dlg.Box(), nullptr);
}

struct CloseCase {
  const char* name;
  std::function<void(TAboutBox&)> action;
  std::optional<int> result;  // the modal result it closes with; none: the box stays open
};

void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

class AboutDlgClosing : public AboutDlg, public testing::WithParamInterface<CloseCase> {};

TEST_P(AboutDlgClosing, OkEnterAndCloseCloseTheBoxEscapeDoesNot) {
  const CloseCase& c = GetParam();
  std::optional<int> result;
  bool openAfterAction = false;
  WhenShown([&] {
    TAboutBox* box = dlg.Box();
    QObject::connect(box, &QDialog::finished, [&](int r) { result = r; });
    c.action(*box);
    QApplication::processEvents();
    openAfterAction = box->isVisible();
    if (openAfterAction) box->OKButton->click();
  });
  dlg.Execute();

  EXPECT_EQ(openAfterAction, !c.result.has_value());
  EXPECT_EQ(result, c.result.value_or(TAboutBox::mrOk));
}

INSTANTIATE_TEST_SUITE_P(
    Table, AboutDlgClosing,
    testing::Values(CloseCase{"OKButtonClick", [](TAboutBox& b) { b.OKButton->click(); }, TAboutBox::mrOk},
                    CloseCase{"EnterOnTheButton", [](TAboutBox& b) { Press(b.OKButton, Qt::Key_Return); },
                              TAboutBox::mrOk},
                    CloseCase{"EnterOnTheBox", [](TAboutBox& b) { Press(&b, Qt::Key_Enter); }, TAboutBox::mrOk},
                    CloseCase{"CloseButtonOrAltF4", [](TAboutBox& b) { b.close(); }, TAboutBox::mrCancel},
                    CloseCase{"EscapeOnTheButton", [](TAboutBox& b) { Press(b.OKButton, Qt::Key_Escape); },
                              std::nullopt},
                    CloseCase{"EscapeOnTheBox", [](TAboutBox& b) { Press(&b, Qt::Key_Escape); }, std::nullopt}),
    [](const testing::TestParamInfo<CloseCase>& info) { return info.param.name; });

TEST_F(AboutDlg, EveryExecuteShowsAFreshBoxWithTheSameContent) {
  QPointer<TAboutBox> first;
  WhenShown([&] {
    first = dlg.Box();
    first->ProductName->setText("scribbled on");
    first->OKButton->click();
  });
  dlg.Execute();
  EXPECT_TRUE(first.isNull());

  QString secondLine;
  WhenShown([&] {
    secondLine = dlg.Box()->ProductName->text();
    dlg.Box()->OKButton->click();
  });
  dlg.Execute();
  EXPECT_EQ(secondLine, "TALMO 1.0.22");
  EXPECT_EQ(dlg.Box(), nullptr);
}

TEST_F(AboutDlg, SecondExecuteWhileOpenShowsASecondBoxAndEachCallFreesItsOwn) {
  QPointer<TAboutBox> outer, inner;
  bool bothShownTogether = false, outerBackOnTopAfterInner = false, innerFreedFirst = false;
  WhenShown([&] {
    outer = dlg.Box();
    WhenShown([&] {
      inner = dlg.Box();
      bothShownTogether = inner != outer && inner->isVisible() && outer->isVisible();
      inner->OKButton->click();
    });
    dlg.Execute();  // as from the tray menu while the first box is open
    innerFreedFirst = inner.isNull() && !outer.isNull() && outer->isVisible();
    outerBackOnTopAfterInner = dlg.Box() == outer;
    outer->OKButton->click();
  });
  dlg.Execute();

  EXPECT_TRUE(bothShownTogether);
  EXPECT_TRUE(innerFreedFirst);
  EXPECT_TRUE(outerBackOnTopAfterInner);
  EXPECT_TRUE(outer.isNull());
  EXPECT_EQ(dlg.Box(), nullptr);
}

TEST_F(AboutDlg, AutoCloseClosesTheBoxAfter15000Ms) {
  TManualClock clock;
  dlg.Timer = true;
  bool openAt14999 = false;
  bool timerWhileShown = false;
  QPointer<TAboutBox> box;
  WhenShown([&] {
    box = dlg.Box();
    timerWhileShown = dlg.CloseTimer() != nullptr;
    clock.Advance(14999);
    openAt14999 = box->isVisible();
    clock.Advance(1);  // closes the box, which ends the modal loop
  });
  dlg.Execute();

  EXPECT_TRUE(timerWhileShown);
  EXPECT_TRUE(openAt14999);
  EXPECT_TRUE(box.isNull());
  EXPECT_EQ(dlg.CloseTimer(), nullptr);
}

TEST_F(AboutDlg, BoxClosedBeforeTheTimerTakesItsTimerWithIt) {
  TManualClock clock;
  dlg.Timer = true;
  WhenShown([&] {
    clock.Advance(5000);
    dlg.Box()->OKButton->click();
  });
  dlg.Execute();
  EXPECT_EQ(dlg.CloseTimer(), nullptr);

  // The next box must not be closed when the first timer would have fired (15000),
  // only at its own 15000 ms (20000).
  bool openWhenFirstWouldFire = false;
  bool openJustBeforeOwn = false;
  QPointer<TAboutBox> second;
  WhenShown([&] {
    second = dlg.Box();
    clock.Advance(10000);
    openWhenFirstWouldFire = second->isVisible();
    clock.Advance(4999);
    openJustBeforeOwn = second->isVisible();
    clock.Advance(1);
  });
  dlg.Execute();

  EXPECT_TRUE(openWhenFirstWouldFire);
  EXPECT_TRUE(openJustBeforeOwn);
  EXPECT_TRUE(second.isNull());
  clock.Advance(60000);  // no timer is left to act
}

TEST_F(AboutDlg, ErrorWhileShowingFreesTheBoxAndReachesTheCaller) {
  TManualClock clock;
  dlg.Timer = true;
  QPointer<TAboutBox> box;
  dlg.ShowModal = [&](TAboutBox& shown) {
    box = &shown;
    throw std::runtime_error("Out of system resources");
  };
  try {
    dlg.Execute();
    ADD_FAILURE() << "the error did not reach the caller";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "Out of system resources");
  }
  EXPECT_TRUE(box.isNull());
  EXPECT_EQ(dlg.Box(), nullptr);
  EXPECT_EQ(dlg.CloseTimer(), nullptr);
  clock.Advance(20000);  // the failed showing left no timer behind

  // The dialog works on.
  bool shownAgain = false;
  dlg.ShowModal = [&](TAboutBox& shown) { shownAgain = shown.ProductName->text() == "TALMO 1.0.22"; };
  dlg.Execute();
  EXPECT_TRUE(shownAgain);
}

TEST_F(AboutDlg, TimerTicksGoOnWhileTheBoxIsOpen) {
  TTimer tick(1, true);
  int ticksWhileOpen = 0;
  tick.SetOnTimer([&] {
    if (!dlg.Box()) return;
    if (++ticksWhileOpen == 3) dlg.Box()->OKButton->click();
  });
  dlg.Execute();  // returns only because the timer's third tick closed the box
  EXPECT_EQ(ticksWhileOpen, 3);
}

TEST_F(AboutDlg, OwnerDestroyedWhileTheBoxIsShownTakesTheTimerAndLeavesTheBoxToItsCall) {
  TManualClock clock;
  auto* doomed = new TAboutDlg(nullptr);
  doomed->Timer = true;
  QPointer<TAboutBox> box;
  bool openAfterOwnerGone = false;
  WhenShown([&] {
    box = doomed->Box();
    delete doomed;
    clock.Advance(20000);  // the timer went with the dialog
    openAfterOwnerGone = box->isVisible();
    box->OKButton->click();
  });
  doomed->Execute();
  EXPECT_TRUE(openAfterOwnerGone);
  EXPECT_TRUE(box.isNull());
}

TEST_F(AboutDlg, IconIsTheDialogsOwnCopy) {
  QPixmap red(32, 32);
  red.fill(Qt::red);
  QIcon mine(red);
  dlg.SetIcon(mine);
  QPixmap blue(16, 16);
  blue.fill(Qt::blue);
  mine = QIcon(blue);
  EXPECT_EQ(dlg.Icon().pixmap(48).size(), QSize(32, 32));

  QSize shownPicture;
  dlg.ShowModal = [&](TAboutBox& box) { shownPicture = box.Image1->pixmap().size(); };
  dlg.Execute();
  EXPECT_EQ(shownPicture, QSize(32, 32));
}

}  // namespace
