#pragma once
// The stock glyphs of the button edit's buttons: one 20 x 10 strip per kind, a normal
// cell and a disabled cell, drawn once on first use and shared for the program's life.

#include "platform/ui/Bitmap.h"

namespace fw {

enum class TButtonKind { bkCustom, bkLookup, bkDropDown, bkCalendar, bkAccept, bkReject, bkFolder, bkFind, bkSearch };

// The shared strip of a stock kind; an empty bitmap for bkCustom and bkDropDown, which
// have none.
const TBitmap& StockButtonGlyph(TButtonKind kind);

} // namespace fw
