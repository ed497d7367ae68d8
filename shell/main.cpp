// Program entry: create the main window (its FormCreate does the start-up), run
// the message loop, end the process. Every way out runs the window's teardown once.
#include <QApplication>
#include <QIcon>
#include <QPixmap>

#include "engine/PortAudioCapture.h"
#include "platform/Application.h"
#include "platform/Handler.h"
#include "platform/Process.h"
#include "shell/TalmoForm.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  TApplication::Instance().SetIcon(QIcon(QPixmap(":/talmo.xpm")));

  TPortAudioCapture bass;
  TTalmoForm form(bass, std::vector<std::string>(argv + 1, argv + argc));
  TApplication::Instance().SetMainWindow(&form);
  TProcess::SetTeardown([&form] {
    RunHandler([&form] { form.FormDestroy(); });
    form.ComPort.Close();  // the lines drop with the port
  });

  RunHandler([&form] { form.FormCreate(); });
  form.show();
  app.exec();
  TProcess::End(0);
}
