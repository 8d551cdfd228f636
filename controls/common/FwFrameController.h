#pragma once
// TFwFrameController keeps many framed controls alike: it holds one set of colour and
// frame values and pushes them into every control registered with it. A control takes
// part by implementing IFwFrameClient: it says which values it accepts (its notification
// mask) and receives each through a typed virtual setter, or reads the controller itself
// in UpdateFromFrameController. A client that is destroyed leaves the controller by
// itself, and a controller that is destroyed clears its clients' references.

#include "controls/common/FwColors.h"
#include "controls/common/FwCommon.h"
#include "platform/ui/Component.h"
#include "platform/ui/Types.h"

#include <vector>

namespace fw {

enum class TFwFrameControllerProperty {
  fcpColor,
  fcpFocusColor,
  fcpDisabledColor,
  fcpReadOnlyColor,
  fcpReadOnlyColorOnFocus,
  fcpParentColor,
  fcpFlatButtonColor,
  fcpFlatButtons,
  fcpFrameColor,
  fcpFrameHotColor,
  fcpFrameHotTrack,
  fcpFrameHotStyle,
  fcpFrameSides,
  fcpFrameStyle,
  fcpFrameVisible,
  fcpFramingPreference,
  fcpAll,
};

// A set of fcpColor..fcpFramingPreference: bit n is member n.
using TFwFrameControllerNotifications = unsigned;
constexpr TFwFrameControllerNotifications FcpBit(TFwFrameControllerProperty p) { return 1u << unsigned(p); }
constexpr TFwFrameControllerNotifications fcnAll = 0xFFFFu;

class TFwFrameController;
class TFwRegIniFile;

class IFwFrameClient {
public:
  virtual ~IFwFrameClient();
  IFwFrameClient(const IFwFrameClient&) = delete;
  IFwFrameClient& operator=(const IFwFrameClient&) = delete;

  // The control's FrameController property: setting it leaves the previous controller
  // and registers with the new one, which pushes all its values at once.
  TFwFrameController* FrameController() const { return controller_; }
  void SetFrameController(TFwFrameController* controller);

  // Which values the control accepts (all sixteen unless it says otherwise).
  virtual TFwFrameControllerNotifications FrameControllerNotifications() const { return fcnAll; }
  // A control that reads what it wants from the controller itself returns true; the
  // mask and the setters below are then not used.
  virtual bool UpdateFromFrameController(const TFwFrameController& controller) { return false; }

  // One setter per value. A control that lacks the property keeps the default, which
  // ignores the value.
  virtual void ApplyColor(TColor) {}
  virtual void ApplyFocusColor(TColor) {}
  virtual void ApplyDisabledColor(TColor) {}
  virtual void ApplyReadOnlyColor(TColor) {}
  virtual void ApplyReadOnlyColorOnFocus(bool) {}
  virtual void ApplyParentColor(bool) {}
  virtual void ApplyFlatButtonColor(TColor) {}
  virtual void ApplyFlatButtons(bool) {}
  virtual void ApplyFrameColor(TColor) {}
  virtual void ApplyFrameHotColor(TColor) {}
  virtual void ApplyFrameHotTrack(bool) {}
  virtual void ApplyFrameHotStyle(TFrameStyle) {}
  virtual void ApplyFrameSides(TSides) {}
  virtual void ApplyFrameStyle(TFrameStyle) {}
  virtual void ApplyFrameVisible(bool) {}
  virtual void ApplyFramingPreference(TFramingPreference) {}

protected:
  IFwFrameClient() = default;

private:
  friend class TFwFrameController;
  TFwFrameController* controller_ = nullptr;
};

class TFwFrameController : public TComponent {
public:
  explicit TFwFrameController(TComponent* owner = nullptr) : TComponent(owner) {}
  ~TFwFrameController() override;

  // Registration. Adding a control that is not yet registered appends it and pushes
  // everything to it; a control belongs to one controller at a time.
  void AddControl(IFwFrameClient* control);
  void RemoveControl(IFwFrameClient* control);
  bool Contains(const IFwFrameClient* control) const;
  int ControlCount() const { return int(controls_.size()); }

  // Between BeginUpdate and the outermost EndUpdate nothing is pushed; EndUpdate then
  // pushes everything once.
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  // Building in code (BeginLoad/EndLoad of the component or its owner): while loading,
  // FrameHotTrack does not reset FrameSides; Loaded pushes everything once.

  // Copies all sixteen values and pushes them once.
  void Assign(const TFwFrameController& source);

  virtual void UpdateControls(TFwFrameControllerProperty property);
  virtual void UpdateControlFrame(IFwFrameClient* control, TFwFrameControllerProperty property);

  TColor Color() const { return color_; }
  bool ParentColor() const { return parentColor_; }
  TColor FlatButtonColor() const { return flatButtonColor_; }
  bool FlatButtons() const { return flatButtons_; }
  TColor DisabledColor() const { return disabledColor_; }
  TColor ReadOnlyColor() const { return readOnlyColor_; }
  bool ReadOnlyColorOnFocus() const { return readOnlyColorOnFocus_; }
  TColor FocusColor() const { return focusColor_; }
  TColor FrameColor() const { return frameColor_; }
  TColor FrameHotColor() const { return frameHotColor_; }
  bool FrameHotTrack() const { return frameHotTrack_; }
  TFrameStyle FrameHotStyle() const { return frameHotStyle_; }
  TSides FrameSides() const { return frameSides_; }
  TFrameStyle FrameStyle() const { return frameStyle_; }
  bool FrameVisible() const { return frameVisible_; }
  TFramingPreference FramingPreference() const { return framingPreference_; }

  // Each setter does nothing when the value is unchanged, else stores it and pushes it.
  // Color also moves FocusColor when the two were equal and clears ParentColor;
  // ParentColor turned off pushes Color too; FrameHotTrack turned on makes the frame
  // visible and (unless loading) gives it all four sides; ReadOnlyColorOnFocus is only
  // stored and reaches the controls with the next full push.
  virtual void SetColor(TColor value);
  virtual void SetParentColor(bool value);
  virtual void SetFlatButtonColor(TColor value);
  virtual void SetFlatButtons(bool value);
  virtual void SetDisabledColor(TColor value);
  virtual void SetReadOnlyColor(TColor value);
  virtual void SetReadOnlyColorOnFocus(bool value);
  virtual void SetFocusColor(TColor value);
  virtual void SetFrameColor(TColor value);
  virtual void SetFrameHotColor(TColor value);
  virtual void SetFrameHotTrack(bool value);
  virtual void SetFrameHotStyle(TFrameStyle value);
  virtual void SetFrameSides(TSides value);
  virtual void SetFrameStyle(TFrameStyle value);
  virtual void SetFrameVisible(bool value);
  virtual void SetFramingPreference(TFramingPreference value);

  // Where the controller's settings would be kept; only held (nothing is pushed), and
  // cleared when that component is freed.
  TFwRegIniFile* RegIniFile() const { return regIniFile_; }
  virtual void SetRegIniFile(TFwRegIniFile* value);

protected:
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  void Apply(IFwFrameClient* control, TFwFrameControllerProperty property);

  std::vector<IFwFrameClient*> controls_;
  int updateCount_ = 0;
  TFwRegIniFile* regIniFile_ = nullptr;

  TColor color_ = clWindow;
  bool parentColor_ = false;
  TColor flatButtonColor_ = clBtnFace;
  bool flatButtons_ = true;
  TColor disabledColor_ = clBtnFace;
  TColor readOnlyColor_ = clInfoBk;
  bool readOnlyColorOnFocus_ = false;
  TColor focusColor_ = clWindow;
  TColor frameColor_ = clBtnShadow;
  TColor frameHotColor_ = clBtnShadow;
  bool frameHotTrack_ = false;
  TFrameStyle frameHotStyle_ = TFrameStyle::fsFlatBold;
  TSides frameSides_ = sdAll;
  TFrameStyle frameStyle_ = TFrameStyle::fsFlat;
  bool frameVisible_ = false;
  TFramingPreference framingPreference_ = TFramingPreference::fpXPThemes;
};

// What a controller pushes to a control with bevel borders (panels, labels): frame style
// and sides to the outer border, the frame colour as the flat colour, the colour with
// border highlight and shadow derived from it, and the parent-colour flag; each only when
// the control's notification mask holds it, and only while the controller shows frames.
template <class TBorderedControl>
void ApplyFrameControllerToBorders(TBorderedControl& control, const TFwFrameController& c,
                                   TFwFrameControllerNotifications notifications) {
  if (!c.FrameVisible()) return;
  const auto has = [&](TFwFrameControllerProperty p) { return (notifications & FcpBit(p)) != 0; };
  if (has(TFwFrameControllerProperty::fcpFrameStyle)) control.SetBorderOuter(c.FrameStyle());
  if (has(TFwFrameControllerProperty::fcpFrameSides)) control.SetBorderSides(c.FrameSides());
  if (has(TFwFrameControllerProperty::fcpFrameColor)) {
    control.SetFlatColor(c.FrameColor());
    control.SetFlatColorAdjustment(0);
  }
  if (has(TFwFrameControllerProperty::fcpColor)) control.SetColor(c.Color());
  if (has(TFwFrameControllerProperty::fcpParentColor)) control.SetParentColor(c.ParentColor());
  if (has(TFwFrameControllerProperty::fcpColor)) {
    control.SetBorderHighlight(LighterColor(control.Color(), 100));
    control.SetBorderShadow(DarkerColor(control.Color(), 50));
  }
  control.Invalidate();
}

} // namespace fw
