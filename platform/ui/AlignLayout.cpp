#include "platform/ui/AlignLayout.h"

#include <algorithm>

namespace fw {

namespace {

// Orders the items of one kind from the edge inwards.
bool ComesFirst(TAlign align, const TRect& a, const TRect& b) {
  switch (align) {
  case TAlign::alTop: return a.Top < b.Top;
  case TAlign::alBottom: return a.Bottom > b.Bottom;
  case TAlign::alLeft: return a.Left < b.Left;
  case TAlign::alRight: return a.Right > b.Right;
  default: return false;
  }
}

TRect Place(TAlign align, TRect& free, const TRect& current) {
  TRect r;
  switch (align) {
  case TAlign::alTop:
    r = Bounds(free.Left, free.Top, std::max(0, free.Width()), current.Height());
    free.Top += current.Height();
    break;
  case TAlign::alBottom:
    r = Bounds(free.Left, free.Bottom - current.Height(), std::max(0, free.Width()), current.Height());
    free.Bottom -= current.Height();
    break;
  case TAlign::alLeft:
    r = Bounds(free.Left, free.Top, current.Width(), std::max(0, free.Height()));
    free.Left += current.Width();
    break;
  case TAlign::alRight:
    r = Bounds(free.Right - current.Width(), free.Top, current.Width(), std::max(0, free.Height()));
    free.Right -= current.Width();
    break;
  case TAlign::alClient:
    r = Bounds(free.Left, free.Top, std::max(0, free.Width()), std::max(0, free.Height()));
    break;
  default:
    r = current;
    break;
  }
  return r;
}

} // namespace

std::vector<TRect> LayOutAligned(const TRect& client, const std::vector<TAlignItem>& items) {
  std::vector<TRect> result;
  result.reserve(items.size());
  for (const TAlignItem& item : items) result.push_back(item.Bounds);

  TRect free = client;
  for (TAlign align : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
    std::vector<size_t> order;
    for (size_t i = 0; i < items.size(); ++i)
      if (items[i].Visible && items[i].Align == align) order.push_back(i);
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
      return ComesFirst(align, items[a].Bounds, items[b].Bounds);
    });
    for (size_t i : order) result[i] = Place(align, free, items[i].Bounds);
  }
  return result;
}

} // namespace fw
