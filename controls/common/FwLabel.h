#pragma once
// TFwLabel: the library's label as windows place it (TFwCustomLabel with nothing added).

#include "controls/common/FwCustomLabel.h"

namespace fw {

class TFwLabel : public TFwCustomLabel {
public:
  explicit TFwLabel(TComponent* owner) : TFwCustomLabel(owner) {}
};

} // namespace fw
