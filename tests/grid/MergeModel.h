#pragma once
// The invariants of the report grid's merge model, checked after every operation the
// grid tests run: every cell lies inside its own merge range, the range lies inside the
// data cells, every member of a range names that same range, and title cells are never
// merged.

#include "grid/CustomEasyGrid.h"

#include <gtest/gtest.h>

namespace fwtest {

::testing::AssertionResult MergeModelIsSound(const fw::TCustomEasyGrid& grid);

} // namespace fwtest
