#pragma once
// The report grid's cursors. The grid's own pictures are drawn here at first use: the
// cell cross (crEasyGridCell), the two magnifiers (crEasyGridZoomIn, crEasyGridZoomOut)
// and the drag cursors of copying (crDrag) and filling (crMultiDrag); every other cursor
// is the desktop's own shape.

#include "platform/ui/Control.h"

#include <QCursor>
#include <QImage>

namespace fw {

QCursor GridCursor(TCursor cursor);
// The picture of one of the grid's own cursors (a null image for the desktop's shapes).
QImage GridCursorImage(TCursor cursor);

} // namespace fw
