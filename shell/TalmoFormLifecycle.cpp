// Start-up and shutdown of the main window.
#include <QPixmap>

#include "about/AboutDlg.h"
#include "controls/Led1.h"
#include "controls/spectrum_vis.h"
#include "platform/Application.h"
#include "platform/Handler.h"
#include "platform/PaintBox.h"
#include "platform/Process.h"
#include "platform/TrackBar.h"
#include "settings/Config.h"
#include "settings/ConfigPath.h"
#include "settings/Log.h"
#include "shell/TalmoForm.h"

namespace {
constexpr const char* kTitle = "TALMO";
constexpr DWORD kSampleRate = 44100;
constexpr unsigned kMsPerDelayStep = 20;
}  // namespace

void TTalmoForm::FormCreate() {
  bass_.BASS_Init(-1, kSampleRate, 0, reinterpret_cast<void*>(winId()), nullptr);  // result not needed
  AppSpectrum = new TSpectrum(SpectrumPaintBox->width(), SpectrumPaintBox->height());
  LevelMeter.Spectrum = AppSpectrum;

  const std::string workDir = WorkingDirectory();
  AppLog = new TLog;
  AppLog->FileName = workDir + kTitle + ".Log";
  AppLog->Level = 1;
  LevelMeter.Log = AppLog;

  IniFileName = ConfigFilePath(params_, workDir);
  ReadConfiguration();
  OpenComPort();
  CreateMenus();
  TApplication::Instance().SetTitle(kTitle);
  TrayIconData.Add(TApplication::Instance().Icon(), kTitle);
  CreateAboutDialog();

  TimerSound.SetInterval(10);
  TimerSound.SetEnabled(true);
  SetUpSpectrum();
  LevelMeter.ClearHistory();
  StartCapture();

  LED->SetColor1(clGreen);
  LED->SetColor2(clLime);
  LED->SetOffColor1(clBlack);
  LED->SetOffColor2(clGreen);
  LED->SetOn(false);
  LED->SetClickAction(false);
  Keying.TxActive = false;
  TimerLED.SetEnabled(false);
  TimerLED.SetInterval(static_cast<unsigned>(DelayTrack->Position()) * kMsPerDelayStep);
}

void TTalmoForm::ReadConfiguration() {
  TConfigReader config(IniFileName);
  ConfigComPort = config.ReadComPort();
  ConfigBaudRate = config.ReadBaudRate();
  TraceEnabled = config.ReadTrace();
  AppLog->SetEnabled(TraceEnabled);
  SquelchTrack->SetPosition(config.ReadGain());
  DelayTrack->SetPosition(config.ReadDelay());
  WriteParameterBlock(*AppLog, {IniFileName, TraceEnabled, ConfigComPort, ConfigBaudRate,
                                SquelchTrack->Position(), DelayTrack->Position()});
}

void TTalmoForm::OpenComPort() {
  ComPort.SetBaudRate(PortRateFromConfig(ConfigBaudRate));
  ComPort.SetPort(ConfigComPort);
  ComPort.SetDTRControl(TDTRFlowControl::dtrDisable);
  ComPort.SetRTSControl(TRTSFlowControl::rtsDisable);
  try {
    ComPort.Open();
  } catch (const EComPort&) {
    TApplication::Instance().MessageBox("Defined COM Port not available");
  } catch (const std::exception&) {
    TApplication::Instance().MessageBox("Serial port error");
  }
}

void TTalmoForm::CreateAboutDialog() {
  AppAboutDlg = new TAboutDlg(this);
  AppAboutDlg->Title = "Soundcard based Control VOX System";
  AppAboutDlg->ProductName = "TALMO 1.0.22";
  AppAboutDlg->CopyRight = "Written by the TALMO developers";
  AppAboutDlg->Programmer = "License: GPL-3.0-or-later";
  AppAboutDlg->WebSite = "https://talmo.example.org";
  try {
    AppAboutDlg->SetIcon(TApplication::Instance().Icon());
  } catch (...) {
    // The box simply shows no picture.
  }
}

void TTalmoForm::SetUpSpectrum() {
  AppSpectrum->BackColor = clBlack;
  AppSpectrum->BinStep = 2;
  AppSpectrum->MaxBarHeight = 300;
  AppSpectrum->BarColor = clAqua;
  AppSpectrum->BarWidth = 3;
  AppSpectrum->PeakColor = clRed;
  AppSpectrum->ShowPeaks = true;
  AppSpectrum->BarFall = 3;
  AppSpectrum->PeakFall = 1;
  AppSpectrum->DrawStyle = 1;
}

void TTalmoForm::StartCapture() {
  if (!bass_.BASS_RecordInit(-1)) {
    TApplication::Instance().ErrorBox("Can not initialize sound device");
    TProcess::End(1);
  }
  LevelMeter.RecordChannel = bass_.BASS_RecordStart(kSampleRate, 1, 0, &RecordProc, nullptr);
  if (LevelMeter.RecordChannel == 0) {
    TApplication::Instance().ErrorBox("Can not start recording");
    TProcess::End(1);
  }
}

void TTalmoForm::WriteINI() {
  if (IniFileName.empty()) IniFileName = WorkingDirectory() + kTitle + ".INI";
  WriteSettings(IniFileName, {ComPort.Port(), ComPort.BaudRate(), TraceEnabled, SquelchTrack->Position(),
                              DelayTrack->Position()});
}

void TTalmoForm::FormDestroy() {
  WriteINI();
  bass_.BASS_Free();
  TrayIconData.Delete();
}

void TTalmoForm::ExitClick() {
  if (!TApplication::Instance().Confirm("Do you really want to exit?", "Warning!")) return;
  TrayIconData.Delete();
  WriteINI();
  bass_.BASS_Free();
  close();
  TProcess::End(0);
}
