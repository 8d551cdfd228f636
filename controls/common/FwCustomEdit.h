#pragma once
// TFwCustomEdit: the library's framed one-line edit. Its background follows its state
// (normal, focused, disabled, read-only colours); with FrameVisible it draws its own
// frame around the text box, which turns to the hot style and colour while the mouse is
// over it or it has the focus when FrameHotTrack is on. It can take its look from a
// frame controller, and with TabOnEnter the Enter key moves the focus on like Tab.
// TFwEdit (FwEdit.h) is the same control; TFwNumericEdit builds on it.

#include "controls/common/FwFrameController.h"
#include "controls/common/FwFraming.h"
#include "platform/ui/Edit.h"

namespace fw {

enum class TLeftRight { taLeftJustify, taRightJustify };

class TFwCustomEdit : public TEdit, public IFwFrameClient, protected IFwFramingHost {
public:
  explicit TFwCustomEdit(TComponent* owner);

  TLeftRight Alignment() const { return alignment_; }
  virtual void SetAlignment(TLeftRight value);
  bool TabOnEnter() const { return tabOnEnter_; }
  void SetTabOnEnter(bool value) { tabOnEnter_ = value; }

  // Read-only state; a change repaints in the read-only colour.
  void SetReadOnly(bool value);

  TColor DisabledColor() const { return framing_.DisabledColor(); }
  void SetDisabledColor(TColor value) { framing_.SetDisabledColor(value); }
  TColor FocusColor() const { return framing_.FocusColor(); }
  void SetFocusColor(TColor value) { framing_.SetFocusColor(value); }
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
  void SetFrameHotTrack(bool value);
  bool FrameVisible() const { return framing_.FrameVisible(); }
  void SetFrameVisible(bool value) { framing_.SetFrameVisible(value); }
  TFramingPreference FramingPreference() const { return framing_.FramingPreference(); }
  void SetFramingPreference(TFramingPreference value) { framing_.SetFramingPreference(value); }
  TFwFrameControllerNotifications FrameControllerNotifications() const override { return notifications_; }
  void SetFrameControllerNotifications(TFwFrameControllerNotifications value) { notifications_ = value; }

  // The framing state (for tests and for controls that compose an edit).
  const TFwFraming& Framing() const { return framing_; }

  // Enter-as-Tab runs here: a swallowed Enter moves the focus to the next control.
  void KeyPress(QChar& key) override;

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  // The client area is inside the frame margin.
  TRect ClientRect() const override;

protected:
  virtual void UpdateColors() { framing_.UpdateColors(); }
  virtual void UpdateFrame(bool viaMouse, bool inFrame) { framing_.UpdateFrame(viaMouse, inFrame); }
  virtual void RepaintFrame() { update(); }
  // Called after ReadOnly changed.
  virtual void ReadOnlyChanged();

  void DoEnter() override;
  void DoExit() override;
  void Loaded() override;
  void ColorChanged() override;
  void EnabledChanged() override;
  void MouseEnter() override;
  void MouseLeave() override;
  void paintEvent(QPaintEvent* event) override;

  // Frame-controller values.
  void ApplyColor(TColor value) override { SetColor(value); }
  void ApplyFocusColor(TColor value) override { SetFocusColor(value); }
  void ApplyDisabledColor(TColor value) override { SetDisabledColor(value); }
  void ApplyReadOnlyColor(TColor value) override { SetReadOnlyColor(value); }
  void ApplyReadOnlyColorOnFocus(bool value) override { SetReadOnlyColorOnFocus(value); }
  void ApplyParentColor(bool value) override { SetParentColor(value); }
  void ApplyFrameColor(TColor value) override { SetFrameColor(value); }
  void ApplyFrameHotColor(TColor value) override { SetFrameHotColor(value); }
  void ApplyFrameHotTrack(bool value) override { SetFrameHotTrack(value); }
  void ApplyFrameHotStyle(TFrameStyle value) override { SetFrameHotStyle(value); }
  void ApplyFrameSides(TSides value) override { SetFrameSides(value); }
  void ApplyFrameStyle(TFrameStyle value) override { SetFrameStyle(value); }
  void ApplyFrameVisible(bool value) override { SetFrameVisible(value); }
  void ApplyFramingPreference(TFramingPreference value) override { SetFramingPreference(value); }

  // Framing host.
  bool FramingEnabled() const override { return Enabled(); }
  bool FramingReadOnly() const override { return ReadOnly(); }
  bool FramingLoading() const override { return Loading(); }
  void FramingSetColor(TColor color) override { SetColor(color); }
  void FramingRepaintFrame() override { RepaintFrame(); }
  void FramingRelayout() override;

private:
  TFwFraming framing_;
  TLeftRight alignment_ = TLeftRight::taLeftJustify;
  bool tabOnEnter_ = false;
  TFwFrameControllerNotifications notifications_ = fcnAll;
};

} // namespace fw
