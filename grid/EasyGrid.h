#pragma once
// TEasyGrid: the report grid as windows use it. Everything lives in TCustomEasyGrid;
// this class only gives the control its published name.

#include "grid/CustomEasyGrid.h"

namespace fw {

class TEasyGrid : public TCustomEasyGrid {
public:
  explicit TEasyGrid(TComponent* owner) : TCustomEasyGrid(owner) {}
};

} // namespace fw
