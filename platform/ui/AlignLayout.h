#pragma once
// The align layout: places children with Align over the parent's client rectangle in
// the fixed order top, bottom, left, right, client. Kept apart from the widgets as a
// plain function so it can be reasoned about (and tested) on rectangles alone.

#include "platform/ui/Types.h"

#include <vector>

namespace fw {

struct TAlignItem {
  TAlign Align = TAlign::alNone;
  TRect Bounds;         // current bounds in the parent's client coordinates
  bool Visible = true;  // hidden children take no room and are not moved
};

// Returns the new bounds of every item, in the order given. Items of one kind are
// stacked in the order of their current position (top-aligned by Top, bottom-aligned
// by Bottom from the edge inwards, and so on), ties in the order given. Items without
// Align, hidden items and alCustom items keep their bounds. Sizes never go negative.
std::vector<TRect> LayOutAligned(const TRect& client, const std::vector<TAlignItem>& items);

} // namespace fw
