#include "script_runner.h"

#include "host_app.h"
#include "host_window.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

#include <cstdio>

namespace p528::host {

namespace {

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

}  // namespace

ScriptRunner::ScriptRunner(HostApp& app, QStringList lines) : app_(app), lines_(std::move(lines)) {}

void ScriptRunner::Start() {
  QTimer::singleShot(0, this, [this] { Next(); });
}

void ScriptRunner::Fail(const QString& text) {
  failed_ = true;
  Print("script error: " + text);
}

void ScriptRunner::Next() {
  while (next_ < lines_.size()) {
    const QString line = lines_[next_++].trimmed();
    if (line.isEmpty() || line.startsWith('#')) continue;
    bool goOn = true;
    try {
      goOn = Run(line);
    } catch (const std::exception& error) {
      Fail(line + ": " + QString::fromUtf8(error.what()));
    }
    if (!goOn) break;
    QTimer::singleShot(0, this, [this] { Next(); });
    return;
  }
  QApplication::exit(failed_ ? 1 : 0);
}

bool ScriptRunner::Run(const QString& line) {
  const qsizetype space = line.indexOf(' ');
  const QString verb = space < 0 ? line : line.left(space);
  const QString rest = space < 0 ? QString() : line.mid(space + 1).trimmed();
  const QStringList words = rest.split(' ', Qt::SkipEmptyParts);
  HostWindow* window = app_.window();
  hostkit::ServiceTable& services = app_.services();

  if (verb == "quit") return false;
  if (verb == "import") {
    std::vector<std::string> sources;
    for (const QString& word : words) sources.push_back(word.toStdString());
    const hostkit::ImportReport report = window->Import(sources);
    Print(QString("imported %1 skipped %2").arg(report.imported.size()).arg(report.skipped.size()));
  } else if (verb == "list") {
    for (const hostkit::AssayRecord& record : window->ShownRecords()) {
      Print(QString("assay %1|%2|%3|%4|%5")
                .arg(static_cast<qlonglong>(record.id))
                .arg(QString::fromStdString(record.sample), QString::fromStdString(record.role),
                     QString::fromStdString(record.filename), record.hidden ? "hidden" : "shown"));
    }
  } else if (verb == "hide" || verb == "unhide") {
    window->SetHidden(rest.toLongLong(), verb == "hide");
  } else if (verb == "delete") {
    window->Delete(rest.toLongLong(), false);
  } else if (verb == "answer-chooser") {
    ChooserAnswer answer;
    if (words.value(0) == "cancel") {
      answer.cancel = true;
    } else if (words.value(0) != "all") {
      std::vector<int> ids;
      for (const QString& id : words.value(0).split(',', Qt::SkipEmptyParts)) ids.push_back(id.toInt());
      answer.ids = ids;
    }
    if (words.value(1) == "picture") answer.picture = words.value(2);
    app_.chooserAnswers.push_back(answer);
  } else if (verb == "answer-role") {
    RoleAnswer answer;
    if (words.value(0) == "cancel") {
      answer.cancel = true;
    } else if (words.value(0) != "rules") {
      answer.role = aia::RoleFromName(words.value(0).toStdString());
      if (answer.role == 0) Fail("unknown role " + words.value(0));
    }
    if (words.value(1) == "picture") answer.picture = words.value(2);
    if (answer.cancel || words.value(0) == "rules" || answer.role != 0) app_.roleAnswers.push_back(answer);
  } else if (verb == "choose") {
    std::vector<int> ids(static_cast<size_t>(words.isEmpty() ? 256 : std::max(words[0].toInt(), 1)), 0);
    AssayIdRequest request{ids.data(), static_cast<intptr_t>(ids.size())};
    const intptr_t count = services.CallService("Main/OpenAssayIdDlgEx", reinterpret_cast<intptr_t>(&request),
                                                reinterpret_cast<intptr_t>(static_cast<QWidget*>(window)));
    QString text = QString("chosen %1:").arg(count);
    for (intptr_t i = 0; i < count; ++i) text += " " + QString::number(ids[static_cast<size_t>(i)]);
    Print(text);
  } else if (verb == "menu") {
    QAction* action = window->FindMenuAction(rest);
    if (action == nullptr) {
      Fail("no menu item " + rest);
    } else {
      action->trigger();
      Print("menu " + rest + ": done");
    }
  } else if (verb == "open") {
    std::string file;
    for (const hostkit::AssayRecord& record : app_.database()->List(true)) {
      if (record.id == rest.toLongLong()) file = record.filename;
    }
    const std::u16string name = QString::fromStdString(file).toStdU16String();
    services.CallService("Main/OpenAssayFile", 0, reinterpret_cast<intptr_t>(name.c_str()));
    Print(QString("open %1: %2").arg(rest, app_.lastViewer() != nullptr ? "shown" : "nothing"));
  } else if (verb == "profile-set-int" || verb == "profile-set-text" || verb == "profile-get") {
    const std::u16string key = words.value(0).toStdU16String();
    const auto keyArg = reinterpret_cast<intptr_t>(key.c_str());
    if (verb == "profile-set-int") {
      int value = words.value(1).toInt();
      services.CallService("Profile/SetInt", keyArg, reinterpret_cast<intptr_t>(&value));
    } else if (verb == "profile-set-text") {
      const std::u16string value = rest.mid(words.value(0).size()).trimmed().toStdU16String();
      services.CallService("Profile/SetString", keyArg, reinterpret_cast<intptr_t>(value.c_str()));
    } else {
      int number = 0;
      char16_t buffer[128] = {};
      ProfileTextBuffer text{buffer, 128};
      if (services.CallService("Profile/GetInt", keyArg, reinterpret_cast<intptr_t>(&number)) != 0) {
        Print(words.value(0) + " = " + QString::number(number));
      } else if (services.CallService("Profile/GetString", keyArg, reinterpret_cast<intptr_t>(&text)) != 0) {
        Print(words.value(0) + " = " + QString::fromStdU16String(buffer));
      } else {
        Print(words.value(0) + " is not set");
      }
    }
  } else if (verb == "services") {
    for (const char* name :
         {"System/GetLanguage", "MainMenu/CreateNewMenu", "DB/GetConnectionUri", "Cfg/DataPath",
          "Main/OpenAssayIdDlgEx", "Main/OpenAssayFile", "Profile/GetInt", "Profile/SetInt",
          "Profile/GetString", "Profile/SetString", "Profile/DelKey", "plug528/MenuCommand"}) {
      Print(QString("service %1: %2").arg(name, services.ServiceExists(name) ? "yes" : "no"));
    }
    Print(QString("language 0x%1").arg(app_.languageId(), 4, 16, QChar('0')));
  } else if (verb == "plugins") {
    for (const auto& plugin : app_.plugins())
      Print(QString("plugin %1 %2")
                .arg(QString::fromStdString(plugin->shortName()), QString::fromStdString(plugin->path())));
  } else if (verb == "picture") {
    QWidget* target = words.value(0) == "viewer" ? app_.lastViewer()
                      : words.value(0) == "main" ? static_cast<QWidget*>(window)
                                                 : FindWidget(words.value(0));
    if (target == nullptr || !target->grab().save(words.value(1))) {
      Fail("no picture " + rest);
    } else {
      Print("picture " + words.value(1));
    }
  } else if (verb == "windows") {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (top->isVisible()) Print(QString("window %1|%2").arg(top->objectName(), top->windowTitle()));
    }
  } else if (verb == "click" || verb == "text" || verb == "set-text" || verb == "cells" || verb == "tab") {
    QWidget* widget = FindWidget(words.value(0));
    if (widget == nullptr) {
      Fail("no control " + words.value(0));
    } else if (verb == "click") {
      if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->click();
        Print("click " + words.value(0) + ": done");
      } else {
        Fail(words.value(0) + " is not a button");
      }
    } else if (verb == "tab") {
      if (auto* tabs = qobject_cast<QTabWidget*>(widget);
          tabs != nullptr && words.value(1).toInt() < tabs->count()) {
        tabs->setCurrentIndex(words.value(1).toInt());
        Print("tab " + words.value(0) + " " + tabs->tabText(tabs->currentIndex()));
      } else {
        Fail(words.value(0) + " has no tab " + words.value(1));
      }
    } else if (verb == "set-text") {
      const QString value = rest.mid(words.value(0).size()).trimmed();
      if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        // As a person types: the edit's own editing signals follow (textEdited, then
        // editingFinished), which setText alone would not send.
        edit->selectAll();
        edit->insert(value);
        emit edit->editingFinished();
      } else {
        Fail(words.value(0) + " is not an edit field");
      }
    } else if (verb == "text") {
      QString value;
      if (auto* edit = qobject_cast<QLineEdit*>(widget)) value = edit->text();
      if (auto* label = qobject_cast<QLabel*>(widget)) value = label->text();
      Print(words.value(0) + " = " + value);
    } else if (auto* view = qobject_cast<QAbstractItemView*>(widget);
               view != nullptr && view->model() != nullptr) {
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
      Print(QString("columns %1 %2").arg(words.value(0), captions.join('|')));
      for (int r = 0; r < model->rowCount(); ++r) {
        QStringList cells;
        for (int c : shown) cells << model->index(r, c).data().toString();
        Print(QString("cells %1 %2|%3").arg(words.value(0)).arg(r).arg(cells.join('|')));
      }
    } else {
      Fail(words.value(0) + " is not a list");
    }
  } else if (verb == "wait") {
    QEventLoop loop;
    QTimer::singleShot(std::max(rest.toInt(), 0), &loop, &QEventLoop::quit);
    loop.exec();
  } else {
    Fail("unknown action " + line);
  }
  return true;
}

}  // namespace p528::host
