#include "platform/IniFile.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace {

struct TReadCase {
  const char* Name;
  const char* FileText;  // nullptr: no file
  const char* Section;
  const char* Ident;
  std::string Expected;
};

const std::string kLongValue(3000, 'v');

TEST(IniFileRead, FollowsTheProfileRules) {
  const TReadCase Cases[] = {
      {"plain", "[SETTINGS]\r\nGAIN=20\r\n", "SETTINGS", "GAIN", "20"},
      {"names ignore case", "[settings]\nGain=21\n", "SETTINGS", "GAIN", "21"},
      {"blanks around names and value", "  [ SETTINGS ]  \n\t GAIN \t=  22 x \t\n", "SETTINGS", "GAIN", "22 x"},
      {"double quotes removed", "[S]\nK=\" quoted \"\n", "S", "K", " quoted "},
      {"single quotes removed", "[S]\nK='single'\n", "S", "K", "single"},
      {"unmatched quotes kept", "[S]\nK=\"mixed'\n", "S", "K", "\"mixed'"},
      {"lone quote kept", "[S]\nK=\"\n", "S", "K", "\""},
      {"empty value is not the default", "[S]\nK=\n", "S", "K", ""},
      {"value with equals sign", "[S]\nK=a=b\n", "S", "K", "a=b"},
      {"key of another section", "[A]\nK=1\n[B]\nK=2\n", "B", "K", "2"},
      {"first of duplicate keys", "[S]\nK=1\nK=2\n", "S", "K", "1"},
      {"first of duplicate sections", "[S]\nX=1\n[S]\nK=2\n", "S", "K", "default"},
      {"no line end at the end", "[S]\nK=last", "S", "K", "last"},
      {"CR LF stays out of the value", "[S]\r\nK=v\r\n", "S", "K", "v"},
      {"comment line is no key", "[S]\n;K=1\n#K=2\n", "S", "K", "default"},
      {"key before any section", "K=1\n[S]\n", "S", "K", "default"},
      {"byte order mark before the section", "\xEF\xBB\xBF[S]\r\nK=bom\r\n", "S", "K", "bom"},
      {"missing file", nullptr, "S", "K", "default"},
      {"missing section", "[T]\nK=1\n", "S", "K", "default"},
      {"missing key", "[S]\nL=1\n", "S", "K", "default"},
      {"value cut to 2047 characters", nullptr, "S", "K", std::string(2047, 'v')},
  };
  for (const TReadCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    TScratchFolder Folder;
    const std::string Path = Folder / "TALMO.INI";
    if (Case.FileText != nullptr) PutFileText(Path, Case.FileText);
    if (Case.Expected.size() == 2047) PutFileText(Path, "[S]\nK=" + kLongValue + "\n");
    EXPECT_EQ(TIniFile(Path).ReadString(Case.Section, Case.Ident, "default"), Case.Expected);
  }
}

TEST(IniFileRead, FolderInPlaceOfTheFileReadsAsDefault) {
  TScratchFolder Folder;
  std::filesystem::create_directory(Folder / "TALMO.INI");
  EXPECT_EQ(TIniFile(Folder / "TALMO.INI").ReadString("S", "K", "d"), "d");
}

struct TWriteCase {
  const char* Name;
  const char* Before;  // nullptr: no file
  const char* Section;
  const char* Ident;
  const char* Value;
  const char* After;
};

TEST(IniFileWrite, ChangesOnlyTheLineOfTheKey) {
  const TWriteCase Cases[] = {
      {"replace in place, other lines and LF ends kept", "; note\n[A]\nK=1\n\n[S]\nK=old\nL=2\n[B]\r\n",
       "S", "K", "new", "; note\n[A]\nK=1\n\n[S]\nK=new\nL=2\n[B]\r\n"},
      {"replace keeps the name's spelling and the blanks before the value", "[s]\r\n gain = 7  \r\n",
       "S", "GAIN", "8", "[s]\r\n gain = 8\r\n"},
      {"add key after the section's last key", "[S]\r\nA=1\r\n\r\n[T]\r\nB=2\r\n", "S", "K", "v",
       "[S]\r\nA=1\r\nK=v\r\n\r\n[T]\r\nB=2\r\n"},
      {"add key to an empty section", "[S]\n[T]\n", "S", "K", "v", "[S]\nK=v\r\n[T]\n"},
      {"add key after a last line without line end", "[S]\nA=1", "S", "K", "v", "[S]\nA=1\r\nK=v\r\n"},
      {"add section at the end", "[T]\nB=2\n", "SETTINGS", "K", "v", "[T]\nB=2\n[SETTINGS]\r\nK=v\r\n"},
      {"add section after a last line without line end", "x", "S", "K", "v", "x\r\n[S]\r\nK=v\r\n"},
      {"create the file", nullptr, "SETTINGS", "GAIN", "10", "[SETTINGS]\r\nGAIN=10\r\n"},
      {"empty value", "[S]\nK=1\n", "S", "K", "", "[S]\nK=\n"},
      {"line breaks in a value become blanks", "[S]\nK=1\n", "S", "K", "a\r\nB=2", "[S]\nK=a  B=2\n"},
  };
  for (const TWriteCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    TScratchFolder Folder;
    const std::string Path = Folder / "TALMO.INI";
    if (Case.Before != nullptr) PutFileText(Path, Case.Before);
    TIniFile(Path).WriteString(Case.Section, Case.Ident, Case.Value);
    EXPECT_EQ(FileText(Path), Case.After);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Folder.Path()), {}), 1)
        << "a temporary file was left behind";
  }
}

TEST(IniFileWrite, KeepsPermissionsAndSymbolicLinks) {
  TScratchFolder Folder;
  const std::string Real = Folder / "real.ini";
  const std::string Link = Folder / "TALMO.INI";
  PutFileText(Real, "[S]\nK=1\n");
  ASSERT_EQ(::chmod(Real.c_str(), 0640), 0);
  ASSERT_EQ(::symlink("real.ini", Link.c_str()), 0);

  TIniFile(Link).WriteString("S", "K", "2");

  EXPECT_TRUE(std::filesystem::is_symlink(Link));
  EXPECT_EQ(FileText(Real), "[S]\nK=2\n");
  struct stat Info {};
  ASSERT_EQ(::stat(Real.c_str(), &Info), 0);
  EXPECT_EQ(Info.st_mode & 07777, 0640u);
}

TEST(IniFileWrite, FailureRaisesTheWritersErrorAndKeepsTheOldFile) {
  TScratchFolder Folder;
  const std::string Regular = Folder / "plain";
  PutFileText(Regular, "not a folder");
  const std::string UnderRegularFile = Regular + "/TALMO.INI";
  const std::string FolderInstead = Folder / "TALMO.INI";
  std::filesystem::create_directory(FolderInstead);
  PutFileText(FolderInstead + "/inside", "kept");

  for (const std::string& Path : {UnderRegularFile, FolderInstead}) {
    SCOPED_TRACE(Path);
    try {
      TIniFile(Path).WriteString("S", "K", "v");
      ADD_FAILURE() << "no error raised";
    } catch (const EIniFileException& Error) {
      EXPECT_EQ(std::string(Error.what()), "Unable to write to " + Path);
    }
  }
  EXPECT_EQ(FileText(Regular), "not a folder");
  EXPECT_EQ(FileText(FolderInstead + "/inside"), "kept");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Folder.Path()), {}), 2);
}

TEST(IniFileWrite, ReadsBackWhatItWrote) {
  TScratchFolder Folder;
  TIniFile IniFile(Folder / "TALMO.INI");
  IniFile.WriteString("SETTINGS", "COMPORT", "COM3");
  IniFile.WriteString("settings", "gain", "42");
  IniFile.WriteString("SETTINGS", "COMPORT", "COM4");
  EXPECT_EQ(IniFile.ReadString("SETTINGS", "COMPORT", ""), "COM4");
  EXPECT_EQ(IniFile.ReadString("SETTINGS", "GAIN", ""), "42");
  EXPECT_EQ(FileText(IniFile.FileName()), "[SETTINGS]\r\nCOMPORT=COM4\r\ngain=42\r\n");
}

}  // namespace
