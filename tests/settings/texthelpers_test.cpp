#include "settings/TextHelpers.h"

#include <gtest/gtest.h>

namespace {

TEST(TextHelpers, IsNumericTestsOnlyTheCharacters) {
  const struct {
    const char* Text;
    bool Expected;
  } Cases[] = {{"", false}, {"0", true}, {"007", true}, {"-3", true}, {"-", true}, {"1.2.3", true},
               {"5-", true}, {"1,000", true}, {"+5", false}, {" 5", false}, {"5 ", false}, {"abc", false},
               {"12a", false}, {"\xC3\xA4", false}};
  for (const auto& Case : Cases) EXPECT_EQ(IsNumeric(Case.Text), Case.Expected) << '"' << Case.Text << '"';
}

TEST(TextHelpers, WholeNumberTakesOnlyA32BitDecimalInFull) {
  const struct {
    const char* Text;
    std::optional<int> Expected;
  } Cases[] = {{"0", 0}, {"007", 7}, {"-3", -3}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
               {"2147483648", std::nullopt}, {"99999999999", std::nullopt}, {"1.5", std::nullopt},
               {"1,000", std::nullopt}, {"-", std::nullopt}, {"5-3", std::nullopt}, {"", std::nullopt},
               {"--3", std::nullopt}};
  for (const auto& Case : Cases) EXPECT_EQ(WholeNumber(Case.Text), Case.Expected) << '"' << Case.Text << '"';
}

TEST(TextHelpers, UpperCaseTextKeepsTheLength) {
  const struct {
    std::string Text;
    std::string Expected;
  } Cases[] = {{"com3", "COM3"}, {"-f", "-F"}, {"my.ini", "MY.INI"}, {"", ""}, {"MiXeD 1-2", "MIXED 1-2"},
               // UTF-8 sequences ("ä", "é") stay as they are; the ASCII around them is upper-cased.
               {"\xC3\xA4pfel caf\xC3\xA9", "\xC3\xA4PFEL CAF\xC3\xA9"},
               {std::string("a\0b", 3), std::string("A\0B", 3)}};
  for (const auto& Case : Cases) {
    EXPECT_EQ(UpperCaseText(Case.Text), Case.Expected);
    EXPECT_EQ(UpperCaseText(Case.Text).size(), Case.Text.size());
  }
}

TEST(TextHelpers, IsTrueWordAndTrueFalseText) {
  for (const char* Word : {"TRUE", "true", "Yes", "yes", "ON", "on", "oN"}) EXPECT_TRUE(IsTrueWord(Word)) << Word;
  for (const char* Word : {"", "1", "Y", "NO", "NOT", "FALSE", "OFF", " YES", "YES ", "TRUE1"})
    EXPECT_FALSE(IsTrueWord(Word)) << '"' << Word << '"';
  EXPECT_EQ(TrueFalseText(true), "TRUE");
  EXPECT_EQ(TrueFalseText(false), "FALSE");
}

}  // namespace
