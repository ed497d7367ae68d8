#include "support/FormRig.h"

#include <fstream>
#include <sstream>

#include "controls/spectrum_vis.h"
#include "platform/Application.h"
#include "platform/Handler.h"
#include "platform/Process.h"
#include "settings/Log.h"

TFormRig::TFormRig(std::vector<std::string> params, const std::string& iniText) {
  char pattern[] = "/tmp/talmo-form-XXXXXX";
  dir = mkdtemp(pattern);
  oldDir = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  if (!iniText.empty()) std::ofstream(dir / "TALMO.INI", std::ios::binary) << iniText;

  TProcess::Reset();
  TProcess::SetExitFunction([](int status) { throw TProcessEnded{status}; });
  form = std::make_unique<TTalmoForm>(bass, std::move(params));
  TApplication::Instance().SetMainWindow(form.get());
  TProcess::SetTeardown([this] {
    RunHandler([this] { form->FormDestroy(); });
    form->ComPort.Close();
  });
}

TFormRig::~TFormRig() {
  TApplication::Instance().SetMainWindow(nullptr);
  form.reset();
  TProcess::Reset();
  TProcess::SetExitFunction(nullptr);
  delete AppSpectrum;
  AppSpectrum = nullptr;
  delete AppLog;
  AppLog = nullptr;
  std::filesystem::current_path(oldDir);
  std::filesystem::remove_all(dir);
}

std::optional<int> TFormRig::Create() {
  try {
    RunHandler([this] { form->FormCreate(); });
  } catch (const TProcessEnded& end) {
    return end.Status;
  }
  return std::nullopt;
}

void TFormRig::End() {
  try {
    TProcess::End(0);
  } catch (const TProcessEnded&) {
  }
}

std::string TFormRig::Read(const std::string& name) const {
  std::ifstream in(dir / name, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> TFormRig::BoxTexts() const {
  std::vector<std::string> texts;
  for (const TShownBox& box : dialogs.shown) texts.push_back(box.text);
  return texts;
}
