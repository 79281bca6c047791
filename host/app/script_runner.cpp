#include "script_runner.h"
#include "host_texts.h"

#include "assay_chooser.h"
#include "host/kit/aia/import_role.h"
#include "host/kit/assay_roles.h"
#include "host_app.h"
#include "host_window.h"
#include "role_dialog.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QWindow>

#include <unistd.h>

#include <cstdio>

namespace p528::host {

namespace {

using Line = ScriptRunner::Line;

void Print(const QString& text) {
  std::printf("%s\n", text.toUtf8().constData());
  std::fflush(stdout);
}

// The child named `name` of `parent`: the first visible one, else the first one.
QWidget* FindChild(QWidget* parent, const QString& name) {
  const QList<QWidget*> found = parent->findChildren<QWidget*>(name);
  for (QWidget* widget : found) {
    if (widget->isVisible()) return widget;
  }
  return found.value(0);
}

// The control named `path` (object names: the control ids of the windows) in any visible
// top-level window. "1005/1040" is the control 1040 inside the control 1005: the list of
// the page the tab control shows, where every page has its own 1040.
QWidget* FindWidget(const QString& path) {
  const QStringList names = path.split('/', Qt::SkipEmptyParts);
  if (names.isEmpty()) return nullptr;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (!top->isVisible()) continue;
    QWidget* found = top->objectName() == names[0] ? top : FindChild(top, names[0]);
    for (int i = 1; found != nullptr && i < names.size(); ++i) found = FindChild(found, names[i]);
    if (found != nullptr) return found;
  }
  return nullptr;
}

// Milliseconds since the process started (its start time in /proc against the uptime,
// in the kernel's clock ticks); -1 when unknown.
long long SinceStartMs() {
  QFile stat(QStringLiteral("/proc/self/stat")), uptime(QStringLiteral("/proc/uptime"));
  if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly)) return -1;
  const QByteArray text = stat.readAll();
  // The fields after the program's name (in parentheses); the start time is field 22.
  const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
  const double started = fields.value(19).toDouble() / static_cast<double>(sysconf(_SC_CLK_TCK));
  const double now = uptime.readAll().split(' ').value(0).toDouble();
  return static_cast<long long>((now - started) * 1000.0);
}

// The resident memory of the process in kB (VmRSS of /proc/self/status); 0 when unknown.
long ResidentKb() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
  }
  return 0;
}

// --- the actions -------------------------------------------------------------------------

void Import(ScriptRunner& run, const Line& line) {
  std::vector<std::string> sources;
  for (const QString& word : line.words) sources.push_back(word.toStdString());
  const hostkit::ImportReport report = run.app().window()->Import(sources);
  Print(QString("imported %1 skipped %2").arg(report.imported.size()).arg(report.skipped.size()));
}

void List(ScriptRunner& run, const Line&) {
  for (const hostkit::AssayRecord& record : run.app().window()->ShownRecords()) {
    Print(QString("assay %1|%2|%3|%4|%5%6")
              .arg(static_cast<qlonglong>(record.id))
              .arg(Q(record.sample), Q(record.role), Q(record.filename), record.hidden ? "hidden" : "shown",
                   record.deleted ? "|deleted" : ""));
  }
}

void Flag(ScriptRunner& run, const Line& line) {
  HostWindow* window = run.app().window();
  const int64_t id = line.rest.toLongLong();
  const QString verb = line.text.section(' ', 0, 0);
  if (verb == "delete") {
    window->Delete(id, false);
  } else if (verb == "restore") {
    window->Restore(id);
  } else {
    window->SetHidden(id, verb == "hide");
  }
}

void Role(ScriptRunner& run, const Line& line) {
  const int role = aia::RoleFromName(line.words.value(1).toStdString());
  if (role == 0) return run.Fail("unknown role " + line.words.value(1));
  if (run.app().window()->ChangeRole(line.words.value(0).toLongLong(), role))
    Print("role " + line.words.value(0) + ": " + Q(hostkit::StoredRoleText(role)));
}

void Show(ScriptRunner& run, const Line& line) {
  const QString what = line.words.value(0);
  if (what != "hidden" && what != "deleted" && what != "both" && what != "none")
    return run.Fail("show hidden|deleted|both|none");
  run.app().window()->ShowHiddenAndDeleted(what == "hidden" || what == "both",
                                           what == "deleted" || what == "both");
  Print(QString("shown %1").arg(run.app().window()->ShownCount()));
}

void AnswerChooser(ScriptRunner& run, const Line& line) {
  ScriptRunner::DialogAnswer answer;
  if (line.words.value(0) == "cancel") {
    answer.cancel = true;
  } else if (line.words.value(0) != "all") {
    std::vector<int> ids;
    for (const QString& id : line.words.value(0).split(',', Qt::SkipEmptyParts)) ids.push_back(id.toInt());
    answer.ids = ids;
  }
  if (line.words.value(1) == "picture") answer.picture = line.words.value(2);
  run.chooserAnswers.push_back(answer);
}

void AnswerRole(ScriptRunner& run, const Line& line) {
  ScriptRunner::DialogAnswer answer;
  const QString word = line.words.value(0);
  if (word == "cancel") {
    answer.cancel = true;
  } else if (word != "rules") {
    answer.role = aia::RoleFromName(word.toStdString());
    if (answer.role == 0) return run.Fail("unknown role " + word);
  }
  if (line.words.value(1) == "picture") answer.picture = line.words.value(2);
  run.roleAnswers.push_back(answer);
}

void Choose(ScriptRunner& run, const Line& line) {
  const int capacity = line.words.isEmpty() ? 256 : std::max(line.words[0].toInt(), 1);
  std::vector<int> ids(static_cast<size_t>(capacity), 0);
  AssayIdRequest request{ids.data(), static_cast<intptr_t>(ids.size())};
  const intptr_t count =
      run.app().services().CallService("Main/OpenAssayIdDlgEx", reinterpret_cast<intptr_t>(&request),
                                       reinterpret_cast<intptr_t>(static_cast<QWidget*>(run.app().window())));
  QString text = QString("chosen %1:").arg(count);
  for (intptr_t i = 0; i < count; ++i) text += " " + QString::number(ids[static_cast<size_t>(i)]);
  Print(text);
}

void Menu(ScriptRunner& run, const Line& line) {
  QAction* action = run.app().window()->FindMenuAction(line.rest);
  if (action == nullptr) return run.Fail("no menu item " + line.rest);
  action->trigger();
  Print("menu " + line.rest + ": done");
}

void Open(ScriptRunner& run, const Line& line) {
  const std::optional<hostkit::AssayRecord> record = run.app().database()->Find(line.rest.toLongLong());
  const std::u16string name = Q(record ? record->filename : std::string()).toStdU16String();
  run.app().services().CallService("Main/OpenAssayFile", 0, reinterpret_cast<intptr_t>(name.c_str()));
  Print(QString("open %1: %2").arg(line.rest, run.app().lastViewer() != nullptr ? "shown" : "nothing"));
}

void Profile(ScriptRunner& run, const Line& line) {
  hostkit::ServiceTable& services = run.app().services();
  const QString verb = line.text.section(' ', 0, 0);
  const std::u16string key = line.words.value(0).toStdU16String();
  const auto keyArg = reinterpret_cast<intptr_t>(key.c_str());
  if (verb == "profile-set-int") {
    int value = line.words.value(1).toInt();
    services.CallService("Profile/SetInt", keyArg, reinterpret_cast<intptr_t>(&value));
  } else if (verb == "profile-set-text") {
    const std::u16string value = line.rest.mid(line.words.value(0).size()).trimmed().toStdU16String();
    services.CallService("Profile/SetString", keyArg, reinterpret_cast<intptr_t>(value.c_str()));
  } else {
    int number = 0;
    char16_t buffer[128] = {};
    ProfileTextBuffer text{buffer, 128};
    if (services.CallService("Profile/GetInt", keyArg, reinterpret_cast<intptr_t>(&number)) != 0) {
      Print(line.words.value(0) + " = " + QString::number(number));
    } else if (services.CallService("Profile/GetString", keyArg, reinterpret_cast<intptr_t>(&text)) != 0) {
      Print(line.words.value(0) + " = " + QString::fromStdU16String(buffer));
    } else {
      Print(line.words.value(0) + " is not set");
    }
  }
}

void Services(ScriptRunner& run, const Line&) {
  for (const char* name :
       {"System/GetLanguage", "MainMenu/CreateNewMenu", "DB/GetConnectionUri", "Cfg/DataPath",
        "Main/OpenAssayIdDlgEx", "Main/OpenAssayFile", "Profile/GetInt", "Profile/SetInt",
        "Profile/GetString", "Profile/SetString", "Profile/DelKey", "plug528/MenuCommand"}) {
    Print(QString("service %1: %2").arg(name, run.app().services().ServiceExists(name) ? "yes" : "no"));
  }
  Print(QString("language 0x%1").arg(run.app().languageId(), 4, 16, QChar('0')));
}

void Plugins(ScriptRunner& run, const Line&) {
  for (const auto& plugin : run.app().plugins())
    Print(QString("plugin %1 %2").arg(Q(plugin->shortName()), Q(plugin->path())));
}

void Picture(ScriptRunner& run, const Line& line) {
  const QString what = line.words.value(0);
  QWidget* target = what == "viewer" ? run.app().lastViewer()
                    : what == "main" ? static_cast<QWidget*>(run.app().window())
                                     : FindWidget(what);
  if (target == nullptr || !target->grab().save(line.words.value(1)))
    return run.Fail("no picture " + line.rest);
  Print("picture " + line.words.value(1));
}

// The whole screen as the person sees it: the windows one above another (a display only).
void ScreenPicture(ScriptRunner& run, const Line& line) {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr || !screen->grabWindow(0).save(line.rest)) return run.Fail("no picture " + line.rest);
  Print("picture " + line.rest);
}

// The top-level window of `name` ("main": the host's own window).
QWidget* TopLevel(ScriptRunner& run, const QString& name) {
  QWidget* widget = name == "main" ? static_cast<QWidget*>(run.app().window()) : FindWidget(name);
  return widget != nullptr ? widget->window() : nullptr;
}

// "place NAME": where the window is and which window, if any, the system keeps it above.
void Place(ScriptRunner& run, const Line& line) {
  const QWidget* window = TopLevel(run, line.rest);
  if (window == nullptr) return run.Fail("no window " + line.rest);
  QString over = QStringLiteral("none");
  const QWindow* handle = window->windowHandle();
  if (handle != nullptr && handle->transientParent() != nullptr) {
    over = QStringLiteral("?");
    for (const QWidget* top : QApplication::topLevelWidgets()) {
      if (top->windowHandle() == handle->transientParent())
        over = top == run.app().window() ? "main" : top->objectName();
    }
  }
  const QRect rect = window->geometry();
  Print(QString("place %1 %2 %3 %4 %5 over %6")
            .arg(line.rest)
            .arg(rect.x())
            .arg(rect.y())
            .arg(rect.width())
            .arg(rect.height())
            .arg(over));
}

// "raise NAME": the window brought to the front, as a click on it does.
void Raise(ScriptRunner& run, const Line& line) {
  QWidget* window = TopLevel(run, line.rest);
  if (window == nullptr) return run.Fail("no window " + line.rest);
  window->raise();
  window->activateWindow();
  Print("raise " + line.rest + ": done");
}

void Windows(ScriptRunner&, const Line&) {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->isVisible()) Print(QString("window %1|%2").arg(top->objectName(), top->windowTitle()));
  }
}

void Click(ScriptRunner& run, QWidget* widget, const Line& line) {
  auto* button = qobject_cast<QAbstractButton*>(widget);
  if (button == nullptr) return run.Fail(line.words.value(0) + " is not a button");
  button->click();
  Print("click " + line.words.value(0) + ": done");
}

void Tab(ScriptRunner& run, QWidget* widget, const Line& line) {
  auto* tabs = qobject_cast<QTabWidget*>(widget);
  const int index = line.words.value(1).toInt();
  if (tabs == nullptr || index >= tabs->count())
    return run.Fail(line.words.value(0) + " has no tab " + line.words.value(1));
  tabs->setCurrentIndex(index);
  Print("tab " + line.words.value(0) + " " + tabs->tabText(tabs->currentIndex()));
}

void SetText(ScriptRunner& run, QWidget* widget, const Line& line) {
  auto* edit = qobject_cast<QLineEdit*>(widget);
  if (edit == nullptr) return run.Fail(line.words.value(0) + " is not an edit field");
  // As a person types: the edit's own editing signals follow (textEdited, then
  // editingFinished), which setText alone would not send.
  edit->selectAll();
  edit->insert(line.rest.mid(line.words.value(0).size()).trimmed());
  emit edit->editingFinished();
}

void Text(ScriptRunner&, QWidget* widget, const Line& line) {
  QString value;
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) value = edit->text();
  if (auto* label = qobject_cast<QLabel*>(widget)) value = label->text();
  Print(line.words.value(0) + " = " + value);
}

void Cells(ScriptRunner& run, QWidget* widget, const Line& line) {
  auto* view = qobject_cast<QAbstractItemView*>(widget);
  if (view == nullptr || view->model() == nullptr) return run.Fail(line.words.value(0) + " is not a list");
  // The columns a person sees: a table's hidden columns (width 0) are left out.
  const QAbstractItemModel* model = view->model();
  const auto* table = qobject_cast<QTableView*>(view);
  std::vector<int> shown;
  QStringList captions;
  for (int c = 0; c < model->columnCount(); ++c) {
    if (table != nullptr && table->isColumnHidden(c)) continue;
    shown.push_back(c);
    captions << model->headerData(c, Qt::Horizontal).toString();
  }
  Print(QString("columns %1 %2").arg(line.words.value(0), captions.join('|')));
  for (int r = 0; r < model->rowCount(); ++r) {
    QStringList cells;
    for (int c : shown) cells << model->index(r, c).data().toString();
    Print(QString("cells %1 %2|%3").arg(line.words.value(0)).arg(r).arg(cells.join('|')));
  }
}

// The actions on a control named by the line's first word.
template <void (*Action)(ScriptRunner&, QWidget*, const Line&)>
void OnControl(ScriptRunner& run, const Line& line) {
  QWidget* widget = FindWidget(line.words.value(0));
  if (widget == nullptr) return run.Fail("no control " + line.words.value(0));
  Action(run, widget, line);
}

void Filter(ScriptRunner& run, const Line& line) {
  auto* edit = run.app().window()->findChild<QLineEdit*>(QStringLiteral("filter"));
  QString text = line.rest;
  if (text == "\"\"") text.clear();
  edit->setText(text);
  run.app().window()->Refresh();  // as when the typing pauses
  Print(QString("shown %1").arg(run.app().window()->ShownCount()));
}

void Stats(ScriptRunner&, const Line&) {
  Print(QString("stats %1 %2").arg(SinceStartMs()).arg(ResidentKb()));
}

void Wait(ScriptRunner&, const Line& line) {
  QEventLoop loop;
  QTimer::singleShot(std::max(line.rest.toInt(), 0), &loop, &QEventLoop::quit);
  loop.exec();
}

struct Action {
  const char* verb;
  void (*run)(ScriptRunner&, const Line&);
};

constexpr Action kActions[] = {
    {"import", Import},
    {"list", List},
    {"hide", Flag},
    {"unhide", Flag},
    {"delete", Flag},
    {"restore", Flag},
    {"role", Role},
    {"show", Show},
    {"filter", Filter},
    {"answer-chooser", AnswerChooser},
    {"answer-role", AnswerRole},
    {"choose", Choose},
    {"menu", Menu},
    {"open", Open},
    {"profile-set-int", Profile},
    {"profile-set-text", Profile},
    {"profile-get", Profile},
    {"services", Services},
    {"plugins", Plugins},
    {"picture", Picture},
    {"screen-picture", ScreenPicture},
    {"place", Place},
    {"raise", Raise},
    {"windows", Windows},
    {"click", OnControl<Click>},
    {"tab", OnControl<Tab>},
    {"set-text", OnControl<SetText>},
    {"text", OnControl<Text>},
    {"cells", OnControl<Cells>},
    {"stats", Stats},
    {"wait", Wait},
};

// Prints "question FILE|SAMPLE|ROLE" for each file of a role question, as answered.
void PrintQuestion(const RoleDialog& dialog) {
  const auto* files = dialog.findChild<QTableWidget*>(QStringLiteral("roleFiles"));
  for (int r = 0; files != nullptr && r < files->rowCount(); ++r) {
    const auto* role = qobject_cast<QComboBox*>(files->cellWidget(r, 2));
    Print(QString("question %1|%2|%3")
              .arg(files->item(r, 0)->text(), files->item(r, 1)->text(),
                   role != nullptr ? role->currentText() : ""));
  }
}

// Grabs the dialog into the answer's picture, then ends it.
void Finish(QDialog& dialog, const ScriptRunner::DialogAnswer& answer) {
  if (!answer.picture.isEmpty()) dialog.grab().save(answer.picture);
  if (answer.cancel) {
    dialog.reject();
  } else {
    dialog.accept();
  }
}

}  // namespace

ScriptRunner::ScriptRunner(HostApp& app, QStringList lines) : app_(app), lines_(std::move(lines)) {}

void ScriptRunner::Start() {
  QTimer::singleShot(0, this, [this] { Next(); });
}

void ScriptRunner::Fail(const QString& text) {
  failed_ = true;
  Print("script error: " + text);
}

void ScriptRunner::Drive(QDialog& dialog) {
  // A dialog the script gave no answer for is cancelled: a scripted run never waits.
  const bool chooser = qobject_cast<AssayChooser*>(&dialog) != nullptr;
  std::deque<DialogAnswer>& answers = chooser ? chooserAnswers : roleAnswers;
  DialogAnswer answer{true, 0, std::nullopt, {}};
  if (!answers.empty()) {
    answer = answers.front();
    answers.pop_front();
  }
  QTimer::singleShot(0, &dialog, [&dialog, answer] {
    if (auto* assays = qobject_cast<AssayChooser*>(&dialog); assays != nullptr && !answer.cancel) {
      assays->SelectIds(answer.ids.value_or(std::vector<int>{}));
    } else if (auto* roles = qobject_cast<RoleDialog*>(&dialog)) {
      roles->Pick(answer.role);
      PrintQuestion(*roles);
    }
    Finish(dialog, answer);
  });
}

void ScriptRunner::Next() {
  while (next_ < lines_.size()) {
    const QString text = lines_[next_++].trimmed();
    if (text.isEmpty() || text.startsWith('#')) continue;
    const qsizetype space = text.indexOf(' ');
    const QString verb = space < 0 ? text : text.left(space);
    if (verb == "quit") break;
    Line line{text, space < 0 ? QString() : text.mid(space + 1).trimmed(), {}};
    line.words = line.rest.split(' ', Qt::SkipEmptyParts);
    const Action* action = nullptr;
    for (const Action& candidate : kActions) {
      if (verb == candidate.verb) action = &candidate;
    }
    try {
      if (action == nullptr) {
        Fail("unknown action " + text);
      } else {
        action->run(*this, line);
      }
    } catch (const std::exception& error) {
      Fail(text + ": " + QString::fromUtf8(error.what()));
    }
    QTimer::singleShot(0, this, [this] { Next(); });
    return;
  }
  QApplication::exit(failed_ ? 1 : 0);
}

}  // namespace p528::host
