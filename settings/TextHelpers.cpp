#include "settings/TextHelpers.h"

#include "platform/TextCase.h"

#include <charconv>

bool IsNumeric(std::string_view Text) {
  if (Text.empty()) return false;
  for (const char C : Text) {
    const bool Allowed = (C >= '0' && C <= '9') || C == '-' || C == ',' || C == '.';
    if (!Allowed) return false;
  }
  return true;
}

std::string UpperCaseText(std::string_view Text) { return UpperCaseBytes(Text); }

bool IsTrueWord(std::string_view Text) {
  const std::string Upper = UpperCaseText(Text);
  return Upper == "TRUE" || Upper == "YES" || Upper == "ON";
}

std::string TrueFalseText(bool Value) { return Value ? "TRUE" : "FALSE"; }

std::optional<int> WholeNumber(std::string_view Text) {
  int Value = 0;
  const char* const End = Text.data() + Text.size();
  const auto [Stop, Error] = std::from_chars(Text.data(), End, Value, 10);
  if (Text.empty() || Error != std::errc() || Stop != End) return std::nullopt;
  return Value;
}
