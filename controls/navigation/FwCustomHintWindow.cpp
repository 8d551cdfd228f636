#include "controls/navigation/FwCustomHintWindow.h"

#include "controls/navigation/FwBalloonBitmaps.h"
#include "controls/navigation/FwBalloonHints.h"
#include "controls/navigation/FwBalloonPainter.h"
#include "platform/ui/Setters.h"

#include <QBitmap>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

namespace fw {

namespace {

// Whether the windowing system can cut a window to a shape (the off-screen one cannot).
bool CanShapeWindows() {
  const QString platform = QGuiApplication::platformName();
  return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

// The screen a point lies on (the primary screen when it lies on none).
QRect ScreenRectAt(TPoint p) {
  QScreen* screen = QGuiApplication::screenAt(QPoint(p.X, p.Y));
  if (!screen) screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry() : QRect(0, 0, 1 << 20, 1 << 20);
}

TFwHintCorner ToLower(TFwHintCorner c) {
  if (c == TFwHintCorner::hcUpperRight) return TFwHintCorner::hcLowerRight;
  if (c == TFwHintCorner::hcUpperLeft) return TFwHintCorner::hcLowerLeft;
  return c;
}
TFwHintCorner ToUpper(TFwHintCorner c) {
  if (c == TFwHintCorner::hcLowerRight) return TFwHintCorner::hcUpperRight;
  if (c == TFwHintCorner::hcLowerLeft) return TFwHintCorner::hcUpperLeft;
  return c;
}
TFwHintCorner ToLeft(TFwHintCorner c) {
  if (c == TFwHintCorner::hcLowerRight) return TFwHintCorner::hcLowerLeft;
  if (c == TFwHintCorner::hcUpperRight) return TFwHintCorner::hcUpperLeft;
  return c;
}
TFwHintCorner ToRight(TFwHintCorner c) {
  if (c == TFwHintCorner::hcLowerLeft) return TFwHintCorner::hcLowerRight;
  if (c == TFwHintCorner::hcUpperLeft) return TFwHintCorner::hcUpperRight;
  return c;
}

} // namespace

TFwCustomHintWindow::TFwCustomHintWindow(TComponent* owner) : TCustomControl(owner) {
  // A tool-tip window: no frame, no task-bar entry, never activated, never focused.
  setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
  setAttribute(Qt::WA_ShowWithoutActivating);
  // What lies outside the balloon stays see-through where windows may be translucent;
  // elsewhere the window's shape is cut to the balloon (UpdateShape).
  setAttribute(Qt::WA_TranslucentBackground);
  setFocusPolicy(Qt::NoFocus);
  SetParentColor(false);
  SetColor(clInfoBk);
  Font().SetName(QStringLiteral("MS Sans Serif"));
  Font().SetSize(8);
  Font().SetColor(clInfoText);
}

TFwCustomHintWindow::~TFwCustomHintWindow() {
  if (balloon_) balloon_->WindowGone(this);
}

void TFwCustomHintWindow::LinkBalloonHints(TFwBalloonHints* balloon) {
  balloon_ = balloon;
  if (!balloon) {
    bitmaps_ = nullptr;
    return;
  }
  captionWidth_ = balloon->CaptionWidth();
  SetColor(balloon->Color());
  frameColor_ = balloon->FrameColor();
  corner_ = balloon->Corner();
  alignment_ = balloon->Alignment();
  bitmaps_ = &balloon->Bitmaps();
  Font().Assign(balloon->Font());
  SettingsChanged();
}

void TFwCustomHintWindow::SetCaptionWidth(int value) {
  if (StoreIfChanged(captionWidth_, value)) SettingsChanged();
}

void TFwCustomHintWindow::SetFrameColor(TColor value) {
  if (StoreIfChanged(frameColor_, value)) SettingsChanged();
}

void TFwCustomHintWindow::SetAlignment(TAlignment value) {
  if (StoreIfChanged(alignment_, value)) SettingsChanged();
}

void TFwCustomHintWindow::SetCorner(TFwHintCorner value) {
  if (StoreIfChanged(corner_, value)) SettingsChanged();
}

void TFwCustomHintWindow::SetBitmaps(TFwBalloonBitmaps* bitmaps) {
  bitmaps_ = bitmaps;
  SettingsChanged();
}

void TFwCustomHintWindow::SettingsChanged() {
  if (active_) UpdateShape();
  Invalidate();
}

bool TFwCustomHintWindow::BalloonLook() const { return balloon_ && balloon_->ShowBalloon(); }
bool TFwCustomHintWindow::ShadowOn() const { return balloon_ && balloon_->Shadow(); }

void TFwCustomHintWindow::DoSetHintRect(TCanvas& canvas, TRect& rect, const QString& hint) {
  if (balloon_ && balloon_->OnSetHintRect) balloon_->OnSetHintRect(this, canvas, rect, hint, cornerInEffect_);
}

void TFwCustomHintWindow::DoSetHintWinSize(TCanvas& canvas, int& width, int& height, const QString& hint) {
  if (balloon_ && balloon_->OnSetHintWinSize)
    balloon_->OnSetHintWinSize(this, canvas, width, height, hint, cornerInEffect_);
}

void TFwCustomHintWindow::DoShowHint(QString& hintStr, bool& canShow, THintInfo& hintInfo) {
  QPointer<QWidget> self(this);
  if (balloon_) hintInfo.HintColor = balloon_->Color();
  canShow = true;
  hintInfo.HintMaxWidth = captionWidth_;
  if (balloon_ && balloon_->OnShowHint) balloon_->OnShowHint(hintStr, canShow, hintInfo);
  if (!self) return;
  hintInfo_ = hintInfo;
  hintControl_ = hintInfo.HintControl;
  SetColor(hintInfo.HintColor);
}

TRect TFwCustomHintWindow::CalcHintRect(int maxWidth, const QString& hint) {
  TCanvas canvas;
  canvas.Font().Assign(Font());
  TRect r = Rect(0, 0, maxWidth, 0);
  canvas.DrawText(hint, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  r.Right += 6;
  r.Bottom += 2;
  return r;
}

void TFwCustomHintWindow::TextChanged() {
  MeasureToText();
  TCustomControl::TextChanged();
}

void TFwCustomHintWindow::FontChanged() {
  TCustomControl::FontChanged();
  SettingsChanged();
}

// The window takes the size of its text, wrapped at CaptionWidth.
void TFwCustomHintWindow::MeasureToText() {
  TCanvas canvas;
  canvas.Font().Assign(Font());
  TRect r = Rect(0, 0, captionWidth_, 0);
  canvas.DrawText(Caption(), r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  DoSetHintRect(canvas, r, Caption());
  int w = std::max(r.Width(), MinWidth);
  int h = r.Height();
  DoSetHintWinSize(canvas, w, h, Caption());
  resize(std::max(w, MinWidth), std::max(h, 0));
}

void TFwCustomHintWindow::ActivateHint(TRect rect, const QString& hint) {
  SetCaption(hint);
  cornerInEffect_ = corner_;
  TCanvas canvas;
  canvas.Font().Assign(Font());
  DoSetHintRect(canvas, rect, hint);
  const bool balloon = BalloonLook(), shadow = ShadowOn();
  if (balloon) {
    // Room for the stem above or below the text, and for the shadow.
    if (IsLowerCorner(cornerInEffect_)) {
      rect.Top -= 28;
      if (shadow) rect.Right += 2, rect.Bottom += 2;
    } else if (IsUpperCorner(cornerInEffect_)) {
      rect.Bottom += 28;
      if (shadow) rect.Right += 2;
    } else if (shadow) {
      rect.Right += 2, rect.Bottom += 2;
    }
    rect = Rect(rect.Left - 2, rect.Top - 2, rect.Right + 2, rect.Bottom + 2);
  }
  // The stem points at the pointer; a window shown without a control stays where it is.
  const QPoint anchor = hintControl_ ? hintControl_->mapToGlobal(QPoint(hintInfo_.CursorPos.X, hintInfo_.CursorPos.Y))
                                     : pos();
  anchor_ = {anchor.x(), anchor.y()};
  if (balloon && cornerInEffect_ != TFwHintCorner::hcNone) {
    rect = Bounds(anchor_.X, anchor_.Y, rect.Width(), rect.Height());
    if (active_ && !(rect == lastRect_)) ReleaseHint();
  }
  int w = std::max(MinWidth, rect.Width());
  int h = rect.Height();
  DoSetHintWinSize(canvas, w, h, hint);
  w = std::max(MinWidth, w);
  if (!balloon) cornerInEffect_ = TFwHintCorner::hcLowerRight;

  int x = rect.Left + 1, y = rect.Top;
  if (cornerInEffect_ == TFwHintCorner::hcLowerLeft) x = rect.Left - w - 1;
  if (cornerInEffect_ == TFwHintCorner::hcUpperLeft) x = rect.Left - w - 1, y = rect.Top - h;
  if (cornerInEffect_ == TFwHintCorner::hcUpperRight) y = rect.Top - h;
  FitOnScreen(rect, w, h, x, y);

  lastRect_ = rect;
  setGeometry(x, y, w, h);
  active_ = true;
  UpdateShape();
  show();
}

// Flips the balloon to the other side of the pointer where it would leave the screen.
void TFwCustomHintWindow::FitOnScreen(const TRect& rect, int w, int h, int& x, int& y) {
  const QRect screen = ScreenRectAt(anchor_);
  if (y < screen.top()) {
    cornerInEffect_ = ToLower(cornerInEffect_);
    y = rect.Top;
  }
  if (y + h > screen.bottom() + 1) {
    cornerInEffect_ = ToUpper(cornerInEffect_);
    y = rect.Top - h;
  }
  if (x + w > screen.right() + 1) {
    cornerInEffect_ = ToLeft(cornerInEffect_);
    x = rect.Left - w - 1;
  }
  if (x < screen.left()) {
    cornerInEffect_ = ToRight(cornerInEffect_);
    x = rect.Left + 1;
  }
}

void TFwCustomHintWindow::ReleaseHint() {
  active_ = false;
  hide();
}

QImage TFwCustomHintWindow::RenderImage() {
  QImage image(std::max(1, width()), std::max(1, height()), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  TFwBalloonLook look;
  look.Width = width();
  look.Height = height();
  look.Corner = cornerInEffect_;
  look.Balloon = BalloonLook();
  look.Shadow = ShadowOn();
  look.Color = Color();
  look.FrameColor = frameColor_;
  look.Alignment = alignment_;
  look.Font = &Font();
  look.Text = Caption();
  look.Bitmaps = balloon_ ? bitmaps_ : nullptr;
  {
    TCanvas canvas(&image);
    PaintBalloonHint(canvas, look);
  }
  return image;
}

// The window is cut to the pixels the balloon paints, so the corners and the space
// beside the stem show what lies beneath.
void TFwCustomHintWindow::UpdateShape() {
  image_ = RenderImage();
  if (CanShapeWindows()) setMask(QBitmap::fromImage(image_.createAlphaMask()));
}

void TFwCustomHintWindow::Paint() {
  if (image_.size() != size()) image_ = RenderImage();
  Canvas().DrawImage(0, 0, image_);
}

void TFwCustomHintWindow::PassOn(QMouseEvent& event) {
  if (!hintControl_) return;
  const QPointF global = event.globalPosition();
  QMouseEvent copy(event.type(), hintControl_->mapFromGlobal(global), global, event.button(), event.buttons(),
                   event.modifiers());
  QCoreApplication::sendEvent(hintControl_.data(), &copy);
}

void TFwCustomHintWindow::mouseMoveEvent(QMouseEvent* event) {
  const QPoint g = event->globalPosition().toPoint();
  if (active_ && (std::abs(g.x() - anchor_.X) > 2 || std::abs(g.y() - anchor_.Y) > 2)) ReleaseHint();
  PassOn(*event);
}

void TFwCustomHintWindow::mousePressEvent(QMouseEvent* event) { PassOn(*event); }
void TFwCustomHintWindow::mouseReleaseEvent(QMouseEvent* event) { PassOn(*event); }
void TFwCustomHintWindow::mouseDoubleClickEvent(QMouseEvent* event) { PassOn(*event); }

} // namespace fw
