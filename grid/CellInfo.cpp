#include "grid/CellInfo.h"

#include <algorithm>

namespace fw {

TGridRect TGridRect::United(const TGridRect& o) const {
  return {std::min(Left, o.Left), std::min(Top, o.Top), std::max(Right, o.Right), std::max(Bottom, o.Bottom)};
}

void CopyCellProps(const TCellInfo& from, TCellInfo& to) {
  const TGridRect merge = to.MergeRect;
  std::uint8_t r1[3], r2[3], r3[3];
  std::copy(std::begin(to.Reserved1), std::end(to.Reserved1), r1);
  std::copy(std::begin(to.Reserved2), std::end(to.Reserved2), r2);
  std::copy(std::begin(to.Reserved3), std::end(to.Reserved3), r3);
  to = from;
  to.MergeRect = merge;
  std::copy(r1, r1 + 3, to.Reserved1);
  std::copy(r2, r2 + 3, to.Reserved2);
  std::copy(r3, r3 + 3, to.Reserved3);
}

namespace {

// Enum values arrive as plain numbers; one out of range falls back to the enum's first.
template <class E>
E EnumValue(const TCellPropValue& value, int last) {
  const int v = value.Number() & 0xFF;
  return static_cast<E>(v <= last ? v : 0);
}

} // namespace

void SetCellProp(TCellInfo& cell, TCellProp id, const TCellPropValue& value) {
  switch (id) {
  case TCellProp::DataStyle: cell.DataStyle = EnumValue<TDataStyle>(value, 4); break;
  case TCellProp::AlignMode: cell.AlignMode = EnumValue<TAlignMode>(value, 8); break;
  case TCellProp::ReadOnly: cell.ReadOnly = value.Bool(); break;
  case TCellProp::AutoWordBreak: cell.AutoWordBreak = value.Bool(); break;
  case TCellProp::ShowForeText: cell.ShowForeText = value.Bool(); break;
  case TCellProp::DrawTop: cell.DrawTop = value.Bool(); break;
  case TCellProp::DrawLeft: cell.DrawLeft = value.Bool(); break;
  case TCellProp::DrawRight: cell.DrawRight = value.Bool(); break;
  case TCellProp::DrawBottom: cell.DrawBottom = value.Bool(); break;
  case TCellProp::AllowNegative: cell.AllowNegative = value.Bool(); break;
  case TCellProp::TrailingZero: cell.TrailingZero = value.Bool(); break;
  case TCellProp::ZeroNull: cell.ZeroNull = value.Bool(); break;
  case TCellProp::ThousandSep: cell.ThousandSep = value.Bool(); break;
  case TCellProp::MaxLength: cell.MaxLength = value.Number(); break;
  case TCellProp::IntLength: cell.IntLength = value.Number(); break;
  case TCellProp::DecLength: cell.DecLength = value.Number(); break;
  case TCellProp::LineWidth: cell.LineWidth = value.Number(); break;
  case TCellProp::PenStyle: cell.PenStyle = EnumValue<TPenStyle>(value, 6); break;
  case TCellProp::Reserved: cell.Reserved = value.Number(); break;
  case TCellProp::Color: cell.Color = value.Number(); break;
  case TCellProp::FontSize: cell.FontSize = value.Number(); break;
  case TCellProp::FontColor: cell.FontColor = value.Number(); break;
  case TCellProp::FontStyle: cell.FontStyle = static_cast<TFontStyles>(value.Number()) & 0x0F; break;
  case TCellProp::FontName: cell.FontName = value.Text(); break;
  case TCellProp::ForeText: cell.ForeText = value.Text(); break;
  case TCellProp::BackText: cell.BackText = value.Text(); break;
  }
}

} // namespace fw
