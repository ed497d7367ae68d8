#include "settings/ConfigPath.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct TPathCase {
  const char* Name;
  std::vector<std::string> Params;
  std::vector<std::string> Existing;  // files already in the working directory
  std::string Expected;               // relative to the working directory
};

TEST(ConfigFilePath, FollowsTheOptionAndFindsTheUsersFileInAnyCase) {
  const TPathCase Cases[] = {
      {"no parameters", {}, {}, "TALMO.INI"},
      {"-f names the file, upper-cased", {"-f", "my.ini"}, {}, "MY.INI"},
      {"-F alone", {"-F"}, {}, "TALMO.INI"},
      {"-F with an empty name", {"-F", ""}, {}, "TALMO.INI"},
      {"/F is no option", {"/F", "x.ini"}, {}, "TALMO.INI"},
      {"only the first parameter is looked at", {"x", "-f", "a.ini"}, {}, "TALMO.INI"},
      {"the user's my.ini is found", {"-f", "my.ini"}, {"my.ini"}, "my.ini"},
      {"found whatever case was typed", {"-F", "MY.INI"}, {"My.Ini"}, "My.Ini"},
      {"an exact match wins", {"-f", "my.ini"}, {"my.ini", "MY.INI"}, "MY.INI"},
      {"the default name in another case", {}, {"talmo.ini"}, "talmo.ini"},
      {"folder by folder", {"-f", "radio/hf.ini"}, {"Radio/hf.ini"}, "Radio/hf.ini"},
      {"a missing folder keeps the rest upper-cased", {"-f", "radio/hf.ini"}, {"other.ini"}, "RADIO/HF.INI"},
  };
  for (const TPathCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    TScratchFolder Folder;
    for (const std::string& File : Case.Existing) {
      std::filesystem::create_directories(std::filesystem::path(Folder / File).parent_path());
      PutFileText(Folder / File, "");
    }
    EXPECT_EQ(ConfigFilePath(Case.Params, Folder.Path()), Folder.Path() + Case.Expected);
  }
}

TEST(WorkingDirectory, IsTheCurrentDirectoryWithOneSlash) {
  TScratchFolder Folder;
  const auto Previous = std::filesystem::current_path();
  std::filesystem::current_path(Folder.Path());
  const std::string Here = WorkingDirectory();
  std::filesystem::current_path("/");
  const std::string Root = WorkingDirectory();
  std::filesystem::current_path(Previous);

  EXPECT_EQ(Here, std::filesystem::canonical(Folder.Path()).string() + "/");
  EXPECT_EQ(Root, "/");
}

}  // namespace
