#include "sequence_command.h"

#include "host_options.h"
#include "host_prompts.h"
#include "host_texts.h"
#include "host_window.h"
#include "sequence_summary_window.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProgressDialog>

#include <filesystem>

namespace p528::host {

namespace {

QString ExitText(const QProcess& process, bool canceled) {
  if (canceled) return T("Обработка прервана.", "The run was canceled.");
  if (process.exitStatus() != QProcess::NormalExit)
    return T("simdist завершился аварийно.", "simdist crashed.");
  switch (process.exitCode()) {
    case 0: return T("Все пробы рассчитаны.", "Every sample was calculated.");
    case 1:
      return T("Не все пробы рассчитаны или не все хроматограммы прочитаны.",
               "Not every sample was calculated, or not every run could be read.");
    case 3: return T("Среди выбранных анализов нет проб.", "The assays chosen hold no sample.");
    default: return T("simdist: ошибка запуска (%1).", "simdist: usage error (%1).").arg(process.exitCode());
  }
}

}  // namespace

QString SimdistProgram() {
  const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/simdist");
  if (QFileInfo(beside).isExecutable()) return beside;
#ifdef PLUG528_SIMDIST_BUILD_FILE
  return QStringLiteral(PLUG528_SIMDIST_BUILD_FILE);
#else
  return beside;
#endif
}

void AddSequenceCommand(HostWindow& window, HostPrompts& prompts, const HostOptions& options) {
  window.AddMenuPath(Tr(Text::MenuAssay) + T("/Обработать последовательность…", "/Process as a sequence…"),
                     [&window, &prompts, &options] {
                       SequenceRequest request;
                       request.ids = window.SelectedIds();
                       if (request.ids.empty())
                         for (const hostkit::AssayRecord& record : window.ShownRecords())
                           request.ids.push_back(record.id);
                       request.database = options.database;
                       request.profile = options.profile;
                       request.language = HostIsRussian() ? "ru" : "en";
                       request.outputRoot =
                           (std::filesystem::path(options.dataFolder).parent_path() / "sequences").string();
                       RunSequence(&window, prompts, request);
                     });
}

void RunSequence(QWidget* parent, HostPrompts& prompts, const SequenceRequest& request) {
  if (request.ids.empty()) {
    prompts.Tell(parent, T("Нет анализов для обработки.", "There are no assays to process."), false);
    return;
  }
  const QString folder =
      QDir(Q(request.outputRoot))
          .filePath(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_hh-mm-ss")));
  QStringList ids;
  for (const int64_t id : request.ids) ids << QString::number(id);
  const QStringList arguments = {QStringLiteral("batch"),
                                 QStringLiteral("--db"),
                                 Q(request.database),
                                 QStringLiteral("--profile"),
                                 Q(request.profile),
                                 QStringLiteral("--lang"),
                                 Q(request.language),
                                 QStringLiteral("--ids"),
                                 ids.join(','),
                                 QStringLiteral("--report-dir"),
                                 folder,
                                 QStringLiteral("--summary"),
                                 folder + QStringLiteral("/summary.csv"),
                                 QStringLiteral("--summary-json"),
                                 folder + QStringLiteral("/summary.json"),
                                 QStringLiteral("--progress-lines"),
                                 QStringLiteral("--no-summary")};

  QProcess process;
  process.setProgram(SimdistProgram());
  process.setArguments(arguments);
  QProgressDialog progress(T("Обработка последовательности…", "Processing the sequence…"),
                           T("Отмена", "Cancel"), 0, 0, parent);
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(0);
  bool canceled = false;
  QByteArray errors;  // read as it comes: a full pipe would stop simdist
  QObject::connect(&process, &QProcess::readyReadStandardError, &progress,
                   [&] { errors += process.readAllStandardError(); });
  QObject::connect(&process, &QProcess::readyReadStandardOutput, &progress, [&] {
    while (process.canReadLine()) {
      const QStringList words = QString::fromUtf8(process.readLine()).trimmed().split(' ');
      if (words.size() == 3 && words[0] == QStringLiteral("progress")) {
        progress.setMaximum(words[2].toInt());
        progress.setValue(words[1].toInt());
        progress.setLabelText(
            T("Рассчитано проб: %1 из %2", "Samples calculated: %1 of %2").arg(words[1], words[2]));
      }
    }
  });
  QObject::connect(&progress, &QProgressDialog::canceled, &process, [&] {
    canceled = true;
    process.kill();
  });
  QEventLoop loop;
  QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
  QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart) loop.quit();
  });
  process.start();
  if (process.state() != QProcess::NotRunning) loop.exec();
  progress.reset();
  if (process.error() == QProcess::FailedToStart) {
    prompts.Tell(
        parent,
        T("Программа simdist не запущена: %1", "simdist could not be started: %1").arg(process.program()),
        true);
    return;
  }
  QFile summary(folder + QStringLiteral("/summary.json"));
  if (!summary.open(QIODevice::ReadOnly)) {
    errors += process.readAllStandardError();
    prompts.Tell(parent,
                 ExitText(process, canceled) + QStringLiteral("\n") + QString::fromUtf8(errors).trimmed(),
                 true);
    return;
  }
  auto* window = new SequenceSummaryWindow(summary.readAll(), folder, ExitText(process, canceled), parent);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->show();
}

}  // namespace p528::host
