#pragma once
// Settings of a serial port, as the port component and its setup dialog offer them.

#include <array>

// The fixed list of line rates; brCustom is a rate outside the list.
enum class TBaudRate {
  brCustom, br110, br300, br600, br1200, br2400, br4800, br9600, br14400,
  br19200, br38400, br56000, br57600, br115200, br128000, br256000
};

// Bits per second of each TBaudRate, in declaration order (brCustom has none: 0).
constexpr std::array<int, 16> kBaudRateValues = {
  0, 110, 300, 600, 1200, 2400, 4800, 9600, 14400,
  19200, 38400, 56000, 57600, 115200, 128000, 256000};

constexpr int BaudRateValue(TBaudRate rate) { return kBaudRateValues[static_cast<int>(rate)]; }

enum class TDataBits { dbFive, dbSix, dbSeven, dbEight };
enum class TStopBits { sbOneStopBit, sbOne5StopBits, sbTwoStopBits };
enum class TParityBits { prNone, prOdd, prEven, prMark, prSpace };
enum class TDTRFlowControl { dtrDisable, dtrEnable, dtrHandshake };
enum class TRTSFlowControl { rtsDisable, rtsEnable, rtsHandshake, rtsToggle };
// What the setup dialog's "Flow control" list offers.
enum class TFlowControl { fcHardware, fcSoftware, fcNone, fcCustom };
