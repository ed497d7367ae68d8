#include "platform/ComSetupDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

template <typename Enum>
Enum SelectedValue(const QComboBox* List) {
  return static_cast<Enum>(List->currentData().toInt());
}

// Adds the items (text and value); Only items whose value passes Offer are listed,
// but the current value always is, so the list can open on it.
template <typename Enum, size_t N>
void FillList(QComboBox* List, const std::pair<Enum, const char*> (&Items)[N], Enum Current,
              bool (*Offer)(Enum) = nullptr) {
  for (const auto& [value, text] : Items)
    if (!Offer || Offer(value) || value == Current) List->addItem(text, static_cast<int>(value));
  List->setCurrentIndex(List->findData(static_cast<int>(Current)));
}

constexpr std::pair<TDataBits, const char*> kDataBits[] = {
    {TDataBits::dbFive, "5"}, {TDataBits::dbSix, "6"}, {TDataBits::dbSeven, "7"}, {TDataBits::dbEight, "8"}};
constexpr std::pair<TStopBits, const char*> kStopBits[] = {
    {TStopBits::sbOneStopBit, "1"}, {TStopBits::sbOne5StopBits, "1.5"}, {TStopBits::sbTwoStopBits, "2"}};
constexpr std::pair<TParityBits, const char*> kParity[] = {
    {TParityBits::prNone, "None"}, {TParityBits::prOdd, "Odd"}, {TParityBits::prEven, "Even"},
    {TParityBits::prMark, "Mark"}, {TParityBits::prSpace, "Space"}};
constexpr std::pair<TFlowControl, const char*> kFlowControl[] = {
    {TFlowControl::fcHardware, "Hardware"}, {TFlowControl::fcSoftware, "Software"},
    {TFlowControl::fcNone, "None"}, {TFlowControl::fcCustom, "Custom"}};

void FillBaudRates(QComboBox* List, TBaudRate Current) {
  // A custom rate has no number to choose; it is listed only to show the current value.
  for (size_t i = 0; i < kBaudRateValues.size(); ++i) {
    const auto rate = static_cast<TBaudRate>(i);
    if (rate == TBaudRate::brCustom && rate != Current) continue;
    List->addItem(rate == TBaudRate::brCustom ? QString("Custom") : QString::number(kBaudRateValues[i]),
                  static_cast<int>(rate));
  }
  List->setCurrentIndex(List->findData(static_cast<int>(Current)));
}

void FillPorts(QComboBox* List, const std::string& Current, const std::vector<std::string>& PortNames) {
  int selected = -1;
  for (const std::string& name : PortNames) {
    if (selected < 0 && SameTextIgnoringCase(name, Current)) selected = List->count();
    List->addItem(QString::fromStdString(name));
  }
  if (selected < 0) {
    List->insertItem(0, QString::fromStdString(Current));
    selected = 0;
  }
  List->setCurrentIndex(selected);
}

}  // namespace

TComSetupDialog::TComSetupDialog(const TComPort::TSettings& Current, const std::vector<std::string>& PortNames,
                                 QWidget* Parent)
    : QDialog(Parent) {
  setWindowTitle("Setup");
  setModal(true);
  CreateLists(Current, PortNames);
  CreateButtons();
}

void TComSetupDialog::CreateLists(const TComPort::TSettings& Current, const std::vector<std::string>& PortNames) {
  auto* group = new QGroupBox(" Settings ", this);
  auto* form = new QFormLayout(group);
  auto addList = [&](const char* label) {
    auto* list = new QComboBox(group);
    form->addRow(label, list);
    return list;
  };
  FPort = addList("Port");
  FBaudRate = addList("Baud rate");
  FDataBits = addList("Data bits");
  FStopBits = addList("Stop bits");
  FParity = addList("Parity");
  FFlowControl = addList("Flow control");

  // Editable: a port can be named that the system does not report (a path, a
  // device not plugged in yet).
  FPort->setEditable(true);
  FillPorts(FPort, Current.Port, PortNames);
  FillBaudRates(FBaudRate, Current.BaudRate);
  FillList(FDataBits, kDataBits, Current.DataBits);
  FillList(FStopBits, kStopBits, Current.StopBits);
  FillList(FParity, kParity, Current.Parity);
  // Custom stands for a mix the dialog cannot make; it is shown only when in use.
  FillList(FFlowControl, kFlowControl, Current.FlowControl,
           +[](TFlowControl flow) { return flow != TFlowControl::fcCustom; });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
}

void TComSetupDialog::CreateButtons() {
  FOk = new QPushButton("OK", this);
  FCancel = new QPushButton("Cancel", this);
  FOk->setDefault(true);
  connect(FOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(FCancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(FOk);
  buttons->addWidget(FCancel);
  static_cast<QVBoxLayout*>(layout())->addLayout(buttons);
}

TComPort::TSettings TComSetupDialog::Choices() const {
  return {FPort->currentText().toStdString(), SelectedValue<TBaudRate>(FBaudRate),
          SelectedValue<TDataBits>(FDataBits), SelectedValue<TStopBits>(FStopBits),
          SelectedValue<TParityBits>(FParity), SelectedValue<TFlowControl>(FFlowControl)};
}

void ShowComSetupDialog(TComPort& Port, QWidget* Parent) {
  ShowComSetupDialog(Port, Parent, EnumerateSerialPorts(), [](TComSetupDialog& dialog) { return dialog.exec(); });
}

void ShowComSetupDialog(TComPort& Port, QWidget* Parent, const std::vector<std::string>& PortNames,
                        const TComSetupRunner& Run) {
  TComSetupDialog dialog(Port.Settings(), PortNames, Parent);
  if (Run(dialog) == QDialog::Accepted) Port.ApplySettings(dialog.Choices());
}
