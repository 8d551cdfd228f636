#pragma once
// TFwListBox: the framed list box as windows place it (TFwCustomListBox with nothing
// added).

#include "controls/common/FwCustomListBox.h"

namespace fw {

class TFwListBox : public TFwCustomListBox {
public:
  explicit TFwListBox(TComponent* owner) : TFwCustomListBox(owner) {}
};

} // namespace fw
