// The whole window through the real plug-in module, as a host runs it: dlopen of
// libplug528.so, Load with the in-process host, the modules-loaded event, the menu command,
// "Добавить" answered by the assay dialog with the demo set's ids from its SQLite assay
// database. Every page must then show what the command line computes for the same set. The
// window is a top-level window of its own that the host window owns: nothing keeps it
// above the host window, Unload closes it with its place remembered, and it goes when the
// host window goes.
#include "ui_fixture.h"

#include "calc.h"
#include "shell/host_api.h"
#include "shell/plugin_info.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTabWidget>
#include <QTableView>
#include <QWindow>

#include <dlfcn.h>
#include <fstream>
#include <sstream>

namespace p528::test {
namespace {

using LoadFunction = int (*)(const HostApi*);
using UnloadFunction = int (*)();

// The simdist JSON of the demo set, with the same settings.
QJsonObject SimdistResult(const TempFolder& folder) {
  const WrittenSet& set = DemoSet();
  std::string ids;
  for (int id : set.ids) ids += (ids.empty() ? "" : ",") + std::to_string(id);
  std::vector<std::string> arguments = {
      "--profile", folder / "simdist.profile", "--db", set.database, "--no-summary", "--ids", ids,
      "--json",    folder / "result.json"};
  arguments.insert(arguments.end(), set.settingOptions.begin(), set.settingOptions.end());
  std::ostringstream out, err;
  EXPECT_EQ(simdist::RunCalcCommand(arguments, out, err), 0) << err.str();
  std::ifstream in(folder / "result.json", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return QJsonDocument::fromJson(QByteArray::fromStdString(text.str())).object();
}

// The plug-in's main window among the application's top-level windows.
QDialog* PluginWindow() {
  QDialog* found = nullptr;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->objectName() == "102") found = qobject_cast<QDialog*>(top);
  }
  return found;
}

// The visible columns and cells of a list as the user sees them.
QJsonObject Shown(const QTableView& list) {
  QJsonArray columns;
  QJsonArray rows;
  const QAbstractItemModel& model = *list.model();
  for (int c = 0; c < model.columnCount(); ++c) {
    if (!list.isColumnHidden(c)) columns.append(model.headerData(c, Qt::Horizontal).toString());
  }
  for (int r = 0; r < model.rowCount(); ++r) {
    QJsonArray cells;
    for (int c = 0; c < model.columnCount(); ++c) {
      if (!list.isColumnHidden(c)) cells.append(model.index(r, c).data().toString());
    }
    rows.append(cells);
  }
  return QJsonObject{{"columns", columns}, {"rows", rows}};
}

TEST(ModuleWindow, MenuCommandOpensOneWindowWhosePagesShowTheCalculatedSet) {
  TempFolder folder;
  const QJsonObject expected = SimdistResult(folder);

  FakeHost host;
  OfferDemoSet(host);
  void* module = dlopen(PLUG528_MODULE_FILE, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(module, nullptr) << dlerror();
  auto load = reinterpret_cast<LoadFunction>(dlsym(module, "Load"));
  auto unload = reinterpret_cast<UnloadFunction>(dlsym(module, "Unload"));
  ASSERT_NE(load, nullptr);
  ASSERT_NE(unload, nullptr);
  EXPECT_EQ(load(host.table()), 0);
  host.FireEvent("System/ModulesLoaded");

  auto hostWindow = std::make_unique<QWidget>();
  hostWindow->show();
  host.InvokeService("plug528/MenuCommand", reinterpret_cast<intptr_t>(hostWindow.get()));
  QPointer<QDialog> window = PluginWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  // Neither a child nor a dialog of the host window: the host window can be brought forward.
  EXPECT_EQ(window->parentWidget(), nullptr);
  EXPECT_EQ(window->windowType(), Qt::Window);
  ASSERT_NE(window->windowHandle(), nullptr);
  EXPECT_EQ(window->windowHandle()->transientParent(), nullptr);
  EXPECT_FALSE(window->windowIcon().pixmap(48, 48).isNull());
  EXPECT_TRUE(window->windowTitle().endsWith("1.2 "));

  window->findChild<QAbstractButton*>("1000")->click();
  auto* files = window->findChild<QTableView*>("1012");
  ASSERT_NE(files, nullptr);
  EXPECT_EQ(files->model()->rowCount(), static_cast<int>(DemoSet().ids.size()));

  // Tab index -> the JSON table it shows.
  const std::pair<int, const char*> tablePages[] = {
      {1, "response"}, {3, "repeatability"}, {4, "fractions"}, {5, "reference"}, {6, "iso3405"}};
  auto* tabs = window->findChild<QTabWidget*>("1005");
  ASSERT_NE(tabs, nullptr);
  const QJsonObject tables = expected["tables"].toObject();
  for (const auto& [tab, name] : tablePages) {
    auto* list = tabs->widget(tab)->findChild<QTableView*>("1040");
    ASSERT_NE(list, nullptr) << name;
    EXPECT_EQ(Shown(*list), tables[name].toObject()) << name;
    EXPECT_GT(list->model()->rowCount(), 0) << name;
  }

  auto* points = tabs->widget(0)->findChild<QTableView*>("1101");
  ASSERT_NE(points, nullptr);
  const QJsonArray times = expected["calibration"].toObject()["times"].toArray();
  ASSERT_EQ(points->model()->rowCount(), times.size());
  EXPECT_EQ(points->model()->index(0, 1).data().toString(), QString::asprintf("%.5g", times[0].toDouble()));

  auto* messages = tabs->widget(7)->findChild<QPlainTextEdit*>("1018");
  ASSERT_NE(messages, nullptr);
  QString log = expected["messages"].toObject()["text"].toString();
  EXPECT_EQ(messages->toPlainText(), log.replace("\r\n", "\n"));

  // Closing hides the window; the next command shows the same one again.
  window->close();
  EXPECT_FALSE(window->isVisible());
  host.InvokeService("plug528/MenuCommand", reinterpret_cast<intptr_t>(hostWindow.get()));
  EXPECT_EQ(PluginWindow(), window);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(files->model()->rowCount(), static_cast<int>(DemoSet().ids.size()));

  // The host quits with the window open: Unload closes it, and its place is in the
  // plug-in's settings for the next start; the window goes with the host window.
  window->setGeometry(window->geometry().translated(7, 5));
  const QRect left = window->geometry();
  EXPECT_EQ(unload(), 0);
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(
      host.ProfileText("plugins\\plug528\\settings\\window_main"),
      QString("%1 %2 %3 %4").arg(left.x()).arg(left.y()).arg(left.width()).arg(left.height()).toStdString());
  hostWindow.reset();
  EXPECT_TRUE(window.isNull());
}

}  // namespace
}  // namespace p528::test
