// The serial setup dialog: its lists, what "OK" and "Cancel" do to the port, and
// the port list found without opening any port.
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

#include "platform/ComSetupDialog.h"
#include "support/OpenWatch.h"
#include "support/PortTestFolder.h"
#include "support/PseudoTerminal.h"

namespace {

QStringList Items(const QComboBox* List) {
  QStringList items;
  for (int i = 0; i < List->count(); ++i) items << List->itemText(i);
  return items;
}

// Picks the given texts and presses OK or Cancel, as a user would in the modal loop.
TComSetupRunner Choose(std::vector<std::pair<QComboBox* (TComSetupDialog::*)() const, QString>> Picks, bool Ok) {
  return [Picks, Ok](TComSetupDialog& dialog) {
    for (const auto& [list, text] : Picks) {
      QComboBox* combo = (dialog.*list)();
      if (combo->isEditable())
        combo->setEditText(text);
      else
        combo->setCurrentIndex(combo->findText(text));
      EXPECT_EQ(combo->currentText(), text);
    }
    (Ok ? dialog.OkButton() : dialog.CancelButton())->click();
    return dialog.result();
  };
}

void ExpectSameSettings(const TComPort::TSettings& A, const TComPort::TSettings& B) {
  EXPECT_EQ(A.Port, B.Port);
  EXPECT_EQ(A.BaudRate, B.BaudRate);
  EXPECT_EQ(A.DataBits, B.DataBits);
  EXPECT_EQ(A.StopBits, B.StopBits);
  EXPECT_EQ(A.Parity, B.Parity);
  EXPECT_EQ(A.FlowControl, B.FlowControl);
}

TEST(ComSetupDialog, HasSixCaptionedListsInASettingsGroupAndOkCancel) {
  TComSetupDialog dialog(TComPort().Settings(), {"ttyUSB0"});
  EXPECT_EQ(dialog.windowTitle(), "Setup");
  EXPECT_TRUE(dialog.isModal());
  const auto groups = dialog.findChildren<QGroupBox*>();
  ASSERT_EQ(groups.size(), 1);
  EXPECT_EQ(groups[0]->title(), " Settings ");
  auto* form = qobject_cast<QFormLayout*>(groups[0]->layout());
  ASSERT_NE(form, nullptr);
  const QStringList labels = {"Port", "Baud rate", "Data bits", "Stop bits", "Parity", "Flow control"};
  const QComboBox* lists[] = {dialog.PortList(),     dialog.BaudRateList(), dialog.DataBitsList(),
                              dialog.StopBitsList(), dialog.ParityList(),   dialog.FlowControlList()};
  ASSERT_EQ(form->rowCount(), labels.size());
  for (int row = 0; row < form->rowCount(); ++row) {
    auto* label = qobject_cast<QLabel*>(form->itemAt(row, QFormLayout::LabelRole)->widget());
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), labels[row]);
    EXPECT_EQ(form->itemAt(row, QFormLayout::FieldRole)->widget(), lists[row]);
  }
  EXPECT_EQ(dialog.OkButton()->text(), "OK");
  EXPECT_EQ(dialog.CancelButton()->text(), "Cancel");
  EXPECT_EQ(Items(dialog.BaudRateList()),
            QStringList({"110", "300", "600", "1200", "2400", "4800", "9600", "14400", "19200", "38400", "56000",
                         "57600", "115200", "128000", "256000"}));
  EXPECT_EQ(Items(dialog.DataBitsList()), QStringList({"5", "6", "7", "8"}));
  EXPECT_EQ(Items(dialog.StopBitsList()), QStringList({"1", "1.5", "2"}));
  EXPECT_EQ(Items(dialog.ParityList()), QStringList({"None", "Odd", "Even", "Mark", "Space"}));
  EXPECT_EQ(Items(dialog.FlowControlList()), QStringList({"Hardware", "Software", "None"}));
}

TEST(ComSetupDialog, EachListOpensOnTheCurrentValue) {
  const struct {
    TComPort::TSettings Current;
    std::vector<std::string> Ports;
    QStringList Shown;  // port, rate, data bits, stop bits, parity, flow control
    QStringList PortItems;
  } cases[] = {
      {TComPort().Settings(), {"ttyUSB0"}, {"COM1", "9600", "8", "1", "None", "None"}, {"COM1", "ttyUSB0"}},
      {{"TTYUSB1", TBaudRate::br4800, TDataBits::dbSeven, TStopBits::sbTwoStopBits, TParityBits::prEven,
        TFlowControl::fcHardware},
       {"ttyUSB0", "ttyUSB1"},
       {"ttyUSB1", "4800", "7", "2", "Even", "Hardware"},
       {"ttyUSB0", "ttyUSB1"}},
      {{"ttyACM0", TBaudRate::brCustom, TDataBits::dbFive, TStopBits::sbOne5StopBits, TParityBits::prSpace,
        TFlowControl::fcCustom},
       {"ttyACM0"},
       {"ttyACM0", "Custom", "5", "1.5", "Space", "Custom"},
       {"ttyACM0"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Current.Port);
    TComSetupDialog dialog(c.Current, c.Ports);
    const QStringList shown = {dialog.PortList()->currentText(),   dialog.BaudRateList()->currentText(),
                               dialog.DataBitsList()->currentText(), dialog.StopBitsList()->currentText(),
                               dialog.ParityList()->currentText(),   dialog.FlowControlList()->currentText()};
    EXPECT_EQ(shown, c.Shown);
    EXPECT_EQ(Items(dialog.PortList()), c.PortItems);
  }
}

TEST(ComSetupDialog, OkOnAClosedPortStoresTheChoicesAndLeavesItClosed) {
  TPseudoTerminal pty;
  TOpenWatch watch({pty.SlavePath()});
  TComPort port;
  ShowComSetupDialog(port, nullptr, {"ttyUSB0", pty.SlavePath()},
                     Choose({{&TComSetupDialog::PortList, QString::fromStdString(pty.SlavePath())},
                             {&TComSetupDialog::BaudRateList, "19200"},
                             {&TComSetupDialog::DataBitsList, "7"},
                             {&TComSetupDialog::StopBitsList, "2"},
                             {&TComSetupDialog::ParityList, "Odd"},
                             {&TComSetupDialog::FlowControlList, "Hardware"}},
                            true));
  EXPECT_FALSE(port.Connected());
  EXPECT_EQ(watch.Take().Opens, 0);
  ExpectSameSettings(port.Settings(), {pty.SlavePath(), TBaudRate::br19200, TDataBits::dbSeven,
                                       TStopBits::sbTwoStopBits, TParityBits::prOdd, TFlowControl::fcHardware});
  EXPECT_EQ(port.RTSControl(), TRTSFlowControl::rtsHandshake);
  EXPECT_EQ(port.DTRControl(), TDTRFlowControl::dtrDisable);
}

TEST(ComSetupDialog, ANewNameOnAnOpenPortClosesItAndOpensTheNewOne) {
  TPseudoTerminal oldPty, newPty;
  TComPort port;
  port.SetPort(oldPty.SlavePath());
  port.Open();
  TOpenWatch oldWatch({oldPty.SlavePath()}), newWatch({newPty.SlavePath()});
  ShowComSetupDialog(port, nullptr, {oldPty.SlavePath(), newPty.SlavePath()},
                     Choose({{&TComSetupDialog::PortList, QString::fromStdString(newPty.SlavePath())}}, true));
  EXPECT_TRUE(port.Connected());
  EXPECT_EQ(port.Port(), newPty.SlavePath());
  EXPECT_EQ(oldWatch.Take().Closes, 1);
  EXPECT_EQ(newWatch.Take().Opens, 1);
}

TEST(ComSetupDialog, CancelChangesNothing) {
  TPseudoTerminal pty;
  TComPort port;
  port.SetPort(pty.SlavePath());
  port.Open();
  const TComPort::TSettings before = port.Settings();
  TOpenWatch watch({pty.SlavePath()});
  ShowComSetupDialog(port, nullptr, {"ttyUSB0"},
                     Choose({{&TComSetupDialog::PortList, "ttyUSB0"},
                             {&TComSetupDialog::BaudRateList, "115200"},
                             {&TComSetupDialog::FlowControlList, "Software"}},
                            false));
  EXPECT_TRUE(port.Connected());
  ExpectSameSettings(port.Settings(), before);
  const TOpenWatch::TCounts counts = watch.Take();
  EXPECT_EQ(counts.Opens, 0);
  EXPECT_EQ(counts.Closes, 0);
}

TEST(ComSetupDialog, ANewNameThatCannotOpenRaisesAndLeavesThePortClosed) {
  TPseudoTerminal pty;
  TPortTestFolder emptyDevices;
  TComPort port;
  port.SetDeviceFolder(emptyDevices.Path().string());
  port.SetPort(pty.SlavePath());
  port.Open();
  EXPECT_THROW(ShowComSetupDialog(port, nullptr, {}, Choose({{&TComSetupDialog::PortList, "COM3"}}, true)),
               EComPort);
  EXPECT_FALSE(port.Connected());
  EXPECT_EQ(port.Port(), "COM3");
}

// A fake root: sysfs entries for ports with and without hardware, device nodes that
// are plain files, and a by-id link. Listing must open none of the nodes.
TEST(SerialPortEnumeration, ListsPortsWithHardwareAndStableNamesWithoutOpeningAny) {
  TPortTestFolder root;
  root.WriteFile("sys/devices/usb1/1-1/ttyUSB0/uevent", "");
  root.Symlink("sys/class/tty/ttyUSB0/device", root.Path() / "sys/devices/usb1/1-1/ttyUSB0");
  root.WriteFile("sys/devices/usb1/1-2/ttyUSB10/uevent", "");
  root.Symlink("sys/class/tty/ttyUSB10/device", root.Path() / "sys/devices/usb1/1-2/ttyUSB10");
  root.WriteFile("sys/devices/usb1/1-3/ttyACM0/uevent", "");
  root.Symlink("sys/class/tty/ttyACM0/device", root.Path() / "sys/devices/usb1/1-3/ttyACM0");
  root.WriteFile("sys/devices/usb1/1-4/ttyUSB2/uevent", "");
  root.Symlink("sys/class/tty/ttyUSB2/device", root.Path() / "sys/devices/usb1/1-4/ttyUSB2");
  // A UART with hardware, and a slot the kernel reserved but found empty (type 0).
  root.WriteFile("sys/devices/pnp0/00:04/uevent", "");
  root.Symlink("sys/class/tty/ttyS1/device", root.Path() / "sys/devices/pnp0/00:04");
  root.WriteFile("sys/class/tty/ttyS1/type", "4\n");
  root.WriteFile("sys/devices/platform/serial8250/uevent", "");
  root.Symlink("sys/class/tty/ttyS5/device", root.Path() / "sys/devices/platform/serial8250");
  root.WriteFile("sys/class/tty/ttyS5/type", "0\n");
  // Virtual terminals have no device link.
  root.WriteFile("sys/class/tty/tty1/dev", "4:1\n");
  root.WriteFile("sys/class/tty/console/dev", "5:1\n");
  for (const char* node : {"ttyUSB0", "ttyUSB2", "ttyUSB10", "ttyACM0", "tty1", "console"})
    root.WriteFile(std::string("dev/") + node, "");
  root.Symlink("dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0", "../../ttyUSB0");
  root.Symlink("dev/serial/by-id/usb-Arduino_Uno_7563-if00", "../../ttyACM0");

  TOpenWatch watch({(root.Path() / "dev").string(), (root.Path() / "dev/serial/by-id").string()});
  const std::vector<std::string> ports = EnumerateSerialPorts(root.Path().string());
  EXPECT_EQ(ports, (std::vector<std::string>{"ttyACM0", "ttyS1", "ttyUSB0", "ttyUSB2", "ttyUSB10",
                                             "/dev/serial/by-id/usb-Arduino_Uno_7563-if00",
                                             "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"}));
  EXPECT_EQ(watch.Take().Opens, 0);
}

TEST(SerialPortEnumeration, AFolderWithoutTtysListsNothing) {
  TPortTestFolder root;
  EXPECT_TRUE(EnumerateSerialPorts(root.Path().string()).empty());
}

}  // namespace
