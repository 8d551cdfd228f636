#include "platform/sheet/ShownWidths.h"

#include "platform/sheet/CellText.h"
#include "platform/sheet/WorkbookStyles.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace fw {

TShownWidths::TShownWidths(const TWorkbookStyles& styles)
    : styles_(styles), baseSize_(std::max(1.0, styles.DefaultFont().Size)) {}

std::size_t TShownWidths::TNumberKeyHash::operator()(const TNumberKey& key) const noexcept {
  // The bits of the number, mixed (the standard hash of a double hashes its bytes slowly).
  std::uint64_t bits = std::bit_cast<std::uint64_t>(key.Number) ^ (std::uint64_t(unsigned(key.Style)) << 52);
  bits ^= bits >> 33;
  bits *= 0xff51afd7ed558ccdull;
  bits ^= bits >> 33;
  return std::size_t(bits);
}

TShownWidths::TFormat& TShownWidths::Known(int xf) {
  xf = styles_.ValidXf(xf);
  if (xf >= int(formats_.size())) formats_.resize(std::size_t(xf) + 1);
  TFormat& format = formats_[std::size_t(xf)];
  if (!format.Known) {
    format.Known = true;
    format.Code = styles_.NumberFormat(xf);
    const TSheetFontInfo font = styles_.Font(xf);
    format.Scale = font.Size / baseSize_ * (font.Bold ? 1.1 : 1.0);
  }
  return format;
}

int TShownWidths::NumberUnits(double value, int xf) {
  TFormat& format = Known(xf);
  // Small whole numbers (counts, codes) are looked up directly.
  if (value >= 0 && value < kSmallNumbers && value == std::trunc(value)) {
    if (format.SmallNumbers.empty()) format.SmallNumbers.assign(kSmallNumbers, -1);
    int& units = format.SmallNumbers[std::size_t(value)];
    if (units < 0) units = TextWidthUnits(FormatCellNumber(value, format.Code));
    return units;
  }
  const auto found = numbers_.find({xf, value});
  if (found != numbers_.end()) return found->second;
  const int units = TextWidthUnits(FormatCellNumber(value, format.Code));
  numbers_.emplace(TNumberKey{xf, value}, units);
  return units;
}

double TShownWidths::Scale(int xf) { return Known(xf).Scale; }

double FittedColumnWidth(double widestUnits) { return std::min(255.0, std::ceil((widestUnits + 1) * 100) / 100); }

} // namespace fw
