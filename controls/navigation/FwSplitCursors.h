#pragma once
// The size panel's four cursors, drawn once and kept for the life of the program: the
// split cursor for a bar dragged sideways (FWSPLIT_HORZ) or up and down (FWSPLIT_VERT),
// and for each its hot-spot variant, the same arrows around a filled hot spot
// (FWSPLIT_HORZHOTSPOT, FWSPLIT_VERTHOTSPOT).

#include <QCursor>

namespace fw {

enum class TFwSplitCursor { HorzSplit, HorzHotSpot, VertSplit, VertHotSpot };

// The cursor; its hot point is the picture's centre.
const QCursor& SplitCursor(TFwSplitCursor which);

} // namespace fw
