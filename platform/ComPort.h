#pragma once
// The serial port component: a named port with its line settings, opened
// exclusively, whose DTR and RTS lines can be raised and dropped one by one.

#include <string>

#include "platform/EComPort.h"
#include "platform/SerialLines.h"
#include "platform/SerialTypes.h"

class TComPort : public TSerialLines {
 public:
  struct TSettings {
    std::string Port;
    TBaudRate BaudRate;
    TDataBits DataBits;
    TStopBits StopBits;
    TParityBits Parity;
    TFlowControl FlowControl;
  };

  TComPort();
  ~TComPort() override;
  TComPort(const TComPort&) = delete;
  TComPort& operator=(const TComPort&) = delete;

  // Each setter takes effect at once on an open port; a new port name closes the
  // port and opens the one it names.
  std::string Port() const { return FPort; }
  void SetPort(std::string Port);
  TBaudRate BaudRate() const { return FBaudRate; }
  void SetBaudRate(TBaudRate Rate);
  TDataBits DataBits() const { return FDataBits; }
  void SetDataBits(TDataBits Bits);
  TStopBits StopBits() const { return FStopBits; }
  void SetStopBits(TStopBits Bits);
  TParityBits Parity() const { return FParity; }
  void SetParity(TParityBits Parity);
  TDTRFlowControl DTRControl() const { return FDTRControl; }
  void SetDTRControl(TDTRFlowControl Control);
  TRTSFlowControl RTSControl() const { return FRTSControl; }
  void SetRTSControl(TRTSFlowControl Control);
  bool XonXoff() const { return FXonXoff; }
  void SetXonXoff(bool OnOff);
  // Hardware: RTS handshake (and CTS output flow); Software: XON/XOFF with RTS
  // control disabled; None: neither. Custom when the settings are another mix;
  // setting Custom changes nothing. DTR control is never touched.
  TFlowControl FlowControl() const;
  void SetFlowControl(TFlowControl Flow);

  TSettings Settings() const;
  // One update of all six: on an open port applied at once (a new name closes the
  // port and opens the new one, which stays closed if that fails); on a closed
  // port only stored.
  void ApplySettings(const TSettings& Settings);

  // Where bare port names are looked up; "/dev" unless a test points elsewhere.
  void SetDeviceFolder(std::string Folder) { FDeviceFolder = std::move(Folder); }

  void Open();
  void Close();
  bool Connected() const override { return FFd >= 0; }
  void SetDTR(bool OnOff) override;
  void SetRTS(bool OnOff) override;

 private:
  std::string ResolvedDevice() const;
  void ApplyLineSettings();
  void StoreFlowControl(TFlowControl Flow);
  void ApplyToOpenPort(TRTSFlowControl OldRTS);
  void ApplyLineControl(bool DTRChanged, bool RTSChanged);
  void ChangeLines(int Lines, bool OnOff);
  [[noreturn]] void FailOpen(const std::string& What, int Error);

  std::string FPort = "COM1";
  TBaudRate FBaudRate = TBaudRate::br9600;
  TDataBits FDataBits = TDataBits::dbEight;
  TStopBits FStopBits = TStopBits::sbOneStopBit;
  TParityBits FParity = TParityBits::prNone;
  TDTRFlowControl FDTRControl = TDTRFlowControl::dtrDisable;
  TRTSFlowControl FRTSControl = TRTSFlowControl::rtsDisable;
  bool FXonXoff = false;
  std::string FDeviceFolder = "/dev";
  int FFd = -1;
};
