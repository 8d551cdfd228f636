#pragma once
// TFwSizePanel: a panel that the user resizes by dragging a size bar along the edge that
// faces the rest of the window, and that a click on the hot spot in the middle of that bar
// collapses to the bar alone and restores again. The main window's left column (holding
// the group bar) is one. Borders, face and colours are the panel base's; the panel's client
// area leaves the bar free.

#include "controls/common/FwCommon.h"
#include "controls/common/FwCustomPanel.h"
#include "platform/ui/Setters.h"

#include <memory>

class QWidget;

namespace fw {

class TCanvas;

enum class TSplitterStyle { ssStandard, ssGroove, ssBump, ssGroupBar };
// The edge a panel stands at when it is not aligned.
enum class TSide { sdLeft, sdTop, sdRight, sdBottom };

class TFwCustomSizePanel : public TFwCustomPanel {
public:
  explicit TFwCustomSizePanel(TComponent* owner);
  ~TFwCustomSizePanel() override;

  int SizeBarWidth() const { return sizeBarWidth_; }
  void SetSizeBarWidth(int value);
  TSplitterStyle SizeBarStyle() const { return sizeBarStyle_; }
  void SetSizeBarStyle(TSplitterStyle value);
  TSide Side() const { return side_; }
  void SetSide(TSide value);
  int MarginMin() const { return marginMin_; }
  void SetMarginMin(int value);
  int MarginMax() const { return marginMax_; }
  void SetMarginMax(int value);
  bool RealTimeDrag() const { return realTimeDrag_; }
  void SetRealTimeDrag(bool value) { realTimeDrag_ = value; }
  bool LockBar() const { return lockBar_; }
  void SetLockBar(bool value);
  bool HotSpotVisible() const { return hotSpotVisible_; }
  void SetHotSpotVisible(bool value);
  int HotSpotSizePercent() const { return hotSpotSizePercent_; }
  void SetHotSpotSizePercent(int value);
  bool HotSpotIgnoreMargins() const { return hotSpotIgnoreMargins_; }
  void SetHotSpotIgnoreMargins(bool value) { hotSpotIgnoreMargins_ = value; }
  TColor HotSpotColor() const { return hotSpotColor_; }
  void SetHotSpotColor(TColor value) { SetAndInvalidate(*this, hotSpotColor_, value); }
  TColor HotSpotHighlight() const { return hotSpotHighlight_; }
  void SetHotSpotHighlight(TColor value) { SetAndInvalidate(*this, hotSpotHighlight_, value); }
  TColor HotSpotDotColor() const { return hotSpotDotColor_; }
  void SetHotSpotDotColor(TColor value) { SetAndInvalidate(*this, hotSpotDotColor_, value); }
  TColor HotSpotFrameColor() const { return hotSpotFrameColor_; }
  void SetHotSpotFrameColor(TColor value) { SetAndInvalidate(*this, hotSpotFrameColor_, value); }
  int GradientColorAdjustment() const { return gradientColorAdjustment_; }
  void SetGradientColorAdjustment(int value) { SetAndInvalidate(*this, gradientColorAdjustment_, value); }
  TFwGroupBarGradientPath GradientPath() const { return gradientPath_; }
  void SetGradientPath(TFwGroupBarGradientPath value) { SetAndInvalidate(*this, gradientPath_, value); }

  // The collapsed state and the size it restores to. Setting HotSpotClosed collapses or
  // restores the panel without OnHotSpotClick.
  bool HotSpotClosed() const { return closed_; }
  void SetHotSpotClosed(bool value);
  int HotSpotPosition() const { return hotSpotPosition_; }
  void SetHotSpotPosition(int value) { hotSpotPosition_ = value; }

  // Geometry, in the panel's coordinates; empty when the panel has no bar (alClient).
  TRect SizeBarRect() const;
  TRect HotSpotRect() const;
  bool Dragging() const { return dragging_; }
  bool HotSpotHot() const { return hotSpotHot_; }
  // Room the panel may take in its parent: the parent's client size along the bar's
  // direction less the aligned siblings. Throws "No parent specified" without a parent.
  int FreeRoom() const;

  TNotifyEvent OnHotSpotClick;

protected:
  virtual void DoHotSpotClick();
  void Paint() override;
  // The whole control less the size bar: the bar stands outside the borders.
  TRect BorderRect() const override;
  virtual void DrawSizeBar(TCanvas& canvas);
  virtual void DrawHotSpot(TCanvas& canvas);
  void AdjustClientRect(TRect& rect) const override;
  std::unique_ptr<TFwPanelDockManager> CreateDockManager() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseLeave() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  enum class Edge { None, Left, Top, Right, Bottom };
  Edge FacingEdge() const;
  // r less depth pixels on the facing edge.
  TRect LessFacingEdge(TRect r, int depth) const;
  bool HorizontalBar() const { return FacingEdge() == Edge::Top || FacingEdge() == Edge::Bottom; }
  int PanelSize() const { return HorizontalBar() ? Height() : Width(); }
  void SetPanelSize(int size);
  int ClampSize(int size) const;
  int Along(TPoint screen) const { return HorizontalBar() ? screen.Y : screen.X; }
  // A hot-spot click: collapse or restore, then OnHotSpotClick.
  void ToggleHotSpot();
  void ApplyClosed(bool close);
  void CancelDrag();
  void EndDrag();
  void ShowDragLine(int size);
  void HideDragLine();
  void UpdateHot(TPoint p);
  void UpdateCursor(TPoint p);

  int sizeBarWidth_ = 4;
  TSplitterStyle sizeBarStyle_ = TSplitterStyle::ssStandard;
  TSide side_ = TSide::sdLeft;
  int marginMin_ = 0;
  int marginMax_ = 0;
  bool realTimeDrag_ = false;
  bool lockBar_ = false;
  bool hotSpotVisible_ = false;
  int hotSpotSizePercent_ = 40;
  bool hotSpotIgnoreMargins_ = false;
  TColor hotSpotColor_ = clBtnFace;
  TColor hotSpotHighlight_ = clWindow;
  TColor hotSpotDotColor_ = clHighlight;
  TColor hotSpotFrameColor_ = clBtnShadow;
  int gradientColorAdjustment_ = 30;
  TFwGroupBarGradientPath gradientPath_ = TFwGroupBarGradientPath::gpTopToBottom;

  bool closed_ = false;
  int hotSpotPosition_ = 100;
  bool dragging_ = false;
  bool hotSpotPressed_ = false;
  bool hotSpotHot_ = false;
  int sizeAtPress_ = 0;
  bool closedAtPress_ = false;
  int pointerAtPress_ = 0;
  int lastSize_ = 0;
  QWidget* dragLine_ = nullptr;
};

class TFwSizePanel : public TFwCustomSizePanel {
public:
  using TFwCustomSizePanel::TFwCustomSizePanel;
};

} // namespace fw
