#pragma once
// TSpeedButton: a small button without a window of its own that shows a glyph and/or a
// caption. It is drawn pressed while the left button is held over it; with a GroupIndex
// it stays down (Down) and buttons of the same group in the same parent release each
// other. Flat buttons show their frame only while the mouse is over them.

#include "platform/ui/GraphicControl.h"

#include <QImage>

namespace fw {

enum class TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TSpeedButton : public TGraphicControl {
public:
  explicit TSpeedButton(TComponent* owner);

  bool Flat() const { return flat_; }
  void SetFlat(bool value);
  bool Down() const { return down_; }
  void SetDown(bool value);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int value);
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool value) { allowAllUp_ = value; }
  const QImage& Glyph() const { return glyph_; }
  void SetGlyph(const QImage& glyph);

  // How the button is drawn now (pressed while held, down while Down).
  TButtonState State() const { return state_; }
  // The left button was pressed on the button and is still held (the mouse is captured).
  bool MouseCaptured() const { return dragging_; }
  bool MouseInControl() const { return mouseInControl_; }

protected:
  void Paint() override;
  // Draws the face (frame and fill) and returns the rectangle inside it.
  TRect PaintFace(class TCanvas& canvas);
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void EnabledChanged() override;

private:
  void SetState(TButtonState state);
  void ReleaseGroupSiblings();

  bool flat_ = false;
  bool down_ = false;
  int groupIndex_ = 0;
  bool allowAllUp_ = false;
  QImage glyph_;
  TButtonState state_ = TButtonState::bsUp;
  bool dragging_ = false;
  bool mouseInControl_ = false;
};

} // namespace fw
