#include "ui/dialogs/edit_list.h"

#include "grid/grid_rules.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>

#include <algorithm>

namespace p528::ui {

namespace {

Qt::Alignment AlignmentOf(ColumnAlign align) {
  switch (align) {
    case ColumnAlign::Left: return Qt::AlignLeft | Qt::AlignVCenter;
    case ColumnAlign::Right: return Qt::AlignRight | Qt::AlignVCenter;
    case ColumnAlign::Centre: return Qt::AlignHCenter | Qt::AlignVCenter;
  }
  return Qt::AlignLeft | Qt::AlignVCenter;
}

// 0x00BBGGRR; the default marker gives no brush (the list's own colour).
QBrush BrushOf(uint32_t colour) {
  if (colour == kDefaultColour) return QBrush();
  return QBrush(QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                       static_cast<int>((colour >> 16) & 0xFF)));
}

// The in-place editor: a bordered line edit aligned as its column; its text goes to the
// list's owner through EditList::FinishEdit, never straight into the cell.
class CellEditor : public QStyledItemDelegate {
 public:
  explicit CellEditor(EditList* list) : QStyledItemDelegate(list), list_(list) {}
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                        const QModelIndex& index) const override {
    auto* editor = new QLineEdit(parent);
    editor->setObjectName(QString::number(kGridEditCellId));
    editor->setAlignment(static_cast<Qt::Alignment>(index.data(Qt::TextAlignmentRole).toInt()));
    return editor;
  }
  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    auto* line = static_cast<QLineEdit*>(editor);
    line->setText(index.data(Qt::DisplayRole).toString());
    line->selectAll();
  }
  void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
    list_->FinishEdit(index.row(), index.column(), static_cast<QLineEdit*>(editor)->text());
  }

 private:
  EditList* list_;
};

}  // namespace

EditList::EditList(TableModel& model, EditListOwner& owner, QWidget* parent)
    : QTableWidget(parent), model_(model), owner_(owner) {
  setItemDelegate(new CellEditor(this));
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  setShowGrid(true);
  setWordWrap(false);
  setSortingEnabled(false);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionsMovable(false);
  Refresh();
}

void EditList::Refresh() {
  const std::vector<TableColumn>& columns = model_.Columns();
  clearContents();
  setColumnCount(static_cast<int>(columns.size()));
  for (int c = 0; c < columnCount(); ++c) {
    const TableColumn& column = columns[static_cast<std::size_t>(c)];
    auto* header = new QTableWidgetItem(QString::fromStdString(column.caption));
    header->setTextAlignment(AlignmentOf(column.align));
    setHorizontalHeaderItem(c, header);
    // The list's font may be wider than the one the widths were chosen for: a shown
    // column is at least as wide as its caption, a hidden one (width 0) stays hidden.
    const int captionWidth = horizontalHeader()->fontMetrics().horizontalAdvance(header->text()) + 12;
    setColumnWidth(c, column.width > 0 ? std::max(column.width, captionWidth) : 0);
  }
  setRowCount(model_.RowCount());
  for (int r = 0; r < model_.RowCount(); ++r) ShowRow(r);
}

void EditList::ShowRow(int row) {
  const RowData* record = model_.GetRowData(row);
  for (int c = 0; c < model_.ColumnCount(); ++c) {
    QTableWidgetItem* cell = item(row, c);
    if (cell == nullptr) {
      cell = new QTableWidgetItem;
      cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
      cell->setTextAlignment(AlignmentOf(model_.Columns()[static_cast<std::size_t>(c)].align));
      setItem(row, c, cell);
    }
    cell->setText(QString::fromStdString(model_.Cell(row, c)));
    cell->setBackground(BrushOf(record != nullptr ? record->FillColour : kDefaultColour));
    cell->setForeground(BrushOf(record != nullptr ? record->TextColour : kDefaultColour));
  }
}

bool EditList::BeginEdit(int row, int column) {
  if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount()) return false;
  scrollToItem(item(row, column));
  setCurrentCell(row, column);
  return edit(model()->index(row, column), AllEditTriggers, nullptr);
}

bool EditList::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  // The base class is also asked on every click (to pass it to the editor); only a request
  // that would open an editor goes to the owner.
  const bool opening = trigger == AllEditTriggers || (trigger & editTriggers()) != 0;
  if (opening && state() != EditingState && index.isValid() &&
      !owner_.MayEditCell(index.row(), index.column())) {
    return false;
  }
  return QTableWidget::edit(index, trigger, event);
}

void EditList::FinishEdit(int row, int column, const QString& text) {
  EndCellEdit(model_, owner_, row, column, text.toStdString());
  if (row < model_.RowCount()) ShowRow(row);
}

std::vector<int> EditList::SelectedRows() const {
  std::vector<int> rows;
  for (int r = 0; r < rowCount(); ++r) {
    if (selectionModel()->isRowSelected(r, QModelIndex())) rows.push_back(r);
  }
  return rows;
}

}  // namespace p528::ui
