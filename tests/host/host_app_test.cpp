// The desktop host through its real binary, headless (offscreen), driven by --script.
#include "chromatogram/chrm_file.h"
#include "chromatogram/chrm_role.h"
#include "host/kit/assay_database.h"
#include "support/classic_netcdf.h"
#include "support/files.h"
#include "support/run_command.h"
#include "support/temp_folder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

namespace p528::test {
namespace {

const std::string kMenu = "Данные/Расчёты/Имитированная дистилляция нефти";
const std::string kDemo = std::string(PLUG528_SOURCE_DIR) + "/data/demo/gasoil";

using HostRun = CommandRun;

// Runs plug528-host with its own database, data folder and profile inside `folder`, the
// script's lines one by one.
HostRun RunHost(const TempFolder& folder, const std::vector<std::string>& script,
                const std::string& arguments = "") {
  const std::string scriptFile = folder / "script.txt";
  std::ofstream file(scriptFile);
  for (const std::string& line : script) file << line << "\n";
  file.close();
  return RunCommand("QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR='" + folder.path() + "' '" +
                    PLUG528_HOST_FILE + "' --db '" + (folder / "assays.db") + "' --data '" +
                    (folder / "data") + "' --profile '" + (folder / "profile") + "' --script '" + scriptFile +
                    "' " + arguments + " 2>/dev/null");
}

bool Has(const HostRun& run, const std::string& text) { return run.out.find(text) != std::string::npos; }

// Every one of `texts` is in what the host printed.
void ExpectPrinted(const HostRun& run, const std::vector<std::string>& texts) {
  for (const std::string& text : texts) EXPECT_TRUE(Has(run, text)) << text << "\nin: " << run.out;
}

std::vector<std::string> ListedIds(const std::string& out) {
  std::vector<std::string> ids;
  const std::regex line("assay (\\d+)\\|");
  for (auto it = std::sregex_iterator(out.begin(), out.end(), line); it != std::sregex_iterator(); ++it)
    ids.push_back((*it)[1]);
  return ids;
}

TEST(DesktopHost, ImportsChoosesRunsThePluginsMenuAndRemembersAcrossARestart) {
  TempFolder folder;
  const std::string plugin = std::string(" '") + PLUG528_MODULE_FILE + "'";
  const HostRun first = RunHost(folder,
                                {"plugins", "import " + kDemo, "list", "menu " + kMenu, "answer-chooser all",
                                 "choose", "answer-chooser cancel", "choose", "answer-chooser all",
                                 "choose 2", "profile-set-int plugins\\plug528\\settings\\num_device 17",
                                 "profile-set-text plugins\\plug528\\paths\\CHRM_GRAD /data/град.chrm"},
                                "--lang ru" + plugin);
  ASSERT_EQ(first.status, 0) << first.out;
  ExpectPrinted(first, {"plugin plug528 ", "imported 7 skipped 0", "menu " + kMenu + ": done"});
  const std::vector<std::string> ids = ListedIds(first.out);
  ASSERT_EQ(ids.size(), 7u);
  std::string all = "chosen 7:";
  for (const std::string& id : ids) all += " " + id;
  EXPECT_TRUE(Has(first, all + "\n")) << first.out;
  EXPECT_TRUE(Has(first, "chosen 0:\n")) << "Cancel chooses nothing";
  EXPECT_TRUE(Has(first, "chosen 2: " + ids[0] + " " + ids[1] + "\n")) << "at most the request's capacity";

  const HostRun second =
      RunHost(folder,
              {"list", "profile-get plugins\\plug528\\settings\\num_device",
               "profile-get plugins\\plug528\\paths\\CHRM_GRAD", "import " + kDemo + "/01_blank.chrm"},
              plugin);
  ASSERT_EQ(second.status, 0) << second.out;
  EXPECT_EQ(ListedIds(second.out), ids);
  ExpectPrinted(second, {"num_device = 17", "CHRM_GRAD = /data/град.chrm"});
  EXPECT_TRUE(Has(second, "imported 0 skipped 1")) << "the same file is registered once";
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// The lines the host's "cells NAME" prints for a table of simdist's JSON `tables`.
std::string CellLines(const std::string& name, const QJsonObject& table) {
  QStringList columns;
  for (const QJsonValue& caption : table["columns"].toArray()) columns << caption.toString();
  std::string lines = "columns " + name + " " + columns.join('|').toStdString() + "\n";
  int row = 0;
  for (const QJsonValue& cells : table["rows"].toArray()) {
    QStringList texts;
    for (const QJsonValue& cell : cells.toArray()) texts << cell.toString();
    lines += "cells " + name + " " + std::to_string(row++) + "|" + texts.join('|').toStdString() + "\n";
  }
  return lines;
}

// Through the plug-in's own window: "Добавить" (1000) answered by the chooser, the file list
// (1012), the reference sample page (tab 5 of 1005) against simdist on the same assays, the
// instrument number (1168), and what a restart restores. The window is a top-level window
// nothing keeps above the host's; left on a screen that is gone, it opens on this one, and
// the host's quit with the window open keeps its place.
TEST(DesktopHost, TheCalculationWindowAddsTheChosenAssaysAndIsRestoredAfterARestart) {
  TempFolder folder;
  const std::string plugin = std::string(" '") + PLUG528_MODULE_FILE + "'";
  const HostRun first =
      RunHost(folder,
              {"import " + kDemo, "list",
               "profile-set-text plugins\\plug528\\settings\\window_main 3000 2000 2400 1400",
               "menu " + kMenu, "answer-chooser all", "click 1000", "cells 1012", "tab 1005 5",
               "cells 1005/1040", "set-text 1168 17", "place 102"},
              "--lang ru" + plugin);
  if (Has(first, "no control 1000")) GTEST_SKIP() << "this build of the plug-in has no main window";
  ASSERT_EQ(first.status, 0) << first.out;
  EXPECT_EQ(Count(first.out, "cells 1012 "), 7) << first.out;

  std::string ids;
  for (const std::string& id : ListedIds(first.out)) ids += (ids.empty() ? "" : ",") + id;
  const HostRun simdist =
      RunCommand(std::string("'") + PLUG528_SIMDIST_FILE + "' calc --lang ru --no-restore " +
                 "--no-summary --profile '" + (folder / "simdist.profile") + "' --db '" +
                 (folder / "assays.db") + "' --ids " + ids + " --json '" + (folder / "result.json") + "'");
  ASSERT_EQ(simdist.status, 0) << simdist.out;
  const std::string text = ReadBytes(folder / "result.json");
  const QJsonObject reference = QJsonDocument::fromJson(QByteArray::fromStdString(text))
                                    .object()["tables"]
                                    .toObject()["reference"]
                                    .toObject();
  ASSERT_FALSE(reference["rows"].toArray().isEmpty()) << text;
  EXPECT_TRUE(Has(first, CellLines("1005/1040", reference))) << first.out;

  std::smatch place;
  ASSERT_TRUE(
      std::regex_search(first.out, place, std::regex("place 102 ((\\d+) (\\d+) \\d+ \\d+) over none\n")))
      << first.out;
  EXPECT_LT(std::stoi(place[2]), 800) << "on the offscreen screen: " << place[1];
  EXPECT_LT(std::stoi(place[3]), 800) << "on the offscreen screen: " << place[1];

  const HostRun second = RunHost(
      folder,
      {"profile-get plugins\\plug528\\settings\\window_main", "menu " + kMenu, "cells 1012", "text 1168"},
      "--lang ru" + plugin);
  ASSERT_EQ(second.status, 0) << second.out;
  EXPECT_TRUE(Has(second, "window_main = " + place[1].str() + "\n")) << second.out;
  EXPECT_EQ(Count(second.out, "cells 1012 "), 4) << second.out;
  for (const char* remembered :
       {"01_blank.chrm", "02_calibration.chrm", "03_check.chrm", "04_reference.chrm"})
    EXPECT_TRUE(Has(second, remembered)) << remembered << " comes back: " << second.out;
  EXPECT_TRUE(Has(second, "1168 = 17")) << second.out;
}

// AIA files of a generated set, imported from the host's script: the role question
// cancelled, answered by the sample name rules kept in the profile, and answered with one
// role; each file registered with the role text its own chromatogram has.
TEST(DesktopHost, ImportsAiaFilesWithTheRoleAskedOrTakenFromTheSampleNameRules) {
  TempFolder folder;
  const std::string set = folder / "set";
  ASSERT_EQ(
      RunCommand(std::string("'") + PLUG528_CHRMGEN_FILE + "' generate gasoil '" + set + "' --aia --no-db")
          .status,
      0);
  const std::string rules = "profile-set-text plug528-host\\aia_role_rules\\";
  // Files that took the host down or held it: each is refused with its reason, the good one
  // after them is registered.
  ASSERT_EQ(::mkfifo((folder / "fifo.cdf").c_str(), 0600), 0);
  std::ofstream(folder / "hdf5.cdf", std::ios::binary)
      << std::string("\x89HDF\r\n\x1a\n", 8) << std::string(600, '\0');
  ClassicFile lying;
  lying.declaredDimensions = uint64_t{1} << 29;
  std::ofstream(folder / "lying.cdf", std::ios::binary) << lying.Bytes();
  const std::string hostile =
      (folder / "fifo.cdf") + " " + (folder / "hdf5.cdf") + " " + (folder / "lying.cdf") + " ";
  const HostRun run =
      RunHost(folder,
              {"answer-role cancel", "import " + set + "/01_blank.cdf", rules + "1 check проверочная",
               rules + "2 calibration ПАРАФИН",  // the first fitting rule wins
               rules + "3 analysis дизельное", "answer-role rules",
               "import " + set + "/02_calibration.cdf " + set + "/03_check.cdf " + set +
                   "/04_reference.cdf " + set + "/05_analysis_1.cdf " + set + "/07_analysis_3.cdf",
               "answer-role reference", "import " + set + "/04_reference.cdf", "answer-role blank",
               "import " + hostile + set + "/01_blank.cdf", "list"},
              "--lang ru");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_TRUE(Has(run, "imported 0 skipped 0\n")) << "Cancel imports nothing: " << run.out;
  EXPECT_TRUE(Has(run, "question 04_reference.cdf|Эталонный газойль, партия №1|эталон\n"))
      << "one role given to each: " << run.out;
  // Each file with its sample and the role the rules propose; none fits: not imported.
  ExpectPrinted(
      run, {"04_reference.cdf: не хроматограмма: no role rule fits the sample", "imported 4 skipped 1\n",
            "question 02_calibration.cdf|Смесь н-парафинов С5–С44|градуировочная\n",
            "question 04_reference.cdf|Эталонный газойль, партия №1|(не импортировать)\n",
            "|Проверочная смесь н-парафинов|#проверочная|" + (folder / "data/03_check.chrm"),
            "|Смесь н-парафинов С5–С44|#градуировочная|",
            "|Дизельное топливо, проба 528|#анализ|" + (folder / "data/07_analysis_3.chrm"),
            "|Эталонный газойль, партия №1|#эталон|", "|Холостой опыт|#холостая|", "imported 1 skipped 3\n",
            "fifo.cdf: ", "is a FIFO", "only the classic netCDF formats are read", "elements in a list"});
  EXPECT_EQ(ListedIds(run.out).size(), 6u) << run.out;
}

// A laboratory's corrections: the list's filter by folder and sample, newest first; a role
// changed in the host's copy and in the database, shown in the interface language; a deleted
// assay shown on request and restored when its content is imported again.
TEST(DesktopHost, RolesAreChangedDeletedAssaysRestoredAndTheListFilteredByFolder) {
  TempFolder folder;
  const HostRun run = RunHost(
      folder,
      {"import " + kDemo, "filter GASOIL", "filter дизельное", "filter \"\"", "role 5 blank", "delete 2",
       "show deleted", "show none", "import " + kDemo + "/02_calibration.chrm", "list", "cells assays"},
      "--lang en");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_TRUE(Has(run, "shown 7\nshown 3\nshown 7\n"))
      << "the set's folder and the sample are found: " << run.out;
  EXPECT_TRUE(Has(run, "role 5: #холостая")) << run.out;
  EXPECT_TRUE(Has(run, "shown 7\nshown 6\n")) << "the deleted assay is shown on request only: " << run.out;
  EXPECT_TRUE(Has(run, "confirm: The content of " + kDemo +
                           "/02_calibration.chrm is already registered as the "
                           "deleted or hidden assay 2. Restore assay 2?"))
      << run.out;
  EXPECT_EQ(ListedIds(run.out), (std::vector<std::string>{"7", "6", "5", "4", "3", "2", "1"}))
      << "newest first, the restored one among them";
  const std::string copy = folder / "data/gasoil/05_analysis_1.chrm";
  EXPECT_TRUE(Has(run, "assay 5|Дизельное топливо, проба 528|#холостая|" + copy + "|shown")) << run.out;
  ChrmFile file;
  ASSERT_EQ(file.LoadFromFile(copy), 0);
  EXPECT_EQ(PassportRoleText(file), "#холостая") << "the host's copy carries the new role";
  ASSERT_EQ(file.LoadFromFile(kDemo + "/05_analysis_1.chrm"), 0);
  EXPECT_EQ(PassportRoleText(file), "#анализ") << "the imported original is never written";
  EXPECT_TRUE(Has(run, "|blank|gasoil/05_analysis_1.chrm\n"))
      << "the role in the interface language: " << run.out;
}

// The first start of an installed host: an empty database is offered the demonstration sets
// once, a new profile has every report section on; the window's place is kept.
TEST(DesktopHost, TheFirstStartOffersTheDemoOnceTurnsTheReportSectionsOnAndTheWindowKeepsItsPlace) {
  TempFolder folder;
  const std::string demo = " --demo '" + std::string(PLUG528_SOURCE_DIR) + "/data/demo'";
  const HostRun first = RunHost(folder,
                                {"profile-get plugins\\plug528\\settings\\flag_files",
                                 "profile-get plugins\\plug528\\settings\\flag_msgs"},
                                "--lang ru" + demo);
  ASSERT_EQ(first.status, 0) << first.out;
  EXPECT_TRUE(Has(first, "confirm: Список анализов пуст. Импортировать демонстрационные наборы"))
      << first.out;
  ExpectPrinted(first, {"flag_files = 1", "flag_msgs = 1"});
  const HostRun second =
      RunHost(folder, {"delete 1", "profile-get plug528-host\\window_geometry"}, "--lang ru" + demo);
  EXPECT_FALSE(Has(second, "confirm: Список анализов пуст")) << "asked once: " << second.out;
  EXPECT_TRUE(Has(second, "window_geometry = ")) << "the window's place is kept: " << second.out;
  EXPECT_GE(hostkit::AssayDatabase(folder / "assays.db").Count({}), 15);
}

TEST(DesktopHost, PluginsThatDoNotLoadAreReportedAndTheHostRunsOn) {
  TempFolder folder;
  std::ofstream(folder / "text.so") << "not a library";
  const HostRun run = RunHost(folder, {"services"},
                              "--lang en '" + (folder / "missing.so") + "' '" + (folder / "text.so") + "' '" +
                                  PLUG528_WITHOUT_LOAD_FILE + "' '" + PLUG528_THROWING_LOAD_FILE + "'");
  ASSERT_EQ(run.status, 0) << run.out;
  ExpectPrinted(
      run, {"missing.so was not loaded: no such file",
            "text.so was not loaded: ", "was not loaded: the library does not export Load",
            "was not loaded: its Load failed: the plug-in cannot start", "service Main/OpenAssayIdDlgEx: yes",
            "service plug528/MenuCommand: no", "language 0x0409"});
}

TEST(DesktopHost, AFileThatIsNotAnAssayDatabaseStopsTheStartAndIsLeftAlone) {
  TempFolder folder;
  std::ofstream(folder / "assays.db") << "laboratory notes";
  const HostRun run = RunHost(folder, {"list"}, "--lang en");
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Has(run, "assays.db could not be opened")) << run.out;
  std::ifstream in(folder / "assays.db");
  std::string content;
  std::getline(in, content);
  EXPECT_EQ(content, "laboratory notes");
}

TEST(DesktopHost, TheViewerShowsAChromatogramOrWhyItDoesNotRead) {
  TempFolder folder;
  std::ofstream(folder / "damaged.chrm") << "STG";
  hostkit::AssayDatabase(folder / "assays.db")
      .WriteRows({{1, folder / "damaged.chrm", "", 0, "", false, false, ""},
                  {2, kDemo + "/05_analysis_1.chrm", "", 0, "", false, false, ""}});
  const HostRun run =
      RunHost(folder, {"open 1", "text viewerProblem", "open 2", "cells viewerPeaks"}, "--lang en");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_TRUE(Has(run, "damaged.chrm could not be read: the file header is short")) << run.out;
  EXPECT_TRUE(Has(run, "cells viewerPeaks 0|")) << "the peak table is filled: " << run.out;
}

TEST(DesktopHost, APluginsWindowOutlivesNoneOfItsCodeAtExit) {
  TempFolder folder;
  const HostRun run = RunHost(folder, {"menu Test/Open window", "menu Test/Open window"},
                              std::string("'") + PLUG528_WINDOW_PLUGIN_FILE + "'");
  EXPECT_EQ(run.status, 0) << "the host must end cleanly: " << run.out;
  EXPECT_TRUE(Has(run, "menu Test/Open window: done")) << run.out;
}

// "Анализ → Обработать последовательность…" over the assays shown: simdist batch in its own
// process, the summary window with the sample's row, the files in the run's folder.
TEST(DesktopHost, TheSequenceCommandCalculatesTheShownAssaysAndShowsTheSummary) {
  TempFolder folder;
  const HostRun run =
      RunHost(folder,
              {"import " + kDemo, "profile-set-text plugins\\plug528\\settings\\time_C1 0.528",
               "profile-set-text plugins\\plug528\\settings\\time_C2 0.555",
               "profile-set-text plugins\\plug528\\settings\\time_C3 0.640",
               "profile-set-text plugins\\plug528\\settings\\time_C4 2.168",
               "menu Анализ/Обработать последовательность…", "cells sequenceSamples"},
              "--lang ru");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_TRUE(Has(run, "columns sequenceSamples Проба|Результат|Тнк, °C|Ткк, °C|Повторяемость|Ошибки|"))
      << run.out;
  EXPECT_TRUE(Has(run, "cells sequenceSamples 0|Дизельное топливо, проба 528|рассчитана|")) << run.out;
  EXPECT_FALSE(Has(run, "cells sequenceSamples 1|")) << "one sample in the gas oil set";
  std::error_code ec;
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder / "sequences", ec)) {
    files += entry.path().extension() == ".json" || entry.path().extension() == ".html" ? 1 : 0;
  }
  EXPECT_EQ(files, 3) << "the sample's JSON and report, the summary's JSON";
}

}  // namespace
}  // namespace p528::test
