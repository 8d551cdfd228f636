#pragma once
// TFwCustomEdit: the library's framed one-line edit. Its background follows its state
// (normal, focused, disabled, read-only colours); with FrameVisible it draws its own
// frame around the text box, which turns to the hot style and colour while the mouse is
// over it or it has the focus when FrameHotTrack is on. It can take its look from a
// frame controller, and with TabOnEnter the Enter key moves the focus on like Tab.
// TFwEdit (FwEdit.h) is the same control; TFwNumericEdit builds on it.

#include "controls/common/FwFramed.h"
#include "platform/ui/Edit.h"

namespace fw {

enum class TLeftRight { taLeftJustify, taRightJustify };

class TFwCustomEdit : public TFwFramed<TEdit> {
public:
  explicit TFwCustomEdit(TComponent* owner) : TFwFramed<TEdit>(owner) {}

  TLeftRight Alignment() const { return alignment_; }
  virtual void SetAlignment(TLeftRight value);
  bool TabOnEnter() const { return tabOnEnter_; }
  void SetTabOnEnter(bool value) { tabOnEnter_ = value; }

  // Enter-as-Tab runs here: a swallowed Enter moves the focus to the next control.
  void KeyPress(QChar& key) override;

private:
  TLeftRight alignment_ = TLeftRight::taLeftJustify;
  bool tabOnEnter_ = false;
};

} // namespace fw
