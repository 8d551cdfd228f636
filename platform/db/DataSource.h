#pragma once
// Link between a data set and data-aware controls: forwards the data set's notices as
// OnDataChange (data or current record changed) and OnStateChange (edit state), and to
// every data link attached to it (a grid's model), which sees each notice as it is.

#include "platform/db/DataSet.h"

#include <functional>
#include <vector>

namespace fw {

class TDataSource;

// A data-aware control's end of a data source. The link is told every notice of the
// source's data set, and when the source takes another data set or goes.
class TDataLink {
public:
  TDataLink() = default;
  virtual ~TDataLink();
  TDataLink(const TDataLink&) = delete;
  TDataLink& operator=(const TDataLink&) = delete;

  TDataSource* DataSource() const { return dataSource_; }
  void SetDataSource(TDataSource* source);
  TDataSet* DataSet() const;
  // An open data set behind an enabled source.
  bool Active() const;

protected:
  virtual void DataEvent(const TDataNotice& notice) {}
  // The source changed its data set, went, or this link moved to another source.
  virtual void LinkChanged() {}

private:
  friend class TDataSource;
  TDataSource* dataSource_ = nullptr;
};

class TDataSource : public TDataSetListener {
public:
  TDataSource() = default;
  explicit TDataSource(TDataSet* dataSet) { SetDataSet(dataSet); }
  ~TDataSource() override;
  TDataSource(const TDataSource&) = delete;
  TDataSource& operator=(const TDataSource&) = delete;

  TDataSet* DataSet() const { return dataSet_; }
  void SetDataSet(TDataSet* dataSet);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  TDataSetState State() const { return dataSet_ ? dataSet_->State() : dsInactive; }

  // Field is null when the whole record (or all data) changed.
  std::function<void(TDataSource&, TField*)> OnDataChange;
  std::function<void(TDataSource&)> OnStateChange;

  void DataSetNotify(TDataSet& dataSet, const TDataNotice& notice) override;
  void DataSetDestroyed(TDataSet& dataSet) override;

private:
  friend class TDataLink;
  void LinksChanged();

  TDataSet* dataSet_ = nullptr;
  bool enabled_ = true;
  std::vector<TDataLink*> links_;
};

} // namespace fw
