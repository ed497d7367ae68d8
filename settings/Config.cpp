#include "settings/Config.h"

#include <array>
#include <utility>

namespace {

constexpr const char* kSection = "SETTINGS";

// The rates the configuration knows by number; everything else is 4800.
constexpr std::array<std::pair<int, TBaudRate>, 5> kConfigRates = {{
    {1200, TBaudRate::br1200},
    {2400, TBaudRate::br2400},
    {4800, TBaudRate::br4800},
    {9600, TBaudRate::br9600},
    {19200, TBaudRate::br19200},
}};

}  // namespace

TConfigReader::TConfigReader(const std::string& IniFileName) : FIniFile(IniFileName) {}

std::string TConfigReader::ReadComPort() {
  return UpperCaseText(FIniFile.ReadString(kSection, "COMPORT", "COM1"));
}

int TConfigReader::ReadBaudRate() { return ReadNumber("BAUDRATE", 4800); }

bool TConfigReader::ReadTrace() { return IsTrueWord(FIniFile.ReadString(kSection, "TRACE", "YES")); }

int TConfigReader::ReadGain() { return ReadNumber("GAIN", 10); }

int TConfigReader::ReadDelay() { return ReadNumber("DELAY", 50); }

int TConfigReader::ReadNumber(const char* Ident, int Fallback) {
  const std::string Text = FIniFile.ReadString(kSection, Ident, std::to_string(Fallback));
  if (!IsNumeric(Text)) return Fallback;
  // "1.5", "-" or "99999999999" pass IsNumeric but are no number: the
  // fallback too, so the start-up runs on.
  return WholeNumber(Text).value_or(Fallback);
}

TBaudRate PortRateFromConfig(int ConfigBaudRate) {
  for (const auto& [Number, Rate] : kConfigRates)
    if (Number == ConfigBaudRate) return Rate;
  return TBaudRate::br4800;
}

int ConfigNumberFromPortRate(TBaudRate Rate) {
  for (const auto& [Number, Known] : kConfigRates)
    if (Known == Rate) return Number;
  return 4800;
}

void WriteParameterBlock(TLog& Log, const TParameterBlock& Values) {
  Log.Write(1, "--------------Parameters ----------------");
  Log.Write(1, "Configuration File " + Values.IniFileName);
  Log.Write(1, "LOGGING=" + TrueFalseText(Values.TraceEnabled));
  Log.Write(1, "PORTNRO=" + Values.ComPort);
  Log.Write(1, "COMBAUD=" + std::to_string(Values.BaudRate));
  Log.Write(1, "GAIN=" + std::to_string(Values.Gain));
  Log.Write(1, "DELAY=" + std::to_string(Values.Delay));
  Log.Write(1, "-----------------------------------------");
}

void WriteSettings(const std::string& IniFileName, const TSavedSettings& Values) {
  TIniFile IniFile(IniFileName.empty() ? ConfigFilePath({}, WorkingDirectory()) : IniFileName);
  IniFile.WriteString(kSection, "COMPORT", Values.ComPort);
  IniFile.WriteString(kSection, "BAUDRATE", std::to_string(ConfigNumberFromPortRate(Values.BaudRate)));
  IniFile.WriteString(kSection, "TRACE", Values.TraceEnabled ? "YES" : "NOT");
  IniFile.WriteString(kSection, "GAIN", std::to_string(Values.Gain));
  IniFile.WriteString(kSection, "DELAY", std::to_string(Values.Delay));
}
