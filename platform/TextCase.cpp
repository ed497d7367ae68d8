#include "platform/TextCase.h"

#include <cctype>
#include <cstdlib>

char UpperCaseChar(char C) {
  const auto Byte = static_cast<unsigned char>(C);
  if (Byte < 0x80) {
    // Fixed ASCII rule: keeps keys such as "-f" or "on" independent of
    // locales whose i/I pairing differs (Turkish).
    return (Byte >= 'a' && Byte <= 'z') ? static_cast<char>(Byte - 'a' + 'A') : C;
  }
  if (MB_CUR_MAX == 1) return static_cast<char>(std::toupper(Byte));
  return C;
}

std::string UpperCaseBytes(std::string_view Text) {
  std::string Result(Text);
  for (char& C : Result) C = UpperCaseChar(C);
  return Result;
}

bool SameTextIgnoringCase(std::string_view A, std::string_view B) {
  if (A.size() != B.size()) return false;
  for (std::size_t I = 0; I < A.size(); ++I)
    if (UpperCaseChar(A[I]) != UpperCaseChar(B[I])) return false;
  return true;
}
