#pragma once
// The configuration's small text helpers.

#include <optional>
#include <string>
#include <string_view>

// False for an empty text; otherwise true exactly when every character is a
// digit, '-', ',' or '.' (so a lone hyphen, "1.2.3" and "5-" pass).
bool IsNumeric(std::string_view Text);

// The text with its letters upper-cased: ASCII letters always, other bytes by
// the locale where its character set is single-byte; UTF-8 sequences stay as
// they are. The length never changes.
std::string UpperCaseText(std::string_view Text);

// True when the upper-cased text is "TRUE", "YES" or "ON"; nothing is trimmed.
bool IsTrueWord(std::string_view Text);

// "TRUE" or "FALSE".
std::string TrueFalseText(bool Value);

// The text as a signed decimal 32-bit whole number, or nothing when it is not
// one in full ("1.5", "1,000", "-", "5-3", "99999999999", "").
std::optional<int> WholeNumber(std::string_view Text);
