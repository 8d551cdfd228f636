#include "controls/common/FwCustomGlyphButton.h"

#include "controls/common/FwBorders.h"
#include "controls/common/FwColors.h"
#include "controls/common/FwGraphics.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Setters.h"

#include <QRegion>
#include <algorithm>
#include <cmath>
#include <vector>

namespace fw {

namespace {

constexpr int kGlyphSize = 13;

TRect Inset(const TRect& r, int by) { return Rect(r.Left + by, r.Top + by, r.Right - by, r.Bottom - by); }

void Fill(TCanvas& canvas, const TRect& r, TColor color) {
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  canvas.Brush().SetColor(color);
  canvas.FillRect(r);
}

// The inside colour of a painted glyph for its look.
TColor InsideColor(const TFwGlyphFace& f) {
  switch (f.Look) {
  case TFwGlyphLook::pressed: return DarkerColor(f.FocusColor, 20);
  case TFwGlyphLook::disabled: return f.DisabledColor;
  default: return f.Focused ? f.FocusColor : f.FillColor;
  }
}

TColor OuterFrameColor(const TFwGlyphFace& f) {
  return f.Look == TFwGlyphLook::hot && f.FrameHotTrack ? f.HotFrameColor : f.FrameColor;
}

// The pixels of the disc that fits r (those whose centres lie inside its circle), one
// rectangle per row.
std::vector<TRect> DiscRows(const TRect& r) {
  std::vector<TRect> rows;
  const double radius = r.Width() / 2.0;
  if (radius <= 0) return rows;
  for (int row = 0; row < r.Height(); ++row) {
    const double dy = row + 0.5 - r.Height() / 2.0;
    const double half = radius * radius - dy * dy;
    if (half <= 0) continue;
    const double dx = std::sqrt(half);
    const int x0 = int(std::ceil(radius - dx - 0.5));
    const int x1 = int(std::floor(radius + dx - 0.5)) + 1;
    if (x1 > x0) rows.push_back(Rect(r.Left + x0, r.Top + row, r.Left + x1, r.Top + row + 1));
  }
  return rows;
}

void FillDisc(TCanvas& canvas, const TRect& r, TColor color) {
  for (const TRect& row : DiscRows(r)) Fill(canvas, row, color);
}

QRegion DiscRegion(const TRect& r) {
  QRegion region;
  for (const TRect& row : DiscRows(r)) region += row.ToQt();
  return region;
}

// The round counterpart of the square glyph's gradient ring: a ring two pixels wide just
// inside the disc that fits r, shaded diagonally from start (top left) to stop.
void DrawGradientDiscRing(TCanvas& canvas, const TRect& r, TColor start, TColor stop) {
  if (!HighColorDisplay()) return;
  const int level = canvas.SaveDC();
  canvas.SelectClipRegion(canvas.ClipRegion().intersected(DiscRegion(r).subtracted(DiscRegion(Inset(r, 2)))));
  PaintGradient(canvas, r, TGradientDirection::gdDiagonalDown, start, stop, 1);
  canvas.RestoreDC(level);
}

// A disc in the ring colour with the disc one pixel inside it in the inside colour: a
// 1-pixel circular frame around a filled inside.
void RingAndInside(TCanvas& canvas, const TRect& r, TColor ring, TColor inside) {
  FillDisc(canvas, r, ring);
  FillDisc(canvas, Inset(r, 1), inside);
}

} // namespace

void DrawCheckGlyph(TCanvas& canvas, const TFwGlyphFace& f) {
  TRect inner;
  if (f.Classic) {
    DrawCtl3DBorder(canvas, f.Rect, true, sdAll);
    inner = Inset(f.Rect, 1);  // the tick keeps the flat glyph's grid
  } else {
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    inner = DrawFlatFrame(canvas, f.Rect, OuterFrameColor(f));
  }
  Fill(canvas, f.Classic ? Inset(f.Rect, 2) : inner, InsideColor(f));

  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  if (f.State == TCheckBoxState::cbChecked) {
    // A tick of 3-pixel columns, counted from one pixel left of and above the inside.
    static constexpr int kTick[][2] = {{3, 5}, {4, 6}, {5, 7}, {6, 6}, {7, 5}, {8, 4}, {9, 3}};
    const int ox = inner.Left - 1, oy = inner.Top - 1;
    for (const auto& [col, firstRow] : kTick)
      Fill(canvas, Rect(ox + col, oy + firstRow, ox + col + 1, oy + firstRow + 3), f.MarkColor);
  } else if (f.State == TCheckBoxState::cbGrayed) {
    Fill(canvas, Inset(inner, 2), f.MarkColor);
  }

  if (f.Look == TFwGlyphLook::hot && !f.Classic) {
    if (f.FrameHotTrack) DrawFlatFrame(canvas, inner, f.HotFrameColor);
    else DrawGradientRing(canvas, inner, TGradientDirection::gdDiagonalDown, f.HotFrameColor, f.HotFillColor);
  }
}

void DrawRadioGlyph(TCanvas& canvas, const TFwGlyphFace& f) {
  const TColor inside = InsideColor(f);
  RingAndInside(canvas, f.Rect, f.Classic ? clBtnShadow : OuterFrameColor(f), inside);
  if (f.Look == TFwGlyphLook::hot && !f.Classic) {
    // Hot, as the square glyph: a second frame line in the hot frame colour when the frame
    // is what is highlighted, else a ring shaded from the hot frame to the hot fill colour.
    if (f.FrameHotTrack) RingAndInside(canvas, Inset(f.Rect, 1), f.HotFrameColor, inside);
    else DrawGradientDiscRing(canvas, Inset(f.Rect, 1), f.HotFrameColor, f.HotFillColor);
  }
  if (f.State == TCheckBoxState::cbChecked) {
    const int dot = std::max(1, f.Rect.Width() * 5 / 13);
    const int x = f.Rect.Left + (f.Rect.Width() - dot) / 2, y = f.Rect.Top + (f.Rect.Height() - dot) / 2;
    FillDisc(canvas, Bounds(x, y, dot, dot), f.MarkColor);
  }
}

TFwCustomGlyphButton::TFwCustomGlyphButton(TComponent* owner, int cellCount)
    : TFwCustomButton(owner), customGlyphs_(std::make_unique<TBitmap>()), cellCount_(cellCount) {}

TFwCustomGlyphButton::~TFwCustomGlyphButton() = default;

void TFwCustomGlyphButton::SetAlignment(TAlignment value) { SetAndInvalidate(*this, alignment_, value); }
void TFwCustomGlyphButton::SetUseCustomGlyphs(bool value) { SetAndInvalidate(*this, useCustomGlyphs_, value); }
void TFwCustomGlyphButton::SetFillColor(TColor value) { SetAndInvalidate(*this, fillColor_, value); }
void TFwCustomGlyphButton::SetFocusColor(TColor value) { SetAndInvalidate(*this, focusColor_, value); }
void TFwCustomGlyphButton::SetFrameColor(TColor value) { SetAndInvalidate(*this, frameColor_, value); }
void TFwCustomGlyphButton::SetDisabledColor(TColor value) { SetAndInvalidate(*this, disabledColor_, value); }
void TFwCustomGlyphButton::SetTransparentColor(TColor value) { SetAndInvalidate(*this, transparentColor_, value); }
void TFwCustomGlyphButton::SetWinMaskColor(TColor value) { SetAndInvalidate(*this, winMaskColor_, value); }
void TFwCustomGlyphButton::SetHotTrackStyle(TFwButtonHotTrackStyle value) { SetAndInvalidate(*this, hotTrackStyle_, value); }

void TFwCustomGlyphButton::SetCustomGlyphs(const TBitmap& value) {
  customGlyphs_->Assign(value);
  useCustomGlyphs_ = !customGlyphs_->Empty();
  Invalidate();
}

int TFwCustomGlyphButton::GlyphWidth() const {
  return useCustomGlyphs_ && !customGlyphs_->Empty() ? customGlyphs_->Width() / cellCount_ : kGlyphSize;
}

int TFwCustomGlyphButton::GlyphHeight() const {
  return useCustomGlyphs_ && !customGlyphs_->Empty() ? customGlyphs_->Height() : kGlyphSize;
}

TRect TFwCustomGlyphButton::GlyphRect() const {
  const int w = GlyphWidth(), h = GlyphHeight();
  const int x = alignment_ == TAlignment::taLeftJustify ? Width() - w : 0;
  int y = 2;
  switch (AlignmentVertical()) {
  case TAlignmentVertical::avTop: y = 2; break;
  case TAlignmentVertical::avCenter: y = (Height() - h) / 2; break;
  case TAlignmentVertical::avBottom: y = Height() - h - 2; break;
  }
  return Bounds(x, y, w, h);
}

int TFwCustomGlyphButton::GlyphCell() const {
  // Three rows of states (normal, pressed, disabled), each unchecked, checked and, for
  // check boxes, grayed.
  const int perRow = cellCount_ / 3;
  const int row = !Enabled() ? 2 : Pressed() ? 1 : 0;
  return row * perRow + std::min(int(GlyphState()), perRow - 1);
}

TFwGlyphFace TFwCustomGlyphButton::GlyphFace() const {
  TFwGlyphFace f;
  f.Rect = GlyphRect();
  f.State = GlyphState();
  f.Look = !Enabled() ? TFwGlyphLook::disabled
           : Pressed() ? TFwGlyphLook::pressed
           : MouseInControl() ? TFwGlyphLook::hot
                              : TFwGlyphLook::normal;
  f.Focused = Focused();
  f.FrameColor = frameColor_;
  f.FillColor = fillColor_;
  f.FocusColor = focusColor_;
  f.DisabledColor = disabledColor_;
  f.MarkColor = HighlightColor();
  if (HotTrackColorType() == TFwHotTrackColorType::htctActual) {
    f.HotFrameColor = HotTrackColor();
    f.HotFillColor = BlendColors(0x00FFFFFF, HotTrackColor(), 190);
  } else {
    const TColor k = ComplementaryColor(HotTrackColor(), 180);
    f.HotFrameColor = DarkerColor(k, 30);
    f.HotFillColor = k;
  }
  f.FrameHotTrack = frameHotTrack_ || hotTrackStyle_ == TFwButtonHotTrackStyle::htsFrame;
  return f;
}

void TFwCustomGlyphButton::DrawCustomGlyph(TCanvas& canvas) {
  const int w = GlyphWidth(), h = GlyphHeight();
  const TRect source = Bounds(GlyphCell() * w, 0, w, h);
  StretchTransparentBitmapSimple(canvas, *customGlyphs_, GlyphRect(), transparentColor_, source);
}

void TFwCustomGlyphButton::DrawGlyph(TCanvas& canvas) {
  if (useCustomGlyphs_ && !customGlyphs_->Empty()) {
    DrawCustomGlyph(canvas);
    return;
  }
  // Desktop themes are never active here, so there is no themed branch.
  TFwGlyphFace face = GlyphFace();
  if (!HotTrack()) {
    // The classic look in system colours; a pressed or disabled glyph shows the face
    // colour inside.
    face.Classic = true;
    face.FillColor = face.FocusColor = clWindow;
    face.DisabledColor = clBtnFace;
    face.MarkColor = Enabled() ? clWindowText : clBtnShadow;
    if (face.Look == TFwGlyphLook::hot) face.Look = TFwGlyphLook::normal;
    if (face.Look == TFwGlyphLook::pressed) {
      face.Look = TFwGlyphLook::disabled;
      face.Focused = false;
    }
  }
  DrawClassGlyph(canvas, face);
}

void TFwCustomGlyphButton::Paint() {
  TCanvas& canvas = Canvas();
  PaintBackground(canvas);
  DrawGlyph(canvas);

  TRect r = Inset(ClientRect(), 1);
  const int taken = GlyphWidth() + 4;
  if (alignment_ == TAlignment::taLeftJustify) r.Right -= taken;
  else r.Left += taken;
  const TRect text = DrawCaption(canvas, r, DT_WORDBREAK | DT_EXPANDTABS);
  if (Focused()) DrawFocusBorder(canvas, Rect(text.Left - 1, text.Top - 1, text.Right + 1, text.Bottom + 1));
}

bool TFwCustomGlyphButton::UpdateFromFrameController(const TFwFrameController& c) {
  if (!c.FrameVisible()) return true;
  SetHotTrack(true);
  auto wants = [this](TFwFrameControllerProperty p) { return (notifications_ & FcpBit(p)) != 0; };
  if (wants(TFwFrameControllerProperty::fcpColor)) fillColor_ = c.Color();
  if (wants(TFwFrameControllerProperty::fcpFrameColor)) frameColor_ = c.FrameColor();
  if (wants(TFwFrameControllerProperty::fcpFocusColor)) focusColor_ = c.FocusColor();
  if (wants(TFwFrameControllerProperty::fcpDisabledColor)) disabledColor_ = c.DisabledColor();
  if (wants(TFwFrameControllerProperty::fcpFrameHotTrack)) frameHotTrack_ = c.FrameHotTrack();
  if (frameHotTrack_) SetHotTrackColor(c.FrameHotColor());
  Invalidate();
  return true;
}

void TFwCustomGlyphButton::ActionLinked(const TAction& action, bool checkDefaults) {
  TFwCustomButton::ActionLinked(action, checkDefaults);
  TakeActionValue(action.Checked(), !Checked(), checkDefaults, [this](bool v) { SetCheckedFromAction(v); });
}

void TFwCustomGlyphButton::FollowAction(const TActionChange& change) {
  TFwCustomButton::FollowAction(change);
  change.Follow(&TActionValues::Checked, Checked(), [this](bool v) { SetCheckedFromAction(v); });
}

void TFwCustomGlyphButton::SetCheckedFromAction(bool value) {
  fromAction_ = true;
  SetChecked(value);
  fromAction_ = false;
}

} // namespace fw
