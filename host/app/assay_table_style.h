// The look and behaviour every assay table of the host shares (the main window's list and
// the chooser's): whole rows selected, several at a time, read only, one text line per row,
// long file names shortened in the middle; the columns as wide as their usual texts (a list
// read lazily is never walked through to measure it).
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
  table.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  // Id, sample, analysis time, role; the file takes the rest.
  const QFontMetrics metrics = table.fontMetrics();
  const char* const widest[] = {"0000000", "Дизельное топливо, проба 528", "00.00.0000 00:00  ",
                                "градуировочная  "};
  for (int column = 0; column < 4; ++column)
    table.setColumnWidth(column, metrics.horizontalAdvance(QString::fromUtf8(widest[column])) + 16);
}

}  // namespace p528::host
