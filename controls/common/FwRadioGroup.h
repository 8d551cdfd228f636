#pragma once
// TFwRadioGroup: the radio group the windows use.

#include "controls/common/FwCustomRadioGroup.h"

namespace fw {

class TFwRadioGroup : public TFwCustomRadioGroup {
public:
  using TFwCustomRadioGroup::TFwCustomRadioGroup;
};

} // namespace fw
