#include "ui/pages/out_table_page.h"

#include "ui/control_ids.h"
#include "ui/ui_text.h"

#include <QVBoxLayout>

namespace p528::ui {

CDlgOutTable::CDlgOutTable(TableModel& table, QWidget* parent) : QWidget(parent), grid_(new CGridCtrl(this)) {
  grid_->setObjectName(Id(control::table_page::kList));
  grid_->SetTable(&table);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(grid_);
}

}  // namespace p528::ui
