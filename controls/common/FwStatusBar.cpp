#include "controls/common/FwStatusBar.h"

#include "controls/common/FwBorders.h"
#include "controls/common/FwColors.h"
#include "platform/ui/Form.h"
#include "platform/ui/Setters.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWindow>
#include <cmath>

namespace fw {

TFwStatusBar::TFwStatusBar(TComponent* owner) : TFwCustomPanel(owner) {
  resize(185, 19);
  SetAlign(TAlign::alBottom);
  PutBackStatusBarLook();
}

void TFwStatusBar::PutBackStatusBarLook() {
  settingStyle_ = true;
  TFwCustomPanel::SetBorderInner(TFrameStyleEx::fsNone);
  TFwCustomPanel::SetBorderOuter(TFrameStyleEx::fsNone);
  TFwCustomPanel::SetBorderSides(sdAll);
  TFwCustomPanel::SetBorderWidth(0);
  SetHeight(19);
  settingStyle_ = false;
}

void TFwStatusBar::SetAutoStyle(bool value) { autoStyle_ = value; }

void TFwStatusBar::Loaded() {
  TFwCustomPanel::Loaded();
  if (autoStyle_) PutBackStatusBarLook();
}

// A border changed by hand ends the automatic status-bar look.
void TFwStatusBar::SetBorderInner(TFrameStyleEx value) {
  if (!settingStyle_) autoStyle_ = false;
  TFwCustomPanel::SetBorderInner(value);
}
void TFwStatusBar::SetBorderOuter(TFrameStyleEx value) {
  if (!settingStyle_) autoStyle_ = false;
  TFwCustomPanel::SetBorderOuter(value);
}
void TFwStatusBar::SetBorderSides(TSides value) {
  if (!settingStyle_) autoStyle_ = false;
  TFwCustomPanel::SetBorderSides(value);
}
void TFwStatusBar::SetBorderWidth(int value) {
  if (!settingStyle_) autoStyle_ = false;
  TFwCustomPanel::SetBorderWidth(value);
}

void TFwStatusBar::SetAutoScalePanes(bool value) {
  autoScalePanes_ = value;
  lastWidth_ = Width();
}

void TFwStatusBar::SetShowSizeGrip(bool value) { SetAndInvalidate(*this, showSizeGrip_, value); }

void TFwStatusBar::SetSimpleStatus(bool value) {
  if (value == simpleStatus_) return;
  simpleStatus_ = value;
  DisableAlign();
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetVisible(!value);
  EnableAlign();
  Realign();
  Invalidate();
}

void TFwStatusBar::SetSimpleCaption(const QString& value) {
  if (value == simpleCaption_) return;
  simpleCaption_ = value;
  Invalidate();
}

void TFwStatusBar::SetSimpleFrameStyle(TFrameStyle value) { SetAndInvalidate(*this, simpleFrameStyle_, value); }

TRect TFwStatusBar::ClientRect() const {
  TRect r = TFwCustomPanel::ClientRect();
  r.Bottom += 1;
  if (simpleStatus_) {
    r.Top = 2;
  } else {
    r.Top = 1;
    r.Left -= 1;
    r.Right += 1;
  }
  return r;
}

bool TFwStatusBar::SizeGripVisible() const {
  if (!showSizeGrip_) return false;
  const TForm* form = ParentForm();
  if (!form) return false;
  const bool sizeable = form->BorderStyle() == TFormBorderStyle::bsSizeable ||
                        form->BorderStyle() == TFormBorderStyle::bsSizeToolWin;
  return sizeable && form->WindowState() != TWindowState::wsMaximized;
}

void TFwStatusBar::GetGradientColors(TColor& start, TColor& stop) const {
  if (GradientColorStyle() == TFwGradientColorStyle::gcsCustom) {
    // A status bar's own gradient runs from the stop colour to the start colour.
    start = GradientColorStop();
    stop = GradientColorStart();
    return;
  }
  const TStatusBarColors colors = GetStatusBarColors(GradientColorStyle());
  start = colors.Start;
  stop = colors.Stop;
}

void TFwStatusBar::Paint() {
  TCanvas& canvas = Canvas();
  const TRect inner = PaintBordersAndFace(canvas);
  if (simpleStatus_) {
    TRect frame = inner;
    if (simpleFrameStyle_ == TFrameStyle::fsFlat)
      frame = DrawFlatRoundedBorder(canvas, inner, AdjustColor(FlatColor(), FlatColorAdjustment()), sdAll);
    else
      frame = DrawBorderAll(canvas, inner, simpleFrameStyle_);
    canvas.Brush().SetColor(Color());
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Font().Assign(Font());
    const int y = frame.Top + (frame.Height() - canvas.TextHeight(QStringLiteral("Pp"))) / 2;
    canvas.TextRect(frame, inner.Left + 2, y, simpleCaption_);
  }
  if (SizeGripVisible()) DrawSizeGrip(canvas);
  if (OnPaint) OnPaint(this);
}

void TFwStatusBar::DrawSizeGrip(TCanvas& canvas) {
  // Three rows of small squares (3, 2, 1 from the bottom), a highlight square with a
  // shadow square one pixel further.
  const TColor shadow = VisualStyle() == TFwVisualStyle::vsClassic
                            ? clBtnShadow
                            : GetStatusBarColors(GradientColorStyle()).Frame;
  const int right = Width() - 2, bottom = Height() - 2;
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3 - row; ++col) {
      const int x = right - 4 * col - 3, y = bottom - 4 * row - 3;
      canvas.Brush().SetColor(clBtnHighlight);
      canvas.FillRect(Rect(x, y, x + 2, y + 2));
      canvas.Brush().SetColor(shadow);
      canvas.FillRect(Rect(x + 1, y + 1, x + 3, y + 3));
    }
}

void TFwStatusBar::MouseMove(TShiftState shift, int x, int y) {
  TFwCustomPanel::MouseMove(shift, x, y);
  TrackGripCursor(*this, SizeGripVisible() && SizeGripRect().Contains(Point(x, y)));
}

void TFwStatusBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TFwCustomPanel::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft || !SizeGripVisible() || !SizeGripRect().Contains(Point(x, y))) return;
  BeginGripSizing(ClientToScreen(Point(x, y)));
}

// Over the grip the sizing cursor; elsewhere the control's own cursor again.
void TFwStatusBar::TrackGripCursor(TControl& control, bool overGrip) {
  if (overGrip)
    control.setCursor(Qt::SizeFDiagCursor);
  else if (control.Cursor() == crDefault)
    control.unsetCursor();
  else
    control.setCursor(CursorShape(control.Cursor()));
}

bool TFwStatusBar::GripUnder(const TControl& child, TPoint childPoint) const {
  if (!SizeGripVisible()) return false;
  const QPoint p = child.mapTo(this, QPoint(childPoint.X, childPoint.Y));
  return p.x() >= Width() - 12 && p.x() < Width() && p.y() >= 0 && p.y() < Height();
}

namespace {

// Sizes a window by the pointer where the window system cannot: from the press until the
// left button comes up, the window's bottom-right corner follows the pointer.
class TGripSizer : public QObject {
public:
  TGripSizer(TForm& form, QPoint start) : form_(&form), start_(start), size_(form.Width(), form.Height()) {
    qApp->installEventFilter(this);
  }

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::MouseMove && event->type() != QEvent::MouseButtonRelease) return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (!form_ || event->type() == QEvent::MouseButtonRelease || !(mouse->buttons() & Qt::LeftButton)) {
      deleteLater();
      qApp->removeEventFilter(this);
      return false;
    }
    const QPoint moved = mouse->globalPosition().toPoint() - start_;
    const QSize least = form_->minimumSize();
    form_->SetBounds(form_->Left(), form_->Top(), std::max(least.width(), size_.width() + moved.x()),
                     std::max(least.height(), size_.height() + moved.y()));
    return true;
  }

private:
  QPointer<TForm> form_;
  QPoint start_;
  QSize size_;
};

} // namespace

void TFwStatusBar::BeginGripSizing(TPoint screenPoint) {
  TForm* form = ParentForm();
  if (!form) return;
  if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
  QWindow* window = form->windowHandle();
  if (window && window->startSystemResize(Qt::BottomEdge | Qt::RightEdge)) return;
  new TGripSizer(*form, QPoint(screenPoint.X, screenPoint.Y));
}

bool PassSizeGrip(TControl& child, int x, int y, bool press) {
  auto* bar = dynamic_cast<TFwStatusBar*>(child.Parent());
  if (!bar) return false;
  const bool over = bar->GripUnder(child, Point(x, y));
  if (!press) {
    bar->TrackGripCursor(child, over);
    return false;
  }
  if (!over) return false;
  bar->BeginGripSizing(child.ClientToScreen(Point(x, y)));
  return true;
}

void TFwStatusBar::Resize() {
  TFwCustomPanel::Resize();
  if (!autoScalePanes_) return;
  if (lastWidth_ <= 0) {
    lastWidth_ = Width();
    return;
  }
  const int change = Width() - lastWidth_;
  if (change == 0) return;
  DisableAlign();
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* pane = Controls(i);
    const int grow = int(std::lround(double(change) * pane->Width() / lastWidth_));
    pane->SetWidth(pane->Width() + grow);
  }
  lastWidth_ = Width();
  EnableAlign();
}

} // namespace fw
