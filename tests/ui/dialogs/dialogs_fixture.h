// Shared pieces of the dialog tests: a workbench over the fake host with its own copy of
// the component table, seams that answer in place of a person, and the few gestures the
// tests make (typing into a field, editing a list cell, acting on a modal dialog).
#pragma once

#include "support/files.h"
#include "support/temp_folder.h"
#include "ui/dialog_seams.h"
#include "ui/dialogs/edit_grid.h"
#include "workbench/workbench_fixture.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <functional>
#include <iterator>

namespace p528::test {

class RecordingSeams : public ui::DialogSeams {
 public:
  void ShowMessage(QWidget*, const QString& caption, const QString& text, MessageKind) override {
    messages.push_back(caption.toStdString() + ": " + text.toStdString());
  }
  std::optional<QColor> ChooseColour(QWidget*, const QColor&) override { return std::nullopt; }
  std::optional<QString> AskSaveFileName(QWidget*, const QString&, const QString& defaultName,
                                         const QString& filter) override {
    offeredNames.push_back(defaultName.toStdString());
    filters.push_back(filter.toStdString());
    if (saveAnswer.empty()) return std::nullopt;
    return QString::fromStdString(saveAnswer);
  }
  bool OpenWithViewer(const QString& path) override {
    opened.push_back(path.toStdString());
    return viewerStarts;
  }

  std::vector<std::string> messages;
  std::vector<std::string> offeredNames;
  std::vector<std::string> filters;
  std::string saveAnswer;  // "" cancels the save dialog
  std::vector<std::string> opened;
  bool viewerStarts = true;  // false: the desktop has no viewer to start
};

// A workbench whose component table is a copy in a temporary folder (the tests may save it).
class DialogsTest : public WorkbenchTest {
 protected:
  Workbench& StartWith(const std::string& componentSource = std::string(PLUG528_SOURCE_DIR) +
                                                            "/data/tqle528data.csv") {
    shell.uiLangId = kLangRussian;  // as the plug-in's Load asks the host
    componentFile = files.Copy(componentSource, "tqle528data.csv");
    workbench = std::make_unique<Workbench>(shell, componentFile, &user);
    workbench->Initialise(false, false);
    return *workbench;
  }
  std::optional<std::string> Setting(const std::string& key) const {
    return host.ProfileText("plugins\\plug528\\settings\\" + key);
  }
  std::optional<int> SettingInt(const std::string& key) const {
    return host.ProfileInt("plugins\\plug528\\settings\\" + key);
  }

  TempFolder files;
  std::string componentFile;
  RecordingSeams seams;
};

template <class T>
T* Child(QWidget& parent, const char* objectName) {
  T* child = parent.findChild<T*>(QString::fromLatin1(objectName));
  EXPECT_NE(child, nullptr) << objectName;
  return child;
}

// Types `text` key by key into the field, as a person does.
inline void Type(QLineEdit* edit, const char* text) { QTest::keyClicks(edit, QString::fromUtf8(text)); }

// Double-click equivalent on a cell, then the new text and Enter; false when the list's
// owner refused the edit.
inline bool EditCell(CGridCtrl& list, int row, int column, const QString& text) {
  if (!list.BeginEdit(row, column) || list.Editor() == nullptr) return false;
  list.Editor()->setText(text);
  QTest::keyClick(list.Editor(), Qt::Key_Return);
  QApplication::processEvents();
  return true;
}

// The text a list shows in a cell.
inline QString Shown(const CGridCtrl& list, int row, int column) {
  return list.model()->index(row, column).data().toString();
}

// Runs `act` on the modal dialog the command under test opens (once its loop runs).
template <class Dialog>
void WhenModal(std::function<void(Dialog&)> act) {
  QTimer::singleShot(0, [act] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) {
      ADD_FAILURE() << "no modal dialog of the expected kind";
      if (auto* other = qobject_cast<QDialog*>(QApplication::activeModalWidget())) other->reject();
      return;
    }
    act(*dialog);
  });
}

}  // namespace p528::test
