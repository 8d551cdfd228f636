#include "platform/ui/Label.h"

#include <QFontMetrics>
#include <QPainter>

namespace fw {

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  resize(65, 13);
  AdjustBounds();
}

void TLabel::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Invalidate();
}

void TLabel::SetLayout(TTextLayout value) {
  if (value == layout_) return;
  layout_ = value;
  Invalidate();
}

void TLabel::SetAutoSize(bool value) {
  if (value == autoSize_) return;
  autoSize_ = value;
  AdjustBounds();
}

void TLabel::SetWordWrap(bool value) {
  if (value == wordWrap_) return;
  wordWrap_ = value;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  Invalidate();
}

void TLabel::SetShowAccelChar(bool value) {
  if (value == showAccelChar_) return;
  showAccelChar_ = value;
  AdjustBounds();
  Invalidate();
}

int TLabel::TextFlags() const {
  int flags = showAccelChar_ ? Qt::TextShowMnemonic : 0;
  switch (alignment_) {
  case TAlignment::taRightJustify: flags |= Qt::AlignRight; break;
  case TAlignment::taCenter: flags |= Qt::AlignHCenter; break;
  default: flags |= Qt::AlignLeft; break;
  }
  switch (layout_) {
  case TTextLayout::tlCenter: flags |= Qt::AlignVCenter; break;
  case TTextLayout::tlBottom: flags |= Qt::AlignBottom; break;
  default: flags |= Qt::AlignTop; break;
  }
  if (wordWrap_) flags |= Qt::TextWordWrap;
  return flags;
}

QSize TLabel::TextExtent() const {
  const QFontMetrics metrics(font());
  const QString text = Caption().isEmpty() ? QStringLiteral(" ") : Caption();
  const QRect bound = wordWrap_ ? QRect(0, 0, std::max(1, Width()), 100000) : QRect(0, 0, 100000, 100000);
  return metrics.boundingRect(bound, TextFlags() & ~(Qt::AlignRight | Qt::AlignHCenter | Qt::AlignBottom | Qt::AlignVCenter), text).size();
}

void TLabel::AdjustBounds() {
  if (!autoSize_) return;
  const QSize size = TextExtent();
  const int newWidth = wordWrap_ ? Width() : size.width();
  int left = Left();
  // A right-aligned label grows to the left, a centred one to both sides.
  if (!wordWrap_ && alignment_ == TAlignment::taRightJustify) left += Width() - newWidth;
  if (!wordWrap_ && alignment_ == TAlignment::taCenter) left += (Width() - newWidth) / 2;
  SetBounds(left, Top(), newWidth, size.height());
}

void TLabel::TextChanged() {
  AdjustBounds();
  Invalidate();
}

void TLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}

void TLabel::Paint() {
  QPainter* painter = ActivePainter();
  if (!painter) return;
  if (!transparent_) painter->fillRect(rect(), ToQColor(Color()));
  painter->setPen(ToQColor(isEnabled() ? Font().Color() : clGrayText));
  painter->drawText(rect(), TextFlags(), Caption());
  TGraphicControl::Paint();
}

} // namespace fw
