#include "ui/pages/out_table_page.h"

#include "ui/ui_text.h"

#include <QVBoxLayout>

namespace p528::ui {

namespace {
constexpr int kListId = 1040;
}

CDlgOutTable::CDlgOutTable(TableModel& table, QWidget* parent) : QWidget(parent), grid_(new CGridCtrl(this)) {
  grid_->setObjectName(Id(kListId));
  grid_->SetTable(&table);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(grid_);
}

}  // namespace p528::ui
