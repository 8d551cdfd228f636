#pragma once
// TFwGroupBox: a panel that frames a group of controls under a caption, in one of six
// looks. gsCustom paints exactly as a panel; the others draw their own caption band and
// frame, and move the children's area below the caption. Alt and the caption's
// accelerator move the focus into the group.

#include "controls/common/FwCustomPanel.h"

class QShortcut;

namespace fw {

enum class TFwGroupBoxStyle { gsStandard, gsCustom, gsTopLine, gsFlat, gsBanner, gsUnderline };

class TFwGroupBox : public TFwCustomPanel {
public:
  explicit TFwGroupBox(TComponent* owner);

  TFwGroupBoxStyle GroupStyle() const { return groupStyle_; }
  void SetGroupStyle(TFwGroupBoxStyle value);

  // The band the caption is drawn in (empty without a caption).
  TRect CaptionBand() const;
  bool UpdateFromFrameController(const TFwFrameController& controller) override;

protected:
  void AdjustClientRect(TRect& rect) const override;
  void Paint() override;
  void TextChanged() override;
  void FontChanged() override;
  // The caption's accelerator was pressed: the first child that can take the focus gets it.
  virtual void AcceleratorPressed();

private:
  // Height of the caption font's text.
  int CaptionHeight() const;
  void DrawFrame(TCanvas& canvas, const TRect& band);
  void DrawBandCaption(TCanvas& canvas, const TRect& band);

  TFwGroupBoxStyle groupStyle_ = TFwGroupBoxStyle::gsFlat;
  QShortcut* accelerator_ = nullptr;
};

} // namespace fw
