#include "settings/LogTimeStamp.h"

#include <langinfo.h>

#include <cstring>

namespace {

bool Contains(const char* Text, const char* Part) { return std::strstr(Text, Part) != nullptr; }

// Appends Text to Out at Used; false when it would not fit with a terminator.
bool Append(char* Out, std::size_t OutSize, std::size_t& Used, const char* Text, std::size_t Length) {
  if (Used + Length >= OutSize) return false;
  std::memcpy(Out + Used, Text, Length);
  Used += Length;
  Out[Used] = '\0';
  return true;
}

bool IsFlagOrWidth(char C) {
  return C == '_' || C == '-' || C == '0' || C == '^' || C == '#' || (C >= '1' && C <= '9');
}

}  // namespace

bool FourDigitYearFormat(const char* LocaleFormat, char* Out, std::size_t OutSize) {
  std::size_t Used = 0;
  if (OutSize == 0) return false;
  Out[0] = '\0';
  for (const char* P = LocaleFormat; *P != '\0';) {
    if (*P != '%') {
      if (!Append(Out, OutSize, Used, P, 1)) return false;
      ++P;
      continue;
    }
    // One conversion: '%', flags and width, an optional E or O modifier, the letter.
    const char* Start = P++;
    while (IsFlagOrWidth(*P)) ++P;
    const char* Modifier = (*P == 'E' || *P == 'O') ? P++ : nullptr;
    const char Letter = *P;
    if (Letter == '\0') return Append(Out, OutSize, Used, Start, static_cast<std::size_t>(P - Start));
    ++P;
    bool Fits = true;
    if (Letter == 'y') {
      const std::size_t Prefix = static_cast<std::size_t>((Modifier ? Modifier : P - 1) - Start);
      Fits = Append(Out, OutSize, Used, Start, Prefix) && Append(Out, OutSize, Used, "Y", 1);
    } else if (Letter == 'D') {
      Fits = Append(Out, OutSize, Used, "%m/%d/%Y", 8);
    } else {
      Fits = Append(Out, OutSize, Used, Start, static_cast<std::size_t>(P - Start));
    }
    if (!Fits) return false;
  }
  return true;
}

const char* TimeFormatWithSeconds(const char* TimeFormat, const char* AmPmFormat) {
  if (Contains(TimeFormat, "%S") || Contains(TimeFormat, "%T") || Contains(TimeFormat, "%r") ||
      Contains(TimeFormat, "%X"))
    return TimeFormat;
  const bool TwelveHour = Contains(TimeFormat, "%I") || Contains(TimeFormat, "%l") ||
                          Contains(TimeFormat, "%p") || Contains(TimeFormat, "%P");
  if (TwelveHour && Contains(AmPmFormat, "%S")) return AmPmFormat;
  return "%H:%M:%S";
}

std::size_t FormatTimeStamp(const std::tm& Moment, char* Out, std::size_t OutSize) {
  char DateFormat[128];
  if (!FourDigitYearFormat(nl_langinfo(D_FMT), DateFormat, sizeof DateFormat) || DateFormat[0] == '\0')
    std::strcpy(DateFormat, "%Y-%m-%d");
  const char* TimeFormat = TimeFormatWithSeconds(nl_langinfo(T_FMT), nl_langinfo(T_FMT_AMPM));

  std::size_t Used = std::strftime(Out, OutSize, DateFormat, &Moment);
  if (Used == 0 || Used + 1 >= OutSize) return 0;
  Out[Used++] = ' ';
  const std::size_t TimeLength = std::strftime(Out + Used, OutSize - Used, TimeFormat, &Moment);
  if (TimeLength == 0) return 0;
  Used += TimeLength;
  if (Used + 1 >= OutSize) return 0;
  Out[Used++] = ' ';
  return Used;
}
