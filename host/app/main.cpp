// plug528-host: the desktop host of the plug-in (host_options.h describes the command line).
#include "host_app.h"
#include "host_options.h"
#include "host_prompts.h"
#include "script_runner.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QTextStream>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>

int main(int argc, char** argv) {
  using namespace p528::host;
  HostOptions options;
  try {
    options = ParseHostOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::invalid_argument& error) {
    std::fprintf(stderr, "plug528-host: %s\n%s", error.what(), kHostUsage);
    return 2;
  }
  if (options.help) {
    std::fputs(kHostUsage, stdout);
    return 0;
  }
  if (options.version) {
    std::puts("plug528-host 1.2");
    return 0;
  }
  std::error_code ec;
  const std::string program = std::filesystem::canonical("/proc/self/exe", ec).parent_path().string();
  ApplyDefaults(options, program);

  QStringList script;
  if (!options.script.empty()) {
    QFile file(QString::fromStdString(options.script));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
      std::fprintf(stderr, "plug528-host: cannot read the script %s\n", options.script.c_str());
      return 2;
    }
    script = QString::fromUtf8(file.readAll()).split('\n');
  }

  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("plug528-host"));
  QApplication::setDesktopFileName(QStringLiteral("plug528-host"));
  // The installed icon (share/icons beside bin/), else the theme's.
  const QString icon = QString::fromStdString(program + "/../share/icons/hicolor/64x64/apps/plug528-host.png");
  QApplication::setWindowIcon(QFile::exists(icon) ? QIcon(icon) : QIcon::fromTheme(QStringLiteral("plug528-host")));

  DesktopPrompts desktop;
  PrintedPrompts printed;
  HostPrompts& prompts = options.script.empty() ? static_cast<HostPrompts&>(desktop) : printed;
  HostApp host(options, prompts);
  if (!host.Start()) return 1;
  std::unique_ptr<ScriptRunner> runner;
  if (!options.script.empty()) {
    runner = std::make_unique<ScriptRunner>(host, script);
    runner->Start();
  }
  const int status = application.exec();
  host.Shutdown();
  return status;
}
