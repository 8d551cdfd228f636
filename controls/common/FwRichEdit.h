#pragma once
// TFwRichEdit: the library's framed box of formatted text, with what TFwMemo adds
// (FwTextBox.h). Disabled it keeps its text as it is, not greyed, in the disabled
// colour; a disabled box that has the focus gives it away first.

#include "controls/common/FwTextBox.h"
#include "platform/ui/RichEdit.h"

namespace fw {

class TFwRichEdit : public TFwTextBox<TRichEdit> {
public:
  explicit TFwRichEdit(TComponent* owner);

  void SetEnabled(bool value) override;

protected:
  void ScrollLineToTop(int position) override;

private:
  void MoveFocusAway();

  Qt::TextInteractionFlags enabledInteraction_ = Qt::TextEditorInteraction;
};

} // namespace fw
