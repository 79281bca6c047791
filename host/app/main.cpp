// plug528-host: the desktop host of the plug-in (host_options.h describes the command line).
#include "host_app.h"
#include "host_options.h"
#include "host_prompts.h"
#include "script_runner.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QTextStream>

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>

namespace {

int g_signalPipe[2] = {-1, -1};

void OnTerminate(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &byte, 1);
}

// SIGTERM (a logout, a service manager) and SIGINT end the event loop like Quit does, so
// the plug-ins are unloaded in order instead of the process simply dying.
void QuitOnTerminationSignals(QObject* owner) {
  if (::pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, owner);
  QObject::connect(notifier, &QSocketNotifier::activated, owner, [] {
    char byte;
    while (::read(g_signalPipe[0], &byte, 1) > 0) {
    }
    QApplication::quit();
  });
  struct sigaction action {};
  action.sa_handler = OnTerminate;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

}  // namespace

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
  const QString icon =
      QString::fromStdString(program + "/../share/icons/hicolor/64x64/apps/plug528-host.png");
  QApplication::setWindowIcon(QFile::exists(icon) ? QIcon(icon)
                                                  : QIcon::fromTheme(QStringLiteral("plug528-host")));

  QuitOnTerminationSignals(&application);

  DesktopPrompts desktop;
  PrintedPrompts printed;
  HostPrompts& prompts = options.script.empty() ? static_cast<HostPrompts&>(desktop) : printed;
  HostApp host(options, prompts);
  if (!host.Start()) return 1;
  std::unique_ptr<ScriptRunner> runner;
  if (!options.script.empty()) {
    runner = std::make_unique<ScriptRunner>(host, script);
    host.SetDialogDriver(runner.get());
    runner->Start();
  }
  const int status = application.exec();
  host.Shutdown();
  return status;
}
