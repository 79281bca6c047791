// Shared pieces of the window tests: seams that answer for the person at the desktop, the
// demo set written once per test program with its SQLite assay database, and a fixture that
// opens the main window under the fake host.
#pragma once

#include "e2e/demo_set.h"
#include "shell/text.h"
#include "support/fake_host.h"
#include "support/temp_folder.h"
#include "ui/dialog_seams.h"
#include "ui/main_window.h"
#include "ui/ui_text.h"

#include <unistd.h>
#include <QAbstractButton>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <map>

#include <gtest/gtest.h>
#include <QApplication>
#include <QTest>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace p528::test {

// Records the messages shown; answers the colour chooser with `colour` (none: cancelled).
class RecordingSeams final : public ui::DialogSeams {
 public:
  void ShowMessage(QWidget*, const QString&, const QString& text, MessageKind) override {
    messages.push_back(text);
  }
  std::optional<QColor> ChooseColour(QWidget*, const QColor&) override { return colour; }
  std::optional<QString> AskSaveFileName(QWidget*, const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
  bool OpenWithViewer(const QString&) override { return true; }

  std::vector<QString> messages;
  std::optional<QColor> colour;
};

// Answers "Добавить" with the demo set's ids from its assay database.
inline void OfferDemoSet(FakeHost& host) {
  const WrittenSet& set = DemoSet();
  host.connectionUri = Utf8ToUtf16(set.database);
  host.assayIds = set.ids;
  StoreDemoSettings(host, set);
}

// Waits (on the event loop) for a modal dialog, lets `inspect` look at it and closes it.
inline void InspectModalWhenShown(std::function<void(QWidget&)> inspect) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, timer, [timer, inspect = std::move(inspect)] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    timer->stop();
    timer->deleteLater();
    inspect(*modal);
    if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
  });
  timer->start(10);
}

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(std::string(PLUG528_SOURCE_DIR) + "/data/tqle528data.csv",
                               folder.path() + "/tqle528data.csv");
    host.connectionUri = Utf8ToUtf16(DemoSet().database);  // a real assay database, even when empty-handed
  }
  void TearDown() override { window.reset(); }

  ui::CDarErud528Dlg& Open() {
    shell.databaseLocation = host.connectionUri;
    window = std::make_unique<ui::CDarErud528Dlg>(shell, folder.path() + "/tqle528data.csv", "1.2", &seams);
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    return *window;
  }
  ui::CDarErud528Dlg& OpenWithDemoSet() {
    OfferDemoSet(host);
    Open();
    Click(ui::Id(1000));
    return *window;
  }
  template <class T>
  T* Find(int id) const {
    T* found = window->findChild<T*>(ui::Id(id));
    EXPECT_NE(found, nullptr) << "control " << id;
    return found;
  }
  void Click(const QString& name) const {
    auto* button = window->findChild<QAbstractButton*>(name);
    ASSERT_NE(button, nullptr) << name.toStdString();
    button->click();
  }
  // Row of the file list whose role text is `role`; -1 when none.
  int RowOfRole(const std::string& role) const {
    const TableModel& list = window->GetWorkbench().fileList();
    for (int r = 0; r < list.RowCount(); ++r) {
      if (list.Cell(r, FileColumnRole) == role) return r;
    }
    return -1;
  }
  int Recalculations() const {
    return static_cast<int>(host.CallsOf("CallService", "Profile/DelKey").size());
  }

  FakeHost host;
  Shell shell = host.MakeShell();
  RecordingSeams seams;
  TempFolder folder;
  std::unique_ptr<ui::CDarErud528Dlg> window;
};

}  // namespace p528::test
