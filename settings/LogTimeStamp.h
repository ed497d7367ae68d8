#pragma once
// The trace log's time stamp in the user's formats: the locale's (LC_TIME)
// date format with the year always in four digits, a blank, the locale's time
// format with the seconds always present. Everything works in caller-provided
// buffers, since the stamp is made on the 10 ms sound tick.

#include <cstddef>
#include <ctime>

// LocaleFormat (an nl_langinfo(D_FMT) text) with every two-digit year
// ("%y", also with flags or an E/O modifier) made four-digit ("%Y") and "%D"
// spelled out as "%m/%d/%Y". False when the result does not fit Out.
bool FourDigitYearFormat(const char* LocaleFormat, char* Out, std::size_t OutSize);

// The locale's time format (TimeFormat: nl_langinfo(T_FMT)) when it shows
// seconds (%S, %T, %r or %X); otherwise hours, minutes and seconds in the
// same clock: AmPmFormat (nl_langinfo(T_FMT_AMPM)) when TimeFormat uses the
// 12-hour clock, "%H:%M:%S" when not.
const char* TimeFormatWithSeconds(const char* TimeFormat, const char* AmPmFormat);

// Writes "date time " for Moment in the current LC_TIME locale into Out and
// returns its length; 0 when it does not fit. A locale whose formats give
// nothing falls back to "%Y-%m-%d %H:%M:%S ".
std::size_t FormatTimeStamp(const std::tm& Moment, char* Out, std::size_t OutSize);
