#include "MergeModel.h"

#include <sstream>

namespace fwtest {

namespace {

std::string Describe(const fw::TGridRect& r) {
  std::ostringstream out;
  out << "(" << r.Left << "," << r.Top << ")-(" << r.Right << "," << r.Bottom << ")";
  return out.str();
}

} // namespace

::testing::AssertionResult MergeModelIsSound(const fw::TCustomEasyGrid& grid) {
  const int cols = grid.ColCount();
  const int rows = grid.RowCount();
  if (grid.Cells().ColCount() != cols || grid.Cells().RowCount() != rows)
    return ::testing::AssertionFailure() << "the store holds " << grid.Cells().ColCount() << " x "
                                         << grid.Cells().RowCount() << " cells for a " << cols << " x " << rows
                                         << " grid";
  for (int c = 0; c < cols; ++c)
    for (int r = 0; r < rows; ++r) {
      const fw::TGridRect m = grid.GetCellInfo(c, r).MergeRect;
      auto fail = [&]() {
        return ::testing::AssertionFailure() << "cell " << c << "," << r << " with merge " << Describe(m) << ": ";
      };
      if (c == 0 || r == 0) {
        if (!(m == fw::TGridRect{c, r, c, r})) return fail() << "a title cell is merged";
        continue;
      }
      if (!m.Contains(c, r)) return fail() << "the range does not hold its cell";
      if (m.Left < 1 || m.Top < 1 || m.Right >= cols || m.Bottom >= rows) return fail() << "the range leaves the data";
      for (int mc = m.Left; mc <= m.Right; ++mc)
        for (int mr = m.Top; mr <= m.Bottom; ++mr)
          if (!(grid.GetCellInfo(mc, mr).MergeRect == m))
            return fail() << "member " << mc << "," << mr << " names " << Describe(grid.GetCellInfo(mc, mr).MergeRect);
    }
  return ::testing::AssertionSuccess();
}

} // namespace fwtest
