#pragma once
// Where the configuration file lives: the working directory and the "-F" option.

#include <string>
#include <vector>

// The default configuration file's name, "TALMO" + ".INI".
inline constexpr const char* kDefaultConfigName = "TALMO.INI";

// The process's current directory followed by '/' unless it already ends in
// one; "./" when the current directory cannot be named (it was removed).
std::string WorkingDirectory();

// The configuration file for the command-line parameters Params (the program's
// name not among them). When the first parameter is "-F" in any letter case,
// the second, upper-cased, names the file; otherwise, or when it is missing or
// empty, the default name. The name is joined to WorkDir unchanged and then
// looked up there without regard to letter case, folder by folder: an existing
// entry whose name matches is used (an exact match first), so a user's
// "my.ini" is found for "-f my.ini"; with none, the upper-cased name stays.
std::string ConfigFilePath(const std::vector<std::string>& Params, const std::string& WorkDir);
