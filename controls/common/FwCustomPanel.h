#pragma once
// TFwCustomPanel: the framed container of the control library, base of the toolbar, the
// status bar and the group box. An outer border, a band of BorderWidth and an inner
// border on chosen sides replace the usual bevels; the face is a colour or a gradient,
// optionally with a dot or line grid, and the caption is placed with vertical alignment
// and word wrap. Aligned children see the client area inside the borders. While the
// panel is disabled it remembers which children were enabled and gives them back their
// state when it is enabled again. TFwPanel is the same control.

#include "controls/common/FwCommon.h"
#include "controls/common/FwFrameController.h"
#include "platform/ui/CustomControl.h"

#include <QPointer>
#include <memory>
#include <vector>

namespace fw {

class TCanvas;
class TFwPanelDockManager;

enum class TFwGridStyle { gsDots, gsDottedLines, gsSolidLines };

// Width of one border of the given style (fsStatus and fsPopup take the bevel width).
int FwBorderWidth(TFrameStyleEx style, int bevelWidth);

class TFwCustomPanel : public TCustomControl, public IFwFrameClient {
public:
  explicit TFwCustomPanel(TComponent* owner);
  ~TFwCustomPanel() override;

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TAlignmentVertical AlignmentVertical() const { return alignmentVertical_; }
  void SetAlignmentVertical(TAlignmentVertical value);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int value);
  TFrameStyleEx BorderInner() const { return borderInner_; }
  virtual void SetBorderInner(TFrameStyleEx value);
  TFrameStyleEx BorderOuter() const { return borderOuter_; }
  virtual void SetBorderOuter(TFrameStyleEx value);
  TSides BorderSides() const { return borderSides_; }
  virtual void SetBorderSides(TSides value);
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor value);
  TColor BorderHighlight() const { return borderHighlight_; }
  void SetBorderHighlight(TColor value);
  TColor BorderShadow() const { return borderShadow_; }
  void SetBorderShadow(TColor value);
  int BorderWidth() const { return borderWidth_; }
  virtual void SetBorderWidth(int value);
  TColor FlatColor() const { return flatColor_; }
  void SetFlatColor(TColor value);
  int FlatColorAdjustment() const { return flatColorAdjustment_; }
  void SetFlatColorAdjustment(int value);
  TFwFrameControllerNotifications FrameControllerNotifications() const override { return notifications_; }
  void SetFrameControllerNotifications(TFwFrameControllerNotifications value) { notifications_ = value; }
  bool FullRepaint() const { return fullRepaint_; }
  void SetFullRepaint(bool value) { fullRepaint_ = value; }
  TFwGradientColorStyle GradientColorStyle() const { return gradientColorStyle_; }
  virtual void SetGradientColorStyle(TFwGradientColorStyle value);
  TColor GradientColorStart() const { return gradientColorStart_; }
  void SetGradientColorStart(TColor value);
  TColor GradientColorStop() const { return gradientColorStop_; }
  void SetGradientColorStop(TColor value);
  TGradientDirection GradientDirection() const { return gradientDirection_; }
  void SetGradientDirection(TGradientDirection value);
  TColor GridColor() const { return gridColor_; }
  void SetGridColor(TColor value);
  TFwGridStyle GridStyle() const { return gridStyle_; }
  void SetGridStyle(TFwGridStyle value);
  int GridXSize() const { return gridXSize_; }
  void SetGridXSize(int value);
  int GridYSize() const { return gridYSize_; }
  void SetGridYSize(int value);
  bool ShowGrid() const { return showGrid_; }
  void SetShowGrid(bool value);
  int TextMargin() const { return textMargin_; }
  void SetTextMargin(int value);
  bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool value);
  TFwVisualStyle VisualStyle() const { return visualStyle_; }
  virtual void SetVisualStyle(TFwVisualStyle value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);

  // Docking: a dock site that uses its dock manager draws a grabber for each docked
  // client, with the client's caption when ShowDockClientCaptions is on.
  bool DockSite() const { return dockSite_; }
  void SetDockSite(bool value);
  bool UseDockManager() const { return useDockManager_; }
  void SetUseDockManager(bool value);
  bool ShowDockClientCaptions() const { return showDockClientCaptions_; }
  void SetShowDockClientCaptions(bool value);
  // The dock manager (nullptr unless the panel is a dock site using one).
  TFwPanelDockManager* DockManager() const { return dockManager_.get(); }
  // Kept for windows that set it: a locked panel is never taken over by an embedded
  // document server, and no such server exists here.
  bool Locked() const { return locked_; }
  void SetLocked(bool value) { locked_ = value; }
  // Docks a control into the panel at r; false when the panel is no dock site.
  bool DockClient(TControl* client, const TRect& r);

  void SetEnabled(bool value) override;
  void SetBounds(int left, int top, int width, int height) override;

  // The rectangle inside the borders (and BorderWidth when asked).
  virtual TRect AdjustRectForBorders(const TRect& r, bool withBorderWidth) const;
  bool UpdateFromFrameController(const TFwFrameController& controller) override;

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

protected:
  void AdjustClientRect(TRect& rect) const override;
  void Paint() override;
  // Paints the borders and the face and returns the inner rectangle.
  TRect PaintBordersAndFace(TCanvas& canvas);
  // The rectangle the borders are drawn round: the whole control.
  virtual TRect BorderRect() const;
  virtual void GetGradientColors(TColor& start, TColor& stop) const;
  virtual void DrawCaption(TCanvas& canvas, const TRect& r);
  virtual void DrawGrid(TCanvas& canvas, const TRect& r);
  // The parent's colour, shown in rounded corners and behind a transparent panel.
  TColor OuterColor() const;

  void MouseEnter() override;
  void MouseLeave() override;
  virtual void DoMouseEnter();
  virtual void DoMouseLeave();
  // A border property changed: children are laid out again and the panel repaints.
  virtual void BordersChanged();
  // The dock manager a dock site uses; descendants that keep room of their own give one
  // that keeps docked clients out of it.
  virtual std::unique_ptr<TFwPanelDockManager> CreateDockManager();

private:
  TAlignment alignment_ = TAlignment::taCenter;
  TAlignmentVertical alignmentVertical_ = TAlignmentVertical::avCenter;
  int bevelWidth_ = 1;
  TFrameStyleEx borderInner_ = TFrameStyleEx::fsNone;
  TFrameStyleEx borderOuter_ = TFrameStyleEx::fsRaised;
  TSides borderSides_ = sdAll;
  TColor borderColor_ = clBtnFace;
  TColor borderHighlight_ = clBtnHighlight;
  TColor borderShadow_ = clBtnShadow;
  int borderWidth_ = 0;
  TColor flatColor_ = clBtnShadow;
  int flatColorAdjustment_ = 30;
  TFwFrameControllerNotifications notifications_ = fcnAll;
  bool fullRepaint_ = true;
  TFwGradientColorStyle gradientColorStyle_ = TFwGradientColorStyle::gcsSystem;
  TColor gradientColorStart_ = clWhite;
  TColor gradientColorStop_ = clBtnFace;
  TGradientDirection gradientDirection_ = TGradientDirection::gdHorizontalEnd;
  TColor gridColor_ = clBtnShadow;
  TFwGridStyle gridStyle_ = TFwGridStyle::gsDots;
  int gridXSize_ = 8;
  int gridYSize_ = 8;
  bool showGrid_ = false;
  int textMargin_ = 0;
  bool transparent_ = false;
  TFwVisualStyle visualStyle_ = TFwVisualStyle::vsWinXP;
  bool wordWrap_ = true;
  void UpdateDockManager();

  bool dockSite_ = false;
  bool locked_ = false;
  bool useDockManager_ = true;
  bool showDockClientCaptions_ = true;
  std::unique_ptr<TFwPanelDockManager> dockManager_;
  // Enabled states of the children while the panel is disabled.
  std::vector<std::pair<QPointer<QObject>, bool>> childStates_;
};

using TFwPanel = TFwCustomPanel;

} // namespace fw
