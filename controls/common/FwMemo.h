#pragma once
// TFwMemo: the library's framed multi-line text box: the framing and state colours of
// the edits, the caret's line and column with their change event, the clipboard-state
// event, Enter as Tab and the wheel by lines or pages (FwTextBox.h).

#include "controls/common/FwTextBox.h"
#include "platform/ui/Memo.h"

namespace fw {

class TFwMemo : public TFwTextBox<TMemo> {
public:
  explicit TFwMemo(TComponent* owner) : TFwTextBox<TMemo>(owner) {}

protected:
  void ScrollLineToTop(int position) override;
};

} // namespace fw
