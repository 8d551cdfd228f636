#pragma once
// TFwEdit: the framed one-line edit as windows place it (TFwCustomEdit with nothing
// added); the base of the button edit and of the validated edit.

#include "controls/common/FwCustomEdit.h"

namespace fw {

class TFwEdit : public TFwCustomEdit {
public:
  explicit TFwEdit(TComponent* owner) : TFwCustomEdit(owner) {}
};

} // namespace fw
