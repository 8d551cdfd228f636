#include "platform/db/DataSource.h"

#include <algorithm>

namespace fw {

TDataLink::~TDataLink() { SetDataSource(nullptr); }

void TDataLink::SetDataSource(TDataSource* source) {
  if (source == dataSource_) return;
  if (dataSource_) {
    auto& links = dataSource_->links_;
    links.erase(std::remove(links.begin(), links.end(), this), links.end());
  }
  dataSource_ = source;
  if (dataSource_) dataSource_->links_.push_back(this);
  LinkChanged();
}

TDataSet* TDataLink::DataSet() const { return dataSource_ ? dataSource_->DataSet() : nullptr; }

bool TDataLink::Active() const {
  return dataSource_ && dataSource_->Enabled() && dataSource_->DataSet() && dataSource_->DataSet()->Active();
}

TDataSource::~TDataSource() {
  if (dataSet_) dataSet_->RemoveListener(this);
  dataSet_ = nullptr;
  for (TDataLink* link : std::vector<TDataLink*>(links_)) {
    link->dataSource_ = nullptr;
    link->LinkChanged();
  }
}

void TDataSource::SetDataSet(TDataSet* dataSet) {
  if (dataSet_ == dataSet) return;
  if (dataSet_) dataSet_->RemoveListener(this);
  dataSet_ = dataSet;
  if (dataSet_) dataSet_->AddListener(this);
  LinksChanged();
}

void TDataSource::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  LinksChanged();
}

void TDataSource::LinksChanged() {
  for (TDataLink* link : std::vector<TDataLink*>(links_)) link->LinkChanged();
}

void TDataSource::DataSetNotify(TDataSet&, const TDataNotice& notice) {
  if (!enabled_) return;
  for (TDataLink* link : std::vector<TDataLink*>(links_)) link->DataEvent(notice);
  if (notice.Event == TDataEvent::StateChange) {
    if (OnStateChange) OnStateChange(*this);
    return;
  }
  if (OnDataChange) OnDataChange(*this, notice.Field);
}

void TDataSource::DataSetDestroyed(TDataSet&) {
  dataSet_ = nullptr;
  LinksChanged();
}

} // namespace fw
