#pragma once
// The serial port's setup dialog: six lists that open on the port's current
// settings; "OK" hands all six to the port as one update, "Cancel" changes nothing.

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "platform/ComPort.h"
#include "platform/SerialPortNames.h"

class QComboBox;
class QPushButton;

class TComSetupDialog : public QDialog {
  Q_OBJECT

 public:
  // PortNames are the ports to offer; the current name is added when it is not
  // among them, so the list always opens on it.
  TComSetupDialog(const TComPort::TSettings& Current, const std::vector<std::string>& PortNames,
                  QWidget* Parent = nullptr);

  TComPort::TSettings Choices() const;

  QComboBox* PortList() const { return FPort; }
  QComboBox* BaudRateList() const { return FBaudRate; }
  QComboBox* DataBitsList() const { return FDataBits; }
  QComboBox* StopBitsList() const { return FStopBits; }
  QComboBox* ParityList() const { return FParity; }
  QComboBox* FlowControlList() const { return FFlowControl; }
  QPushButton* OkButton() const { return FOk; }
  QPushButton* CancelButton() const { return FCancel; }

 private:
  void CreateLists(const TComPort::TSettings& Current, const std::vector<std::string>& PortNames);
  void CreateButtons();

  QComboBox* FPort = nullptr;
  QComboBox* FBaudRate = nullptr;
  QComboBox* FDataBits = nullptr;
  QComboBox* FStopBits = nullptr;
  QComboBox* FParity = nullptr;
  QComboBox* FFlowControl = nullptr;
  QPushButton* FOk = nullptr;
  QPushButton* FCancel = nullptr;
};

// Runs the dialog and returns its result (QDialog::Accepted or Rejected). The
// program runs it modally; tests pick values and press a button instead.
using TComSetupRunner = std::function<int(TComSetupDialog&)>;

// Opens the dialog for Port, offering the ports the system reports. On "OK" the
// choices go to Port.ApplySettings; its errors are passed on to the caller.
void ShowComSetupDialog(TComPort& Port, QWidget* Parent);
void ShowComSetupDialog(TComPort& Port, QWidget* Parent, const std::vector<std::string>& PortNames,
                        const TComSetupRunner& Run);
