#pragma once
// TFwButtonEdit: the button edit as windows place it (TFwCustomButtonEdit, nothing added).

#include "controls/common/FwCustomButtonEdit.h"

namespace fw {

class TFwButtonEdit : public TFwCustomButtonEdit {
public:
  explicit TFwButtonEdit(TComponent* owner) : TFwCustomButtonEdit(owner) {}
};

} // namespace fw
