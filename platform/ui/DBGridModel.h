#pragma once
// The Qt model behind TDBGrid: a table over the rows of the grid's data set, read on
// demand through TDataSet::RowCount/Text (nothing is copied, so a list of 100,000 rows
// opens and scrolls as fast as the rows it shows), one model column per grid column.
// It follows the data set through its data source: a new snapshot, sort or filter
// resets the model, an inserted or deleted row is inserted or removed, a changed
// record repaints its row, a scroll moves the grid's current row.

#include "platform/db/DataSource.h"

#include <QAbstractTableModel>
#include <vector>

namespace fw {

class TDBGrid;

class TDBGridModel : public QAbstractTableModel, public TDataLink {
public:
  explicit TDBGridModel(TDBGrid& grid);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // The text of grid column `column` in row `row` (0-based, data-set order).
  QString CellText(int row, int column) const;
  // The data set's field index shown by a grid column (-1 when none).
  int FieldIndex(int column) const;

  // The grid's columns changed: model columns and field indexes are rebuilt.
  void ColumnsChanged();

protected:
  void DataEvent(const TDataNotice& notice) override;
  void LinkChanged() override;

private:
  void Reset();
  void MapFields();

  TDBGrid& grid_;
  int rows_ = 0;
  std::vector<int> fieldIndex_;
};

} // namespace fw
