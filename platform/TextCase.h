#pragma once
// Upper-casing of 8-bit text, shared by the profile file's name matching and the
// configuration helpers, so both agree on which names are "the same".

#include <string>
#include <string_view>

// One byte upper-cased: ASCII letters always; other bytes by the C library's
// locale (LC_CTYPE) only when that locale's character set is single-byte. In a
// multi-byte set (UTF-8) bytes from 128 up belong to sequences and stay as they
// are, so the length never changes and no sequence is broken.
char UpperCaseChar(char C);

// Every byte through UpperCaseChar; same length as the input.
std::string UpperCaseBytes(std::string_view Text);

// True when both texts are equal after UpperCaseBytes.
bool SameTextIgnoringCase(std::string_view A, std::string_view B);
