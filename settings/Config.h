#pragma once
// The configuration: one INI file, section SETTINGS, five keys, read once at
// start-up and written back at shutdown.

#include "platform/IniFile.h"
#include "platform/SerialTypes.h"
#include "settings/ConfigPath.h"
#include "settings/Log.h"
#include "settings/TextHelpers.h"

#include <string>

// The start-up reads, one call per key in the order the start-up makes them.
// A missing file, section or key gives the key's default; a number that is no
// 32-bit whole number gives the key's fallback.
class TConfigReader {
 public:
  explicit TConfigReader(const std::string& IniFileName);

  std::string ReadComPort();  // COMPORT, upper-cased; "COM1"
  int ReadBaudRate();         // BAUDRATE; 4800
  bool ReadTrace();           // TRACE is a true word; "YES"
  int ReadGain();             // GAIN as read, not clamped; 10
  int ReadDelay();            // DELAY as read, not clamped; 50

 private:
  int ReadNumber(const char* Ident, int Fallback);
  TIniFile FIniFile;
};

// The configured number as a port rate: 1200, 2400, 4800, 9600 and 19200 are
// taken, every other number runs the port at 4800.
TBaudRate PortRateFromConfig(int ConfigBaudRate);

// The port's rate as the number written back: the same five, "4800" else.
int ConfigNumberFromPortRate(TBaudRate Rate);

// What the parameter block shows: the values as read, the positions as set.
struct TParameterBlock {
  std::string IniFileName;
  bool TraceEnabled;
  std::string ComPort;
  int BaudRate;
  int Gain;
  int Delay;
};

// The eight lines of the parameter block, each through Log.Write at level 1.
void WriteParameterBlock(TLog& Log, const TParameterBlock& Values);

// What shutdown writes back.
struct TSavedSettings {
  std::string ComPort;
  TBaudRate BaudRate;
  bool TraceEnabled;
  int Gain;
  int Delay;
};

// Writes COMPORT, BAUDRATE, TRACE ("YES" or "NOT"), GAIN and DELAY in this
// order into IniFileName (the default file in the working directory when it
// is empty). Each key is one atomic rewrite; an EIniFileException from a
// failing key leaves that key and the ones after it unwritten.
void WriteSettings(const std::string& IniFileName, const TSavedSettings& Values);
