// CDlgOutTable: a result page with one read-only list (control 1040) over a result table
// of the workbench. The page answers none of the grid's notifications, so the list cannot
// be edited or sorted and a double click only selects a row.
#pragma once

#include "grid/qt/grid_ctrl.h"

#include <QWidget>

namespace p528::ui {

class CDlgOutTable final : public QWidget {
  Q_OBJECT

 public:
  CDlgOutTable(TableModel& table, QWidget* parent = nullptr);
  CGridCtrl& Grid() { return *grid_; }
  void Refresh() { grid_->Refresh(); }

 private:
  CGridCtrl* grid_;
};

}  // namespace p528::ui
