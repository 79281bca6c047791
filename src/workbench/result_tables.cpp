#include "workbench/result_tables.h"

#include "shell/shell.h"

namespace p528 {

namespace {

struct ColumnSpec {
  int textId;  // 0: empty caption
  int width;
  ColumnAlign align = ColumnAlign::Centre;
};

void SetColumns(const Shell& shell, TableModel& table, std::initializer_list<ColumnSpec> columns) {
  table.DeleteAllRows();
  table.DeleteAllColumns();
  for (const ColumnSpec& c : columns) {
    table.AppendColumn(c.textId == 0 ? std::string() : shell.Str(c.textId), c.width, c.align);
  }
}

}  // namespace

void ResultTables::SetUp(const Shell& shell) {
  SetColumns(shell, response,
             {{147, 40}, {148, 180, ColumnAlign::Left}, {149, 95}, {150, 120}, {151, 70}, {152, 70}});
  // Column 0 of the other lists is hidden (width 0): it carries the row.
  SetColumns(shell, repeatability,
             {{0, 0},
              {153, 85},
              {154, 95},
              {155, 95},
              {156, 95},
              {157, 75},
              {158, 50},
              {159, 100},
              {161, 80},
              {160, 90}});
  SetColumns(shell, fractions,
             {{0, 0},
              {162, 130},
              {163, 95},
              {164, 95},
              {165, 95},
              {166, 100},
              {167, 55},
              {168, 100},
              {169, 80},
              {170, 60}});
  SetColumns(shell, reference, {{0, 0}, {171, 85}, {172, 200}, {173, 95}, {174, 100}, {175, 100}, {176, 90}});
  SetColumns(shell, iso3405, {{0, 0}, {177, 120}, {178, 120}, {179, 120}});
}

}  // namespace p528
