#include "platform/IniFile.h"

#include "platform/FileContents.h"
#include "platform/TextCase.h"

#include <utility>

namespace {

constexpr std::string_view kLineEnd = "\r\n";

bool IsBlank(char C) { return C == ' ' || C == '\t'; }

std::string_view Trimmed(std::string_view Text) {
  while (!Text.empty() && IsBlank(Text.front())) Text.remove_prefix(1);
  while (!Text.empty() && IsBlank(Text.back())) Text.remove_suffix(1);
  return Text;
}

std::string_view Unquoted(std::string_view Value) {
  if (Value.size() >= 2 && (Value.front() == '"' || Value.front() == '\'') &&
      Value.back() == Value.front()) {
    return Value.substr(1, Value.size() - 2);
  }
  return Value;
}

// One line of the text: [Begin, End) is its content without the line end,
// Next is where the following line begins (the text's size after the last).
struct TLine {
  std::size_t Begin;
  std::size_t End;
  std::size_t Next;
};

TLine LineAt(std::string_view Text, std::size_t Begin) {
  const std::size_t Feed = Text.find('\n', Begin);
  if (Feed == std::string_view::npos) return {Begin, Text.size(), Text.size()};
  const std::size_t End = (Feed > Begin && Text[Feed - 1] == '\r') ? Feed - 1 : Feed;
  return {Begin, End, Feed + 1};
}

bool IsSectionHeader(std::string_view Content, std::string_view& Name) {
  const std::string_view Line = Trimmed(Content);
  if (Line.empty() || Line.front() != '[') return false;
  const std::string_view Inner = Line.substr(1);
  Name = Trimmed(Inner.substr(0, Inner.find(']')));
  return true;
}

// A key line: "name=value"; Equals is the offset of '=' within the content.
bool IsKeyLine(std::string_view Content, std::string_view& Name, std::size_t& Equals) {
  const std::string_view Line = Trimmed(Content);
  if (Line.empty() || Line.front() == ';' || Line.front() == '#') return false;
  Equals = Content.find('=');
  if (Equals == std::string_view::npos) return false;
  Name = Trimmed(Content.substr(0, Equals));
  return true;
}

// Where a section and a key are found in the text.
struct TLocation {
  bool SectionFound = false;
  std::size_t InsertAt = 0;     // after the section's last key line, or its header
  bool KeyFound = false;
  std::size_t ValueBegin = 0;   // the value's first non-blank character after '='
  std::size_t ValueEnd = 0;     // the end of the line's content
};

std::size_t SkipByteOrderMark(std::string_view Text) {
  return Text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
}

TLocation Locate(std::string_view Text, std::string_view Section, std::string_view Ident) {
  TLocation Found;
  const std::string_view WantedSection = Trimmed(Section);
  const std::string_view WantedIdent = Trimmed(Ident);
  bool Inside = false;
  for (std::size_t Pos = SkipByteOrderMark(Text); Pos < Text.size();) {
    const TLine Line = LineAt(Text, Pos);
    Pos = Line.Next;
    const std::string_view Content = Text.substr(Line.Begin, Line.End - Line.Begin);
    std::string_view Name;
    std::size_t Equals = 0;
    if (IsSectionHeader(Content, Name)) {
      if (Found.SectionFound) break;  // only the first section of a name counts
      Inside = SameTextIgnoringCase(Name, WantedSection);
      if (Inside) {
        Found.SectionFound = true;
        Found.InsertAt = Line.Next;
      }
    } else if (Inside && IsKeyLine(Content, Name, Equals)) {
      Found.InsertAt = Line.Next;
      if (SameTextIgnoringCase(Name, WantedIdent)) {
        std::size_t ValueBegin = Line.Begin + Equals + 1;
        while (ValueBegin < Line.End && IsBlank(Text[ValueBegin])) ++ValueBegin;
        Found.KeyFound = true;
        Found.ValueBegin = ValueBegin;
        Found.ValueEnd = Line.End;
        return Found;
      }
    }
  }
  return Found;
}

// A value must stay on its one line.
std::string SingleLine(std::string_view Value) {
  std::string Result(Value);
  for (char& C : Result)
    if (C == '\r' || C == '\n' || C == '\0') C = ' ';
  return Result;
}

bool EndsWithLineFeed(std::string_view Text, std::size_t Pos) {
  return Pos > 0 && Text[Pos - 1] == '\n';
}

}  // namespace

TIniFile::TIniFile(std::string FileName) : FFileName(std::move(FileName)) {}

std::string TIniFile::ReadString(std::string_view Section, std::string_view Ident,
                                 std::string_view Default) const {
  std::string Text;
  if (ReadFileContents(FFileName, Text) != TReadResult::Read) return std::string(Default);
  const TLocation Found = Locate(Text, Section, Ident);
  if (!Found.KeyFound) return std::string(Default);
  const std::string_view Raw(Text.data() + Found.ValueBegin, Found.ValueEnd - Found.ValueBegin);
  return std::string(Unquoted(Trimmed(Raw)).substr(0, kMaxValueLength));
}

void TIniFile::WriteString(std::string_view Section, std::string_view Ident, std::string_view Value) {
  std::string Text;
  if (ReadFileContents(FFileName, Text) == TReadResult::Failed)
    throw EIniFileException("Unable to write to " + FFileName);

  const std::string NewValue = SingleLine(Value);
  const TLocation Found = Locate(Text, Section, Ident);
  if (Found.KeyFound) {
    Text.replace(Found.ValueBegin, Found.ValueEnd - Found.ValueBegin, NewValue);
  } else {
    std::string Added;
    const std::size_t At = Found.SectionFound ? Found.InsertAt : Text.size();
    // The line before the new one may be the file's last, without a line end.
    if (At > 0 && !EndsWithLineFeed(Text, At)) Added += kLineEnd;
    if (!Found.SectionFound) {
      Added += '[';
      Added += SingleLine(Trimmed(Section));
      Added += ']';
      Added += kLineEnd;
    }
    Added += SingleLine(Trimmed(Ident));
    Added += '=';
    Added += NewValue;
    Added += kLineEnd;
    Text.insert(At, Added);
  }
  if (!ReplaceFileAtomically(FFileName, Text))
    throw EIniFileException("Unable to write to " + FFileName);
}
