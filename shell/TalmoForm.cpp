#include "shell/TalmoForm.h"

#include <QContextMenuEvent>
#include <QFont>
#include <QShortcut>

#include "about/AboutDlg.h"
#include "controls/Led1.h"
#include "platform/Button.h"
#include "platform/Handler.h"
#include "platform/PaintBox.h"
#include "platform/TrackBar.h"

namespace {
// The designed window is 179 × 262 with its frame; its client area holds the controls.
constexpr int kClientWidth = 171;
constexpr int kClientHeight = 235;
constexpr int kDesignedLeft = 285;
constexpr int kDesignedTop = 71;
constexpr int kFontPointSize = 8;
}  // namespace

TTalmoForm::TTalmoForm(TCaptureLibrary& bass, std::vector<std::string> params)
    : SpectrumPaintBox(new TPaintBox(this)),
      SquelchTrack(new TTrackBar(this)),
      DelayTrack(new TTrackBar(this)),
      LED(new TLed(this)),
      Label1(new QLabel(this)),
      Label2(new QLabel(this)),
      MuteButton(new TButton(this)),
      TrayIconData([this](unsigned message) { TrayIconNotify(message); }),
      SystemMenu([this](unsigned command) { SysMenuCommand(command); }),
      Keying({TimerLED, *DelayTrack, *LED, ComPort}),
      LevelMeter({bass, TimerSound, *SquelchTrack, *MuteButton, *SpectrumPaintBox, Keying}),
      MuteMode({*MuteButton, *LED, TimerBlink, this}),
      bass_(bass),
      params_(std::move(params)) {
  CreateControls();
  ConnectHandlers();
}

TTalmoForm::~TTalmoForm() = default;

void TTalmoForm::CreateControls() {
  setWindowTitle("TALMO");
  QFont designedFont = font();  // stands in for the 8-point dialog font
  designedFont.setPointSize(kFontPointSize);
  setFont(designedFont);
  setFixedSize(kClientWidth, kClientHeight);
  move(kDesignedLeft, kDesignedTop);

  SpectrumPaintBox->setGeometry(0, 8, 161, 137);

  SquelchTrack->setGeometry(-5, 147, 96, 17);
  SquelchTrack->SetMin(0);
  SquelchTrack->SetMax(100);
  SquelchTrack->SetPosition(10);
  SquelchTrack->Hint = "Squelch";

  Label1->setGeometry(91, 149, 22, 13);
  Label1->setText("Gain");
  Label1->adjustSize();  // labels size themselves to their text in the window's font

  DelayTrack->setGeometry(-5, 169, 96, 17);
  DelayTrack->SetMin(0);
  DelayTrack->SetMax(100);
  DelayTrack->SetPosition(50);
  DelayTrack->SetSelEnd(50);
  DelayTrack->Hint = "Delay";

  Label2->setGeometry(91, 171, 27, 13);
  Label2->setText("Delay");
  Label2->adjustSize();

  LED->setGeometry(132, 152, 30, 29);
  LED->SetStyle(lsGradient2);
  LED->SetColor1(clMaroon);
  LED->SetColor2(clRed);
  LED->SetOffColor1(clBlack);
  LED->SetOffColor2(clRed);
  LED->SetRadius(3);
  LED->SetOn(true);
  LED->SetDiagShining(false);
  LED->SetClickAction(false);
  LED->SetDblClickAction(false);

  MuteButton->setGeometry(0, 192, 161, 33);
  MuteButton->SetCaption("MUTE");
  MuteButton->Hint = "Mute Button";

  setTabOrder(SquelchTrack, DelayTrack);
  setTabOrder(DelayTrack, MuteButton);

  // Designed port: COM1 at 9600 8N1, no flow control, DTR and RTS control disabled.
  ComPort.SetPort("COM1");
  ComPort.SetBaudRate(TBaudRate::br9600);
  ComPort.SetDTRControl(TDTRFlowControl::dtrDisable);
  ComPort.SetRTSControl(TRTSFlowControl::rtsDisable);
}

void TTalmoForm::ConnectHandlers() {
  TimerSound.SetOnTimer([this] { LevelMeter.TimerSoundTimer(); });
  TimerLED.SetOnTimer([this] { Keying.TimerLEDTimer(); });
  TimerBlink.SetOnTimer([this] { MuteMode.TimerBlinkTimer(); });
  SquelchTrack->OnChange = [] {};  // a new threshold takes effect at the next tick
  DelayTrack->OnChange = [this] { Keying.DelayTrackChange(); };
  LED->OnClick = [] {};
  LED->OnDblClick = [] {};
  MuteButton->OnClick = [this] { MuteButtonClick(); };

  // Alt+Space opens the window menu, as on any desktop.
  auto* windowMenuKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
  connect(windowMenuKey, &QShortcut::activated, this,
          [this] { RunHandler([this] { SystemMenu.Popup(mapToGlobal(QPoint(0, 0)), this); }); });
}

void TTalmoForm::contextMenuEvent(QContextMenuEvent* event) {
  // Only the window's own background: the controls keep their clicks.
  if (childAt(event->pos()) == nullptr)
    RunHandler([this, at = event->globalPos()] { SystemMenu.Popup(at, this); });
}

void TTalmoForm::SetPopupMuteCaption(const std::string& caption) {
  if (TrayPopupMenu && !TrayPopupMenu->actions().isEmpty())
    TrayPopupMenu->actions().first()->setText(QString::fromStdString(caption));
}

void TTalmoForm::SetSystemMenuMuteItem(const std::string& text, bool checked) {
  SystemMenu.ModifyMenu(333, text, checked);
}
