#pragma once
// A section/key/value INI text file read and written by the rules users know
// from the Windows profile functions, because users move these files between
// systems and edit them by hand:
//  - section and key names match without regard to letter case;
//  - blanks (space, tab) around names and values are not part of them;
//  - a value in matching double or single quotes is read without them;
//  - a missing file, section or key reads as the caller's default;
//  - at most kMaxValueLength characters of a value arrive;
//  - lines may end with CR LF or LF; lines this writer adds end with CR LF;
//  - a line whose first non-blank character is ';' or '#' is a comment.
// The first section of a name, and the first key of a name within it, count.
// Every write rewrites the whole file atomically and leaves every line but the
// one it changes or adds byte for byte as it was.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

class EIniFileException : public std::runtime_error {
 public:
  using runtime_error::runtime_error;
};

class TIniFile {
 public:
  // A value arrives in a buffer of 2048 characters, one of them the terminator.
  static constexpr std::size_t kMaxValueLength = 2047;

  explicit TIniFile(std::string FileName);

  // The value of Ident in Section, or Default when the file cannot be read or
  // holds no such key. The file is read afresh on every call.
  std::string ReadString(std::string_view Section, std::string_view Ident,
                         std::string_view Default) const;

  // Sets Ident in Section to Value: replaces the value in place, adds the key
  // at the end of its section or the section at the end of the file, creates
  // the file. Line breaks and NULs in Value become blanks, since they would
  // split the line. Throws EIniFileException("Unable to write to <path>") when
  // the file cannot be read or replaced; the old file is then left intact.
  void WriteString(std::string_view Section, std::string_view Ident, std::string_view Value);

  const std::string& FileName() const { return FFileName; }

 private:
  std::string FFileName;
};
