#pragma once
// TFwFramed<Base>: a standard control of the platform layer (TEdit, TListBox, TComboBox,
// TMemo, ...) dressed in the library's framing. It holds the TFwFraming and gives the
// control everything framing needs, written once for every framed control:
//  - the framing properties (state colours, frame colour, style, sides, hot tracking,
//    visibility, framing preference) and the frame controller's setters for them;
//  - the glue that keeps the look current: focus entering and leaving, the mouse
//    entering and leaving (OnMouseEnter, OnMouseLeave), Color, Enabled and the end of
//    loading; a read-only state when the base control has one;
//  - the margin: the base widget stands FrameMargin() pixels inside the control, drops
//    its own border while the frame shows, and the frame is painted over the margin.
// A framed control derives from TFwFramed<TItsBase> and adds only what is its own; it
// overrides RepaintFrame, UpdateFrame or FramingReadOnly where its base widget needs more.

#include "controls/common/FwFrameController.h"
#include "controls/common/FwFraming.h"
#include "platform/ui/Control.h"

#include <QPointer>
#include <concepts>

class QPaintEvent;

namespace fw {

// Shows or hides the border a wrapped Qt widget draws itself (line edits and combo boxes
// have a frame switch, scroll areas a frame shape).
void ShowInnerWidgetFrame(QWidget* inner, bool show);

template <class Base>
class TFwFramed : public Base, public IFwFrameClient, protected IFwFramingHost {
public:
  explicit TFwFramed(TComponent* owner) : Base(owner), framing_(*this) {
    // The colour given at creation is the normal colour.
    framing_.ColorChanged(this->Color());
  }

  TColor DisabledColor() const { return framing_.DisabledColor(); }
  void SetDisabledColor(TColor value) { framing_.SetDisabledColor(value); }
  TColor FocusColor() const { return framing_.FocusColor(); }
  void SetFocusColor(TColor value) { framing_.SetFocusColor(value); }
  // Shown only by a control with a read-only state.
  TColor ReadOnlyColor() const { return framing_.ReadOnlyColor(); }
  void SetReadOnlyColor(TColor value) { framing_.SetReadOnlyColor(value); }
  bool ReadOnlyColorOnFocus() const { return framing_.ReadOnlyColorOnFocus(); }
  void SetReadOnlyColorOnFocus(bool value) { framing_.SetReadOnlyColorOnFocus(value); }
  TColor FrameColor() const { return framing_.FrameColor(); }
  void SetFrameColor(TColor value) { framing_.SetFrameColor(value); }
  TColor FrameHotColor() const { return framing_.FrameHotColor(); }
  void SetFrameHotColor(TColor value) { framing_.SetFrameHotColor(value); }
  TFrameStyle FrameHotStyle() const { return framing_.FrameHotStyle(); }
  void SetFrameHotStyle(TFrameStyle value) { framing_.SetFrameHotStyle(value); }
  TFrameStyle FrameStyle() const { return framing_.FrameStyle(); }
  void SetFrameStyle(TFrameStyle value) { framing_.SetFrameStyle(value); }
  TSides FrameSides() const { return framing_.FrameSides(); }
  void SetFrameSides(TSides value) { framing_.SetFrameSides(value); }
  bool FrameHotTrack() const { return framing_.FrameHotTrack(); }
  void SetFrameHotTrack(bool value) { framing_.SetFrameHotTrack(value); }
  bool FrameVisible() const { return framing_.FrameVisible(); }
  void SetFrameVisible(bool value) { framing_.SetFrameVisible(value); }
  TFramingPreference FramingPreference() const { return framing_.FramingPreference(); }
  void SetFramingPreference(TFramingPreference value) { framing_.SetFramingPreference(value); }
  TFwFrameControllerNotifications FrameControllerNotifications() const override { return notifications_; }
  void SetFrameControllerNotifications(TFwFrameControllerNotifications value) { notifications_ = value; }

  // The framing state (for tests and for what a control paints beside its frame).
  const TFwFraming& Framing() const { return framing_; }

  // Read-only state, for a base control that has one; a change repaints in the
  // read-only colour.
  void SetReadOnly(bool value)
    requires requires(Base& b) { b.SetReadOnly(true); }
  {
    if (value == this->ReadOnly()) return;
    Base::SetReadOnly(value);
    ReadOnlyChanged();
  }

  // The client area is inside the frame margin.
  TRect ClientRect() const override {
    const int m = framing_.FrameMargin();
    return Rect(m, m, std::max(m, this->Width() - m), std::max(m, this->Height() - m));
  }

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

protected:
  virtual void UpdateColors() { framing_.UpdateColors(); }
  // Focus (viaMouse false) or the mouse (true) entered (inFrame) or left the control.
  virtual void UpdateFrame(bool viaMouse, bool inFrame) { framing_.UpdateFrame(viaMouse, inFrame); }
  virtual void RepaintFrame() { this->update(); }
  // The control's read-only state changed.
  virtual void ReadOnlyChanged() {
    UpdateColors();
    RepaintFrame();
  }

  // The look follows the focus before the control's own enter and exit handlers run,
  // so a handler that frees the control leaves nothing to do afterwards.
  void DoEnter() override {
    UpdateFrame(false, true);
    Base::DoEnter();
  }
  void DoExit() override {
    UpdateFrame(false, false);
    Base::DoExit();
  }
  void Loaded() override {
    Base::Loaded();
    UpdateColors();
    UpdateFrame(false, false);
  }
  void ColorChanged() override {
    Base::ColorChanged();
    if (framing_.ColorChanged(this->Color())) RepaintFrame();
  }
  void EnabledChanged() override {
    Base::EnabledChanged();
    UpdateColors();
    RepaintFrame();
  }
  void MouseEnter() override {
    QPointer<QWidget> self(this);
    if (OnMouseEnter) OnMouseEnter(this);
    if (self) UpdateFrame(true, true);
  }
  void MouseLeave() override {
    QPointer<QWidget> self(this);
    if (OnMouseLeave) OnMouseLeave(this);
    if (self) UpdateFrame(true, false);
  }
  void paintEvent(QPaintEvent* event) override {
    Base::paintEvent(event);
    framing_.PaintOver(*this, this->Color());
  }

  // Frame-controller values.
  void ApplyColor(TColor value) override { this->SetColor(value); }
  void ApplyFocusColor(TColor value) override { SetFocusColor(value); }
  void ApplyDisabledColor(TColor value) override { SetDisabledColor(value); }
  void ApplyReadOnlyColor(TColor value) override { SetReadOnlyColor(value); }
  void ApplyReadOnlyColorOnFocus(bool value) override { SetReadOnlyColorOnFocus(value); }
  void ApplyParentColor(bool value) override { this->SetParentColor(value); }
  void ApplyFrameColor(TColor value) override { SetFrameColor(value); }
  void ApplyFrameHotColor(TColor value) override { SetFrameHotColor(value); }
  void ApplyFrameHotTrack(bool value) override { SetFrameHotTrack(value); }
  void ApplyFrameHotStyle(TFrameStyle value) override { SetFrameHotStyle(value); }
  void ApplyFrameSides(TSides value) override { SetFrameSides(value); }
  void ApplyFrameStyle(TFrameStyle value) override { SetFrameStyle(value); }
  void ApplyFrameVisible(bool value) override { SetFrameVisible(value); }
  void ApplyFramingPreference(TFramingPreference value) override { SetFramingPreference(value); }

  // Framing host.
  bool FramingEnabled() const override { return this->Enabled(); }
  bool FramingReadOnly() const override {
    if constexpr (requires(const Base& b) { { b.ReadOnly() } -> std::convertible_to<bool>; })
      return Base::ReadOnly();
    else
      return false;
  }
  bool FramingLoading() const override { return this->Loading(); }
  void FramingSetColor(TColor color) override { this->SetColor(color); }
  void FramingRepaintFrame() override { RepaintFrame(); }
  // The base widget draws its own border only while the frame is hidden.
  void FramingRelayout() override {
    ShowInnerWidgetFrame(this->Inner(), !framing_.FrameVisible());
    this->LayOutInner();
  }

private:
  TFwFraming framing_;
  TFwFrameControllerNotifications notifications_ = fcnAll;
};

} // namespace fw
