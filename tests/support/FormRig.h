#pragma once
// The main window under test: a temporary working directory, scripted capture
// and message boxes, a manual clock, and a process end that throws instead of
// exiting. The window's teardown is installed as in the program.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shell/TalmoForm.h"
#include "support/ManualClock.h"
#include "support/ScriptedCapture.h"
#include "support/ScriptedDialogs.h"

class TFormRig {
 public:
  explicit TFormRig(std::vector<std::string> params = {}, const std::string& iniText = "");
  ~TFormRig();

  // Runs FormCreate; answers the exit status if start-up ended the process.
  std::optional<int> Create();
  // Ends the process as every way out does (teardown once).
  void End();

  std::string Read(const std::string& name) const;
  bool Exists(const std::string& name) const { return std::filesystem::exists(dir / name); }
  std::vector<std::string> BoxTexts() const;

  std::filesystem::path dir;
  std::filesystem::path oldDir;
  TManualClock clock;
  TScriptedDialogs dialogs;
  TScriptedCapture bass;
  std::unique_ptr<TTalmoForm> form;
};
