#pragma once
// The main window: it owns every component, performs the start-up (FormCreate)
// and the shutdown (FormDestroy, ExitClick), and routes the commands of its
// menus, its tray icon and its controls to the engine.

#include <QLabel>
#include <QMenu>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "engine/CaptureLibrary.h"
#include "engine/Keying.h"
#include "engine/LevelMeter.h"
#include "engine/MuteMode.h"
#include "platform/ComPort.h"
#include "platform/Timer.h"
#include "shell/SystemMenu.h"
#include "shell/TrayIcon.h"

class TAboutDlg;
class TButton;
class TLed;
class TPaintBox;
class TTrackBar;

class TTalmoForm : public QWidget, private TMuteMenuItems {
 public:
  // bass: the capture library; params: the command line's parameters (without
  // the program name).
  TTalmoForm(TCaptureLibrary& bass, std::vector<std::string> params);
  ~TTalmoForm() override;

  void FormCreate();
  void FormDestroy();
  void ExitClick();
  void WriteINI();

  void SysMenuCommand(unsigned command);
  void TrayIconNotify(unsigned mouseMessage);
  void AboutClick() { About(); }
  void About();
  void CommSettingsButtonClick();
  void MuteButtonClick() { MuteMode.MuteButtonClick(); }

  // Components, in declaration order.
  TPaintBox* SpectrumPaintBox;
  TTimer TimerSound{10, true};
  TTimer TimerLED{1000, true};
  TComPort ComPort;
  TTrackBar* SquelchTrack;
  TTrackBar* DelayTrack;
  TLed* LED;
  QLabel* Label1;
  QLabel* Label2;
  TTimer TimerBlink{1000, false};
  TButton* MuteButton;

  TTrayIcon TrayIconData;
  QMenu* TrayPopupMenu = nullptr;
  TSystemMenu SystemMenu;
  TAboutDlg* AppAboutDlg = nullptr;

  // Program-wide values set up by FormCreate.
  std::string IniFileName;
  std::string ConfigComPort;
  std::int32_t ConfigBaudRate = 0;
  bool TraceEnabled = false;

  // The engine: keying, the sound tick, mute mode.
  TKeying Keying;
  TLevelMeter LevelMeter;
  TMuteMode MuteMode;

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void CreateControls();
  void ConnectHandlers();
  void ReadConfiguration();
  void OpenComPort();
  void CreateMenus();
  void CreateAboutDialog();
  void SetUpSpectrum();
  void StartCapture();
  void SetPopupMuteCaption(const std::string& caption) override;
  void SetSystemMenuMuteItem(const std::string& text, bool checked) override;

  TCaptureLibrary& bass_;
  std::vector<std::string> params_;
};
