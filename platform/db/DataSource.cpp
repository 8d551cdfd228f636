#include "platform/db/DataSource.h"

namespace fw {

TDataSource::~TDataSource() {
  if (dataSet_) dataSet_->RemoveListener(this);
}

void TDataSource::SetDataSet(TDataSet* dataSet) {
  if (dataSet_ == dataSet) return;
  if (dataSet_) dataSet_->RemoveListener(this);
  dataSet_ = dataSet;
  if (dataSet_) dataSet_->AddListener(this);
}

void TDataSource::DataSetNotify(TDataSet&, const TDataNotice& notice) {
  if (!enabled_) return;
  if (notice.Event == TDataEvent::StateChange) {
    if (OnStateChange) OnStateChange(*this);
    return;
  }
  if (OnDataChange) OnDataChange(*this, notice.Field);
}

void TDataSource::DataSetDestroyed(TDataSet&) { dataSet_ = nullptr; }

} // namespace fw
