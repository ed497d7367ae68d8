#include "settings/ConfigPath.h"

#include "platform/PathIgnoringCase.h"
#include "settings/TextHelpers.h"

#include <unistd.h>

#include <cerrno>

std::string WorkingDirectory() {
  std::string Buffer(256, '\0');
  for (;;) {
    if (::getcwd(Buffer.data(), Buffer.size()) != nullptr) break;
    if (errno != ERANGE) return "./";
    Buffer.resize(Buffer.size() * 2);
  }
  Buffer.resize(Buffer.find('\0'));
  if (Buffer.empty() || Buffer.back() != '/') Buffer += '/';
  return Buffer;
}

std::string ConfigFilePath(const std::vector<std::string>& Params, const std::string& WorkDir) {
  std::string Name;
  if (!Params.empty() && UpperCaseText(Params[0]) == "-F" && Params.size() >= 2)
    Name = UpperCaseText(Params[1]);
  if (Name.empty()) Name = kDefaultConfigName;
  return ResolvePathIgnoringCase(WorkDir, Name);
}
