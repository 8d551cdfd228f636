#include "controls/navigation/FwTabs.h"

#include "platform/ui/Setters.h"

#include <algorithm>
#include <stdexcept>

namespace fw {

void TFwTabData::Assign(const TFwTabData& other) {
  Caption = other.Caption;
  Color = other.Color;
  DisabledIndex = other.DisabledIndex;
  Enabled = other.Enabled;
  Hint = other.Hint;
  ImageIndex = other.ImageIndex;
  Visible = other.Visible;
}

void TFwTabDataList::SetItem(int index, std::unique_ptr<TFwTabData> item) {
  items_.at(size_t(index)) = std::move(item);
}

TFwTabData& TFwTabDataList::Add() {
  items_.push_back(std::make_unique<TFwTabData>());
  return *items_.back();
}

void TFwTabDataList::Assign(const TFwTabDataList& other) {
  if (&other == this) return;
  Clear();
  for (const auto& item : other.items_) Add().Assign(*item);
}

void TFwTabColors::Set(TColor& field, TColor value) {
  if (StoreIfChanged(field, value) && OnChange) OnChange();
}

void TFwTabColors::Assign(const TFwTabColors& other) {
  highlightBar_ = other.highlightBar_;
  shadow_ = other.shadow_;
  unselected_ = other.unselected_;
  if (OnChange) OnChange();
}

void TFwTextColors::Set(TColor& field, TColor value) {
  if (StoreIfChanged(field, value) && OnChange) OnChange();
}

void TFwTextColors::Assign(const TFwTextColors& other) {
  disabledHighlight_ = other.disabledHighlight_;
  disabledShadow_ = other.disabledShadow_;
  selected_ = other.selected_;
  unselected_ = other.unselected_;
  if (OnChange) OnChange();
}

TFwTabRegionCache::TFwTabRegionCache(int capacity) : capacity_(1) { SetCapacity(capacity); }

void TFwTabRegionCache::SetCapacity(int value) {
  if (value != -1 && value <= 0) throw std::invalid_argument("Capacity must be -1 (to cache all regions) or > 0");
  capacity_ = value;
  Trim();
}

const QRegion* TFwTabRegionCache::Find(const TRect& rect) const {
  for (const Item& item : items_)
    if (item.Rect == rect) return &item.Region;
  return nullptr;
}

void TFwTabRegionCache::Add(const TRect& rect, const QRegion& region) {
  auto it = std::find_if(items_.begin(), items_.end(), [&](const Item& i) { return i.Rect == rect; });
  if (it != items_.end()) {
    Item moved = std::move(*it);
    items_.erase(it);
    items_.insert(items_.begin(), std::move(moved));
    return;
  }
  items_.insert(items_.begin(), Item{rect, region});
  Trim();
}

void TFwTabRegionCache::Trim() {
  if (capacity_ == -1) return;
  while (int(items_.size()) > capacity_) items_.pop_back();
}

} // namespace fw
