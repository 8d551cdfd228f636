#pragma once
// The tab control's data: one record per tab, the ordered list that owns them, the two
// colour sets, and the cache of tab regions used for painting and hit testing.

#include "platform/ui/Types.h"

#include <QRegion>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace fw {

// One tab. Rect and Row are computed by the layout; the rest is the tab's own.
struct TFwTabData {
  QString Caption;          // may hold several lines separated by CR LF; "&" marks the accelerator
  TColor Color = clBtnFace; // fill when the control uses coloured tabs
  int DisabledIndex = -1;
  bool Enabled = true;
  QString Hint;
  int ImageIndex = -1;
  TRect Rect;               // strip coordinates
  bool Visible = true;
  int Row = 0;              // 0 = the row next to the card

  // Copies everything but the computed Rect and Row.
  void Assign(const TFwTabData& other);
};

class TFwTabDataList {
public:
  int Count() const { return static_cast<int>(items_.size()); }
  TFwTabData& Items(int index) { return *items_.at(size_t(index)); }
  const TFwTabData& Items(int index) const { return *items_.at(size_t(index)); }
  // Replaces the record at index (the old one is freed).
  void SetItem(int index, std::unique_ptr<TFwTabData> item);
  TFwTabData& Add();
  void Clear() { items_.clear(); }
  // Clears, then adds a copy of each record of other.
  void Assign(const TFwTabDataList& other);

private:
  std::vector<std::unique_ptr<TFwTabData>> items_;
};

// Fill colours of the tabs; every change is reported so the owner repaints.
class TFwTabColors {
public:
  TColor HighlightBar() const { return highlightBar_; }
  void SetHighlightBar(TColor value) { Set(highlightBar_, value); }
  TColor Shadow() const { return shadow_; }
  void SetShadow(TColor value) { Set(shadow_, value); }
  TColor Unselected() const { return unselected_; }
  void SetUnselected(TColor value) { Set(unselected_, value); }
  void Assign(const TFwTabColors& other);

  std::function<void()> OnChange;

private:
  void Set(TColor& field, TColor value);
  TColor highlightBar_ = clHighlight;
  TColor shadow_ = clBtnFace;
  TColor unselected_ = clWindow;
};

// Caption colours.
class TFwTextColors {
public:
  TColor DisabledHighlight() const { return disabledHighlight_; }
  void SetDisabledHighlight(TColor value) { Set(disabledHighlight_, value); }
  TColor DisabledShadow() const { return disabledShadow_; }
  void SetDisabledShadow(TColor value) { Set(disabledShadow_, value); }
  TColor Selected() const { return selected_; }
  void SetSelected(TColor value) { Set(selected_, value); }
  TColor Unselected() const { return unselected_; }
  void SetUnselected(TColor value) { Set(unselected_, value); }
  void Assign(const TFwTextColors& other);

  std::function<void()> OnChange;

private:
  void Set(TColor& field, TColor value);
  TColor disabledHighlight_ = clBtnHighlight;
  TColor disabledShadow_ = clBtnShadow;
  TColor selected_ = clBtnText;
  TColor unselected_ = clBtnText;
};

// Regions of tab rectangles, most recently added first. With a capacity of -1 every
// region is kept; otherwise the oldest is dropped when the count exceeds it.
class TFwTabRegionCache {
public:
  explicit TFwTabRegionCache(int capacity = 1);

  int Capacity() const { return capacity_; }
  // Throws std::invalid_argument unless value is -1 or > 0.
  void SetCapacity(int value);
  int Count() const { return static_cast<int>(items_.size()); }
  // The cached region of an equal rectangle (order unchanged), or nullptr.
  const QRegion* Find(const TRect& rect) const;
  // Puts the region in front; an equal rectangle already cached moves to the front.
  void Add(const TRect& rect, const QRegion& region);
  void Clear() { items_.clear(); }

private:
  struct Item {
    TRect Rect;
    QRegion Region;
  };
  void Trim();
  int capacity_;
  std::vector<Item> items_;
};

} // namespace fw
