#pragma once
// Link between a data set and data-aware controls: forwards the data set's notices as
// OnDataChange (data or current record changed) and OnStateChange (edit state).

#include "platform/db/DataSet.h"

#include <functional>

namespace fw {

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
  void SetEnabled(bool value) { enabled_ = value; }
  TDataSetState State() const { return dataSet_ ? dataSet_->State() : dsInactive; }

  // Field is null when the whole record (or all data) changed.
  std::function<void(TDataSource&, TField*)> OnDataChange;
  std::function<void(TDataSource&)> OnStateChange;

  void DataSetNotify(TDataSet& dataSet, const TDataNotice& notice) override;
  void DataSetDestroyed(TDataSet& dataSet) override;

private:
  TDataSet* dataSet_ = nullptr;
  bool enabled_ = true;
};

} // namespace fw
