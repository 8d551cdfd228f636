#pragma once
// TFwCustomGlyphButton: the base of the library's check box and radio button. It places
// a glyph (13 x 13, or a cell of a user-supplied strip) beside the caption and draws it
// in one of three ways: a cell of the custom strip, the library's hot-tracking painter,
// or the classic look. Descendants say what the glyph shows (their state) and which
// painter draws it (DrawCheckGlyph, DrawRadioGlyph).

#include "controls/common/FwCustomButton.h"
#include "controls/common/FwFrameController.h"
#include "platform/ui/CheckBox.h"

#include <memory>

namespace fw {

class TBitmap;

// What a painted glyph shows and in which colours: gathered by the button, drawn by
// the painters below.
enum class TFwGlyphLook { normal, hot, pressed, disabled };

struct TFwGlyphFace {
  TRect Rect;  // the glyph's box
  TCheckBoxState State = TCheckBoxState::cbUnchecked;
  TFwGlyphLook Look = TFwGlyphLook::normal;
  bool Focused = false;
  // The classic look: a sunken edge in system colours instead of the flat frame.
  bool Classic = false;
  TColor FrameColor = clBtnShadow;
  TColor FillColor = clWindow;
  TColor FocusColor = clWindow;
  TColor DisabledColor = clBtnFace;
  TColor MarkColor = clHighlight;
  TColor HotFrameColor = clNone;
  TColor HotFillColor = clNone;
  // The hot look highlights the frame (a second frame line) instead of a ring inside.
  bool FrameHotTrack = false;
};

// A square box with a tick (checked) or a solid square (grayed).
void DrawCheckGlyph(TCanvas& canvas, const TFwGlyphFace& face);
// A round box with a round dot when checked.
void DrawRadioGlyph(TCanvas& canvas, const TFwGlyphFace& face);

class TFwCustomGlyphButton : public TFwCustomButton, public IFwFrameClient {
public:
  ~TFwCustomGlyphButton() override;

  // taRightJustify: glyph on the left, caption on the right; taLeftJustify the reverse.
  TAlignment Alignment() const { return alignment_; }
  virtual void SetAlignment(TAlignment value);
  bool Checked() const { return GetChecked(); }
  virtual void SetChecked(bool value) = 0;

  // A strip of glyph cells; a non-empty strip turns UseCustomGlyphs on, an empty one off.
  const TBitmap& CustomGlyphs() const { return *customGlyphs_; }
  virtual void SetCustomGlyphs(const TBitmap& value);
  bool UseCustomGlyphs() const { return useCustomGlyphs_; }
  virtual void SetUseCustomGlyphs(bool value);
  TColor FillColor() const { return fillColor_; }
  virtual void SetFillColor(TColor value);
  TColor FocusColor() const { return focusColor_; }
  virtual void SetFocusColor(TColor value);
  TColor FrameColor() const { return frameColor_; }
  virtual void SetFrameColor(TColor value);
  TColor DisabledColor() const { return disabledColor_; }
  virtual void SetDisabledColor(TColor value);
  // The colour left out of the custom strip's cells.
  TColor TransparentColor() const { return transparentColor_; }
  virtual void SetTransparentColor(TColor value);
  // The colour left out of painted glyphs (painting here draws only the glyph's own
  // pixels, so it is only kept).
  TColor WinMaskColor() const { return winMaskColor_; }
  virtual void SetWinMaskColor(TColor value);
  TFwButtonHotTrackStyle HotTrackStyle() const { return hotTrackStyle_; }
  void SetHotTrackStyle(TFwButtonHotTrackStyle value);

  TFwFrameControllerNotifications FrameControllerNotifications() const override { return notifications_; }
  void SetFrameControllerNotifications(TFwFrameControllerNotifications value) { notifications_ = value; }
  bool UpdateFromFrameController(const TFwFrameController& controller) override;

  // Glyph size: 13 x 13, or one cell of the custom strip while it is used.
  int GlyphWidth() const;
  int GlyphHeight() const;
  // Where the glyph goes in the client area.
  TRect GlyphRect() const;

protected:
  // cellCount: how many cells the custom strip has (three rows of states: normal,
  // pressed, disabled).
  TFwCustomGlyphButton(TComponent* owner, int cellCount);

  virtual bool GetChecked() const = 0;
  // What the glyph shows.
  virtual TCheckBoxState GlyphState() const = 0;
  // The class's painter (DrawCheckGlyph or DrawRadioGlyph).
  virtual void DrawClassGlyph(TCanvas& canvas, const TFwGlyphFace& face) = 0;
  // Draws the glyph by the first way that applies: custom strip, hot-tracking painter,
  // classic look.
  virtual void DrawGlyph(TCanvas& canvas);
  // The look and colours the painters get.
  TFwGlyphFace GlyphFace() const;
  // Cell of the custom strip for the present state.
  int GlyphCell() const;

  void Paint() override;
  void RepaintDisplay() override { Invalidate(); }

  // An action's Checked reaches the control; a change that comes this way fires no click.
  void ActionLinked(const TAction& action, bool checkDefaults) override;
  void FollowAction(const TActionChange& change) override;
  bool ChangingFromAction() const { return fromAction_; }

private:
  void SetCheckedFromAction(bool value);
  void DrawCustomGlyph(TCanvas& canvas);

  TAlignment alignment_ = TAlignment::taRightJustify;
  std::unique_ptr<TBitmap> customGlyphs_;
  bool useCustomGlyphs_ = false;
  TColor fillColor_ = clWindow;
  TColor focusColor_ = clWindow;
  TColor frameColor_ = clBtnShadow;
  TColor disabledColor_ = clBtnFace;
  TColor transparentColor_ = 0x00008080;
  TColor winMaskColor_ = 0x0000FF00;
  TFwButtonHotTrackStyle hotTrackStyle_ = TFwButtonHotTrackStyle::htsInterior;
  TFwFrameControllerNotifications notifications_ = fcnAll;
  int cellCount_;
  bool frameHotTrack_ = false;
  bool fromAction_ = false;
};

} // namespace fw
