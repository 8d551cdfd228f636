#pragma once
// The widths of cells' shown texts, for fitting columns to their contents: a number in
// its cell's number format, a text as it is, in units of one Latin digit (CJK and
// full-width characters count 2), scaled by the cell's font against the workbook's
// default font (bold 10% wider). A number is formatted once per format and value: a
// list of many rows repeats few distinct values.

#include <QString>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace fw {

class TWorkbookStyles;

class TShownWidths {
public:
  explicit TShownWidths(const TWorkbookStyles& styles);

  // Unscaled units of a number shown in the cell format xf.
  int NumberUnits(double value, int xf);
  // Unscaled units of a boolean (TRUE, FALSE).
  static int BooleanUnits(bool value) { return value ? 4 : 5; }
  // The factor of the cell format's font.
  double Scale(int xf);

private:
  struct TNumberKey {
    int Style;
    double Number;
    bool operator==(const TNumberKey&) const = default;
  };
  struct TNumberKeyHash {
    std::size_t operator()(const TNumberKey& key) const noexcept;
  };
  static constexpr int kSmallNumbers = 4096;

  // What is known of a cell format (the formats are few: indexed by their number).
  struct TFormat {
    bool Known = false;
    QString Code;
    double Scale = 1;
    std::vector<int> SmallNumbers;  // units of 0..kSmallNumbers-1, -1 not yet known
  };
  TFormat& Known(int xf);

  const TWorkbookStyles& styles_;
  double baseSize_;
  std::vector<TFormat> formats_;
  std::unordered_map<TNumberKey, int, TNumberKeyHash> numbers_;
};

// The width a fitted column takes for its widest shown text (scaled units): one unit of
// room more, in hundredths, at most 255.
double FittedColumnWidth(double widestUnits);

} // namespace fw
