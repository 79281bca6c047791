#include "grid/qt/grid_ctrl.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>

#include <algorithm>

namespace p528 {

namespace {

QColor ColourOf(uint32_t colour) {
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

Qt::Alignment AlignmentOf(ColumnAlign align) {
  switch (align) {
    case ColumnAlign::Left: return Qt::AlignLeft | Qt::AlignVCenter;
    case ColumnAlign::Right: return Qt::AlignRight | Qt::AlignVCenter;
    case ColumnAlign::Centre: break;
  }
  return Qt::AlignCenter;
}

bool SameColumns(const std::vector<TableColumn>& a, const std::vector<TableColumn>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].caption != b[i].caption || a[i].width != b[i].width || a[i].align != b[i].align) return false;
  }
  return true;
}

}  // namespace

// ---- GridItemModel ----

void GridItemModel::SetTable(const TableModel* table) {
  beginResetModel();
  table_ = table;
  rows_ = table_ != nullptr ? table_->RowCount() : 0;
  columns_ = table_ != nullptr ? table_->Columns() : std::vector<TableColumn>{};
  endResetModel();
}

void GridItemModel::Refresh() {
  const int rows = table_ != nullptr ? table_->RowCount() : 0;
  const std::vector<TableColumn> columns = table_ != nullptr ? table_->Columns() : std::vector<TableColumn>{};
  if (rows != rows_ || !SameColumns(columns, columns_)) {
    beginResetModel();
    rows_ = rows;
    columns_ = columns;
    endResetModel();
    return;
  }
  if (rows_ > 0 && !columns_.empty()) {
    emit dataChanged(index(0, 0), index(rows_ - 1, static_cast<int>(columns_.size()) - 1));
  }
}

int GridItemModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int GridItemModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant GridItemModel::data(const QModelIndex& index, int role) const {
  if (table_ == nullptr || !index.isValid()) return {};
  const int row = index.row();
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: return QString::fromStdString(table_->Cell(row, column));
    case Qt::TextAlignmentRole:
      if (column < static_cast<int>(columns_.size()))
        return QVariant::fromValue(AlignmentOf(columns_[static_cast<std::size_t>(column)].align));
      return {};
    case Qt::ForegroundRole:
    case Qt::BackgroundRole: {
      const RowData* data = table_->GetRowData(row);
      if (data == nullptr) return {};
      const uint32_t colour = role == Qt::ForegroundRole ? data->TextColour : data->FillColour;
      if (colour == kDefaultColour) return {};
      return ColourOf(colour);
    }
    default: return {};
  }
}

QVariant GridItemModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= static_cast<int>(columns_.size())) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  const TableColumn& column = columns_[static_cast<std::size_t>(section)];
  if (role == Qt::DisplayRole) return QString::fromStdString(column.caption);
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(AlignmentOf(column.align));
  return {};
}

// ---- CGridCtrlEditCell ----

CGridCtrlEditCell::CGridCtrlEditCell(CGridCtrl& grid, int row, int column, const QString& text)
    : QLineEdit(text, grid.viewport()), EditRow(row), EditColumn(column), EditText(text), grid_(grid) {
  setObjectName(QString::number(kGridEditCellId));
  setFont(grid.font());
}

void CGridCtrlEditCell::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    // The focus goes back to the list, which ends the edit; a window without the focus
    // (hidden, or not active) ends it at once all the same.
    case Qt::Key_Escape:
      EditCancelled = true;
      grid_.setFocus();
      End();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      grid_.setFocus();
      End();
      return;
    default: QLineEdit::keyPressEvent(event);
  }
}

void CGridCtrlEditCell::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  End();
}

void CGridCtrlEditCell::End() {
  if (ended_) return;
  ended_ = true;
  std::optional<std::string> result;
  if (!EditCancelled) result = text().toStdString();
  hide();
  grid_.EndEdit(EditRow, EditColumn, std::move(result));
  deleteLater();
}

void CGridCtrlEditCell::Drop() {
  if (ended_) return;
  ended_ = true;
  hide();
  deleteLater();
}

// ---- CGridCtrl ----

CGridCtrl::CGridCtrl(QWidget* parent) : QTableView(parent) {
  setModel(&model_);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setShowGrid(true);
  setWordWrap(false);
  setSortingEnabled(false);
  // Tab leaves the list for the next control, as in every other list of the desktop.
  setTabKeyNavigation(false);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionsClickable(true);
  horizontalHeader()->setSectionsMovable(false);
  horizontalHeader()->setStretchLastSection(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
  horizontalHeader()->viewport()->installEventFilter(this);
  connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &CGridCtrl::OnHeaderClicked);
  connect(horizontalHeader(), &QHeaderView::sectionResized, this, &CGridCtrl::OnSectionResized);
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this](const QItemSelection& selected, const QItemSelection&) {
            std::vector<int> rows;
            for (const QModelIndex& index : selected.indexes()) {
              if (index.column() == 0) rows.push_back(index.row());
            }
            GridOwner& owner = owner_ != nullptr ? *owner_ : silent_;
            for (int row : rows) owner.OnGridRowSelected(row, 0);
          });
}

CGridCtrl::~CGridCtrl() {
  // An editor still open must not report into a grid (or an owner) being destroyed.
  DropOpenEdit();
}

void CGridCtrl::EndOpenEdit() {
  CGridCtrlEditCell* editor = editor_;  // deleted only later, on the event loop
  if (editor == nullptr) return;
  if (editor->hasFocus()) setFocus();  // the focus stays in the list
  editor->End();                       // nothing more when losing the focus ended it
}

void CGridCtrl::DropOpenEdit() {
  if (editor_ == nullptr) return;
  CGridCtrlEditCell* editor = editor_;
  editor_ = nullptr;
  editor->Drop();
}

void CGridCtrl::SetTable(TableModel* table) {
  table_ = table;
  if (table_ != nullptr) {
    // The model may outlive this window: the callback checks that the grid still exists.
    QPointer<CGridCtrl> self(this);
    table_->onChanged = [self] {
      if (self) self->ScheduleRefresh();
    };
  }
  model_.SetTable(table_);
  ApplyColumns();
}

void CGridCtrl::ScheduleRefresh() {
  if (refreshPending_) return;
  refreshPending_ = true;
  QTimer::singleShot(0, this, [this] {
    if (refreshPending_) Refresh();
  });
}

void CGridCtrl::Refresh() {
  refreshPending_ = false;
  model_.Refresh();
  ApplyColumns();
}

void CGridCtrl::ApplyColumns() {
  if (table_ == nullptr) return;
  restoringWidth_ = true;
  const std::vector<TableColumn>& columns = table_->Columns();
  for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
    const int width = columns[static_cast<std::size_t>(c)].width;
    // A width-0 column carries data but is never shown, so it can never be dragged open.
    setColumnHidden(c, width <= 0);
    // The widths were chosen for a narrower dialog font: a caption is never cut off.
    const int shown = std::max(width, horizontalHeader()->sectionSizeHint(c));
    if (width > 0 && columnWidth(c) != shown && !userWidths_.contains(c)) setColumnWidth(c, shown);
  }
  restoringWidth_ = false;
  StretchToFit();
}

void CGridCtrl::DeleteAllRows() {
  if (table_ != nullptr) table_->DeleteAllRows();
  Refresh();
}

std::string CGridCtrl::GetColumnCaption(int column) const {
  if (column < 0 || column >= model_.columnCount()) return {};
  return model_.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString().left(511).toStdString();
}

bool CGridCtrl::BeginEdit(int row, int column) {
  if (table_ == nullptr || row < 0 || column < 0 || row >= model_.rowCount() ||
      column >= model_.columnCount()) {
    return false;
  }
  const QModelIndex index = model_.index(row, column);
  scrollTo(index);
  GridOwner& owner = owner_ != nullptr ? *owner_ : silent_;
  if (owner.OnGridBeginEdit(row, column) == 0) return false;
  EndOpenEdit();  // ends the open edit first
  const QRect rect = visualRect(index).adjusted(0, -2, 0, 2);
  auto* editor = new CGridCtrlEditCell(*this, row, column, QString::fromStdString(table_->Cell(row, column)));
  const QVariant align = model_.data(index, Qt::TextAlignmentRole);
  if (align.isValid()) editor->setAlignment(align.value<Qt::Alignment>());
  editor->setGeometry(rect);
  editor_ = editor;
  editor->show();
  editor->setFocus();
  editor->selectAll();
  return true;
}

void CGridCtrl::EndEdit(int row, int column, std::optional<std::string> text) {
  editor_ = nullptr;
  if (table_ == nullptr) return;
  const std::string old = table_->Cell(row, column);
  if (!EditChangesCell(text, old)) return;
  table_->SetCell(row, column, *text);
  GridOwner& owner = owner_ != nullptr ? *owner_ : silent_;
  if (owner.OnGridCellChanged(row, column) == 0) table_->SetCell(row, column, old);
  Refresh();
}

void CGridCtrl::StretchToFit() {
  if (table_ == nullptr || StretchColumn < 0 || StretchColumn >= model_.columnCount()) return;
  std::vector<int> widths;
  for (int c = 0; c < model_.columnCount(); ++c) widths.push_back(isColumnHidden(c) ? 0 : columnWidth(c));
  const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  const std::optional<int> width =
      StretchedWidth(widths, StretchColumn, this->width(), verticalScrollBar()->isVisible(), bar);
  if (!width) return;
  restoringWidth_ = true;
  setColumnWidth(StretchColumn, *width);
  restoringWidth_ = false;
}

std::vector<int> CGridCtrl::SelectedRows() const {
  // A row counts as selected when any of its cells is (the hidden columns may not be).
  std::vector<int> rows;
  for (const QModelIndex& index : selectionModel()->selectedIndexes()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

void CGridCtrl::OnHeaderClicked(int column) {
  const bool ascending = NextSortAscending(Sort, column);
  if (!HeaderClicksAllowed) return;
  Sort.SortColumn = column;
  Sort.SortAscending = ascending;
  GridOwner& owner = owner_ != nullptr ? *owner_ : silent_;
  Sort.SortKind = owner.OnGridSort(column, ascending);
  if (Sort.SortKind == SortNone || table_ == nullptr) return;
  horizontalHeader()->setSortIndicatorShown(true);
  horizontalHeader()->setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
  SortRows(*table_, column, Sort.SortKind, ascending);
  Refresh();
}

void CGridCtrl::OnSectionResized(int column, int oldWidth, int /*newWidth*/) {
  if (restoringWidth_ || !headerPressed_) return;
  GridOwner& owner = owner_ != nullptr ? *owner_ : silent_;
  if (resizeColumn_ != column) {
    resizeColumn_ = column;
    resizeStartWidth_ = oldWidth;
    resizeRefused_ = oldWidth == 0 || owner.OnGridBeginResize(column) != 0;
  }
  if (resizeRefused_) {
    restoringWidth_ = true;
    setColumnWidth(column, resizeStartWidth_);
    restoringWidth_ = false;
    return;
  }
  userWidths_.insert(column);
}

bool CGridCtrl::eventFilter(QObject* watched, QEvent* event) {
  if (watched == horizontalHeader()->viewport()) {
    if (event->type() == QEvent::MouseButtonPress) {
      headerPressed_ = true;
      resizeColumn_ = -1;
    } else if (event->type() == QEvent::MouseButtonRelease) {
      headerPressed_ = false;
      const int column = resizeColumn_;
      resizeColumn_ = -1;
      if (column >= 0 && !resizeRefused_) {
        GridOwner& owner = owner_ != nullptr ? *owner_ : silent_;
        if (owner.OnGridEndResize(column, columnWidth(column)) == 1) {
          restoringWidth_ = true;
          setColumnWidth(column, resizeStartWidth_);
          restoringWidth_ = false;
        } else {
          StretchToFit();
        }
      }
    }
  }
  return QTableView::eventFilter(watched, event);
}

void CGridCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  const int row = index.isValid() ? index.row() : -1;
  const int column = index.isValid() ? index.column() : -1;
  GridOwner& owner = owner_ != nullptr ? *owner_ : silent_;
  int result = 0;
  owner.OnGridDoubleClick(row, column, result);
  if (result != 0 || row < 0) return;
  if (currentIndex().row() == row) {
    BeginEdit(row, column);
  } else {
    setCurrentIndex(index);
    selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  }
}

void CGridCtrl::contextMenuEvent(QContextMenuEvent* event) {
  std::optional<ScreenPoint> mouse;
  if (event->reason() == QContextMenuEvent::Mouse)
    mouse = ScreenPoint{event->globalPos().x(), event->globalPos().y()};
  const QPoint corner = viewport()->mapToGlobal(QPoint(0, 0));
  const ScreenPoint point = ContextMenuPoint(mouse, ScreenPoint{corner.x(), corner.y()});
  GridOwner& owner = owner_ != nullptr ? *owner_ : silent_;
  owner.OnGridContextMenu(point.x, point.y);
}

void CGridCtrl::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  StretchToFit();
}

void CGridCtrl::scrollContentsBy(int dx, int dy) {
  // Scrolling closes an open editor first (as if it lost the focus to the grid).
  EndOpenEdit();
  QTableView::scrollContentsBy(dx, dy);
}

void CGridCtrl::keyPressEvent(QKeyEvent* event) {
  emit KeyDown(event->key());
  QTableView::keyPressEvent(event);
}

}  // namespace p528
