// The look and behaviour every assay table of the host shares (the main window's list and
// the chooser's): whole rows selected, several at a time, read only, one text line per row,
// long file names shortened in the middle; columns fitted to the rows on show (a list read
// lazily is never walked through to measure it).
#pragma once

#include <QHeaderView>
#include <QTableView>

namespace p528::host {

inline void StyleAssayTable(QTableView& table) {
  table.setSelectionBehavior(QAbstractItemView::SelectRows);
  table.setSelectionMode(QAbstractItemView::ExtendedSelection);
  table.setEditTriggers(QAbstractItemView::NoEditTriggers);
  table.verticalHeader()->hide();
  table.verticalHeader()->setDefaultSectionSize(table.fontMetrics().height() + 6);
  table.setWordWrap(false);
  table.setTextElideMode(Qt::ElideMiddle);
  table.horizontalHeader()->setStretchLastSection(true);
  table.horizontalHeader()->setResizeContentsPrecision(0);
  table.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}

}  // namespace p528::host
