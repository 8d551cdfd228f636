#include "platform/ui/DBGridModel.h"

#include "platform/ui/DBGrid.h"

namespace fw {

namespace {

Qt::Alignment ToQtAlignment(TAlignment alignment) {
  switch (alignment) {
  case TAlignment::taCenter: return Qt::AlignHCenter | Qt::AlignVCenter;
  case TAlignment::taRightJustify: return Qt::AlignRight | Qt::AlignVCenter;
  default: return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

} // namespace

TDBGridModel::TDBGridModel(TDBGrid& grid) : grid_(grid) {}

int TDBGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int TDBGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(fieldIndex_.size());
}

int TDBGridModel::FieldIndex(int column) const {
  return column >= 0 && column < static_cast<int>(fieldIndex_.size()) ? fieldIndex_[static_cast<size_t>(column)] : -1;
}

QString TDBGridModel::CellText(int row, int column) const {
  TDataSet* ds = DataSet();
  const int field = FieldIndex(column);
  if (!ds || field < 0 || row < 0 || row >= rows_) return QString();
  return ds->Text(row, field);
}

QVariant TDBGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return QVariant();
  switch (role) {
  case Qt::DisplayRole: return CellText(index.row(), index.column());
  case Qt::TextAlignmentRole:
    if (index.column() < grid_.Columns().Count())
      return QVariant::fromValue(ToQtAlignment(grid_.Columns().Items(index.column())->Alignment()));
    return QVariant();
  default: return QVariant();
  }
}

QVariant TDBGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= grid_.Columns().Count()) return QVariant();
  const TColumn* column = grid_.Columns().Items(section);
  switch (role) {
  case Qt::DisplayRole: return column->Title().Caption();
  case Qt::TextAlignmentRole: return QVariant::fromValue(ToQtAlignment(column->Title().Alignment()));
  default: return QVariant();
  }
}

Qt::ItemFlags TDBGridModel::flags(const QModelIndex& index) const {
  // Read-only: cells can be current but never edited.
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void TDBGridModel::MapFields() {
  fieldIndex_.clear();
  TDataSet* ds = Active() ? DataSet() : nullptr;
  const TDBGridColumns& columns = grid_.Columns();
  for (int i = 0; i < columns.Count(); ++i) {
    const TField* field = ds ? ds->FindField(columns.Items(i)->FieldName()) : nullptr;
    fieldIndex_.push_back(field ? field->Index() : -1);
  }
}

void TDBGridModel::Reset() {
  beginResetModel();
  grid_.RefreshDefaultColumns();
  MapFields();
  rows_ = Active() ? DataSet()->RowCount() : 0;
  endResetModel();
}

void TDBGridModel::ColumnsChanged() { Reset(); }

void TDBGridModel::LinkChanged() {
  Reset();
  grid_.DataLinkChanged();
}

void TDBGridModel::DataEvent(const TDataNotice& notice) {
  switch (notice.Event) {
  case TDataEvent::DataSetChange:
    Reset();
    break;
  case TDataEvent::RecordInserted: {
    const int at = std::clamp(notice.Row, 0, rows_);
    beginInsertRows(QModelIndex(), at, at);
    ++rows_;
    endInsertRows();
    break;
  }
  case TDataEvent::RecordDeleted:
    if (notice.Row >= 0 && notice.Row < rows_) {
      beginRemoveRows(QModelIndex(), notice.Row, notice.Row);
      --rows_;
      endRemoveRows();
    }
    break;
  case TDataEvent::RecordChange: {
    const int row = DataSet() ? DataSet()->CurrentRow() : -1;
    if (row >= 0 && row < rows_ && !fieldIndex_.empty())
      emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    break;
  }
  default:
    break;
  }
  grid_.DataLinkEvent(notice);
}

} // namespace fw
