#include "platform/ui/StatusBar.h"

#include <QPainter>

namespace fw {

void TStatusPanel::SetText(const QString& value) {
  if (value == text_) return;
  text_ = value;
  bar_.Invalidate();
}

void TStatusPanel::SetWidth(int value) {
  if (value == width_) return;
  width_ = value;
  bar_.Invalidate();
}

void TStatusPanel::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  bar_.Invalidate();
}

TStatusBar::TStatusBar(TComponent* owner) : TCustomControl(owner) {
  SetColor(clBtnFace);
  resize(200, 19);
  SetAlign(TAlign::alBottom);
}

TStatusPanel* TStatusBar::AddPanel() {
  panels_.push_back(std::make_unique<TStatusPanel>(*this));
  Invalidate();
  return panels_.back().get();
}

void TStatusBar::ClearPanels() {
  panels_.clear();
  Invalidate();
}

void TStatusBar::SetSimplePanel(bool value) {
  if (value == simplePanel_) return;
  simplePanel_ = value;
  Invalidate();
}

void TStatusBar::SetSimpleText(const QString& value) {
  if (value == simpleText_) return;
  simpleText_ = value;
  Invalidate();
}

TRect TStatusBar::PanelRect(int index) const {
  int left = 0;
  for (int i = 0; i < index; ++i) left += panels_[static_cast<size_t>(i)]->Width();
  const bool last = index == PanelCount() - 1;
  const int right = last ? std::max(left, Width()) : left + panels_[static_cast<size_t>(index)]->Width();
  return {left, 0, right, Height()};
}

void TStatusBar::Paint() {
  QPainter* painter = ActivePainter();
  if (!painter) return;
  painter->setPen(ToQColor(Font().Color()));
  auto drawPane = [&](const TRect& r, const QString& text, TAlignment alignment) {
    const QRect q = r.ToQt().adjusted(0, 1, -2, -1);
    painter->setPen(ToQColor(clBtnShadow));
    painter->drawLine(q.topLeft(), q.topRight());
    painter->drawLine(q.topLeft(), q.bottomLeft());
    painter->setPen(ToQColor(clBtnHighlight));
    painter->drawLine(q.bottomLeft(), q.bottomRight());
    painter->drawLine(q.topRight(), q.bottomRight());
    int flags = Qt::AlignVCenter | Qt::TextSingleLine;
    flags |= alignment == TAlignment::taCenter         ? Qt::AlignHCenter
             : alignment == TAlignment::taRightJustify ? Qt::AlignRight
                                                       : Qt::AlignLeft;
    painter->setPen(ToQColor(Font().Color()));
    painter->drawText(q.adjusted(2, 0, -2, 0), flags, text);
  };
  if (simplePanel_ || panels_.empty()) {
    drawPane(ClientRect(), simplePanel_ ? simpleText_ : Caption(), TAlignment::taLeftJustify);
  } else {
    for (int i = 0; i < PanelCount(); ++i) drawPane(PanelRect(i), Panels(i)->Text(), Panels(i)->Alignment());
  }
  TCustomControl::Paint();
}

} // namespace fw
