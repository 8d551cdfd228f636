#include "controls/common/FwCustomEdit.h"

#include "platform/ui/Canvas.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>

namespace fw {

TFwCustomEdit::TFwCustomEdit(TComponent* owner) : TEdit(owner), framing_(*this) {
  // The colour given at creation is the normal colour.
  framing_.ColorChanged(Color());
}

void TFwCustomEdit::SetAlignment(TLeftRight value) {
  if (value == alignment_) return;
  alignment_ = value;
  Widget()->setAlignment((value == TLeftRight::taRightJustify ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
}

void TFwCustomEdit::SetReadOnly(bool value) {
  if (value == ReadOnly()) return;
  TEdit::SetReadOnly(value);
  ReadOnlyChanged();
}

void TFwCustomEdit::ReadOnlyChanged() {
  UpdateColors();
  RepaintFrame();
}

void TFwCustomEdit::SetFrameHotTrack(bool value) {
  if (value == FrameHotTrack()) return;
  framing_.SetFrameHotTrack(value);
  Invalidate();
}

TRect TFwCustomEdit::ClientRect() const {
  const int m = framing_.FrameMargin();
  return Rect(m, m, std::max(m, Width() - m), std::max(m, Height() - m));
}

void TFwCustomEdit::FramingRelayout() {
  // The base widget draws its own sunken border only while we draw no frame.
  Widget()->setFrame(!framing_.FrameVisible());
  LayOutInner();
}

void TFwCustomEdit::KeyPress(QChar& key) {
  if (tabOnEnter_ && key == QLatin1Char('\r')) {
    key = QChar();
    // The Tab arrives after this key is done, as the next key the user typed would.
    QCoreApplication::postEvent(Widget(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
    return;
  }
  TEdit::KeyPress(key);
}

void TFwCustomEdit::DoEnter() {
  UpdateFrame(false, true);
  TEdit::DoEnter();
}

void TFwCustomEdit::DoExit() {
  UpdateFrame(false, false);
  TEdit::DoExit();
}

void TFwCustomEdit::Loaded() {
  TEdit::Loaded();
  UpdateColors();
  UpdateFrame(false, false);
}

void TFwCustomEdit::ColorChanged() {
  TEdit::ColorChanged();
  if (framing_.ColorChanged(Color())) RepaintFrame();
}

void TFwCustomEdit::EnabledChanged() {
  TEdit::EnabledChanged();
  UpdateColors();
  RepaintFrame();
}

void TFwCustomEdit::MouseEnter() {
  QPointer<QWidget> self(this);
  if (OnMouseEnter) OnMouseEnter(this);
  if (self) UpdateFrame(true, true);
}

void TFwCustomEdit::MouseLeave() {
  QPointer<QWidget> self(this);
  if (OnMouseLeave) OnMouseLeave(this);
  if (self) UpdateFrame(true, false);
}

void TFwCustomEdit::paintEvent(QPaintEvent* event) {
  TEdit::paintEvent(event);
  framing_.PaintOver(*this, Color());
}

} // namespace fw
