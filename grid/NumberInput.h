#pragma once
// The input rule of number cells: every text a key or a paste would leave in the
// in-place editor of a number cell is tested here before the editor takes it.

#include "grid/CellInfo.h"

#include <QString>

namespace fw {

// Decides whether `candidate` may stand in the editor of `cell`. Cells that are not
// number cells accept everything. For number cells the text may hold only digits, one
// point and (with AllowNegative) one leading minus, at most MaxLength characters (0: no
// limit), at most IntLength digits before the point and DecLength after it, and no
// leading "00". A text starting with a point gets a "0" in front of the point, and
// caretPos moves with it. An empty text is accepted.
bool ValidateNumberInput(const TCellInfo& cell, QString& candidate, int& caretPos);

} // namespace fw
