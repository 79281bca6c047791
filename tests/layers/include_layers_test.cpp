// The layers the build enforces: every #include of src/, host/ and tools/ stays within the
// folders that layers.txt allows; and the check itself refuses a forbidden include.
#include "layers/include_layers.h"

#include "support/files.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace p528::test {
namespace {

LayerTable TheTable() { return ParseLayerTable(ReadBytes(PLUG528_SOURCE_DIR "/tests/layers/layers.txt")); }

TEST(IncludeLayers, TheTreeKeepsItsLayers) {
  const std::vector<std::string> found = ForbiddenIncludes(PLUG528_SOURCE_DIR, TheTable());
  std::string list;
  for (const std::string& line : found) list += line + "\n";
  EXPECT_TRUE(found.empty()) << list;
}

TEST(IncludeLayers, RefusesWhatALayerMayNotInclude) {
  TempFolder tree;
  WriteBytes(tree / "src/engine/tables/table.cpp", "#include \"engine/analysis.h\"\n#include <vector>\n");
  WriteBytes(tree / "src/engine/analysis.cpp",
             "#include \"engine/analysis.h\"\n#include \"shell/text.h\"\n  #  include \"chart/chart.h\"\n");
  WriteBytes(tree / "src/chart/chart.cpp", "#include \"chart/qt/chart_png.h\"\n#include <QImage>\n");
  WriteBytes(tree / "src/chart/qt/chart_png.cpp", "#include \"chart/chart.h\"\n#include <QImage>\n");
  WriteBytes(
      tree / "src/engine/steps.cpp",
      "#include \"shell/shell.h\"\n#include \"shell/strings/ru/x.h\"\n#include \"lists/table_model.h\"\n");
  WriteBytes(tree / "src/grid/grid_rules.cpp", "#include \"grid/qt/grid_ctrl.h\"\n");
  WriteBytes(tree / "src/newfolder/x.cpp", "#include \"shell/text.h\"\n");
  WriteBytes(tree / "tools/simdist/calc.cpp", "#include \"calc.h\"\n#include \"report/make_report.h\"\n");
  WriteBytes(tree / "tools/chrmgen/x.cpp", "#include \"engine/analysis.h\"\n");
  EXPECT_EQ(ForbiddenIncludes(tree.path(), TheTable()),
            (std::vector<std::string>{
                "src/chart/chart.cpp:1: includes \"chart/qt/chart_png.h\" (chart/qt)",
                "src/chart/chart.cpp:2: includes <QImage> (Qt)",
                "src/engine/analysis.cpp:3: includes \"chart/chart.h\" (chart)",
                "src/engine/steps.cpp:1: includes \"shell/shell.h\" (refused in engine)",
                "src/engine/steps.cpp:2: includes \"shell/strings/ru/x.h\" (refused in engine)",
                "src/engine/steps.cpp:3: includes \"lists/table_model.h\" (lists)",
                "src/grid/grid_rules.cpp:1: includes \"grid/qt/grid_ctrl.h\" (grid/qt)",
                "src/newfolder/x.cpp: in a folder that layers.txt does not name",
                "tools/chrmgen/x.cpp:1: includes \"engine/analysis.h\" (engine)",
            }));
}

TEST(IncludeLayers, TableNamesOnlyKnownLayers) {
  EXPECT_THROW(ParseLayerTable("engine: shell\n"), std::runtime_error);
  EXPECT_THROW(ParseLayerTable("engine shell\n"), std::runtime_error);
  const LayerTable table = ParseLayerTable("shell:  # the bottom\nengine: shell qt !shell/shell.h\n");
  EXPECT_TRUE(table.at("engine").qt);
  EXPECT_EQ(table.at("engine").mayInclude, std::set<std::string>{"shell"});
  EXPECT_EQ(table.at("engine").refused, std::set<std::string>{"shell/shell.h"});
}

}  // namespace
}  // namespace p528::test
