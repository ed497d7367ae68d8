#include "about/AboutDlg.h"

#include <QPointer>

#include "about/AboutForm.h"
#include "platform/Timer.h"

TAboutDlg::TAboutDlg(QObject* Owner) : QObject(Owner) {}

TAboutDlg::~TAboutDlg() {
  // Should the owner go while a box is still shown, its timer goes with it; the
  // box stays until the user closes it, and its Execute no longer touches us.
  for (TShowing* showing : showings_) showing->closeTimer.reset();
}

void TAboutDlg::SetIcon(const QIcon& Picture) { icon_ = Picture; }

TAboutBox* TAboutDlg::Box() const { return showings_.empty() ? nullptr : showings_.back()->box; }

const TTimer* TAboutDlg::CloseTimer() const {
  return showings_.empty() ? nullptr : showings_.back()->closeTimer.get();
}

void TAboutDlg::Execute() {
  // The box outlives the showing, so its timer is gone before the box is freed.
  auto box = std::make_unique<TAboutBox>();
  TShowing showing;
  showing.box = box.get();
  showings_.push_back(&showing);
  QPointer<TAboutDlg> alive(this);
  // Leaves the list of showings on every way out, error or not, unless we were destroyed meanwhile.
  struct TLeave {
    QPointer<TAboutDlg>& alive;
    TShowing& showing;
    ~TLeave() {
      showing.closeTimer.reset();
      if (!alive) return;
      auto& list = alive->showings_;
      std::erase(list, &showing);
    }
  } leave{alive, showing};

  box->setWindowTitle(QString::fromStdString(Title));
  box->SetTexts(QString::fromStdString(ProductName), QString::fromStdString(CopyRight),
                QString::fromStdString(Programmer), QString::fromStdString(WebSite));
  box->SetPicture(icon_);
  if (Timer) StartCloseTimer(showing);

  if (ShowModal) {
    ShowModal(*box);
  } else {
    box->exec();  // the modal result is not used
  }
}

void TAboutDlg::StartCloseTimer(TShowing& showing) {
  showing.closeTimer = std::make_unique<TTimer>(AutoCloseInterval, false);
  showing.closeTimer->SetOnTimer([this, &showing] { AutoClose(showing); });
  showing.closeTimer->SetEnabled(true);
}

void TAboutDlg::AutoClose(TShowing& showing) {
  // The timer is running its own handler now, so it is only stopped here; Execute
  // frees it when the showing ends, which closing the box brings about.
  showing.closeTimer->SetEnabled(false);
  showing.box->close();
}
