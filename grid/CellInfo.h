#pragma once
// The property record every cell of the report grid owns, the numbered cell properties
// through which every change of a property runs, and the cell-range type the grid's
// operations take.

#include "platform/ui/Graphics.h"
#include "platform/ui/Types.h"

#include <QString>
#include <cstdint>

namespace fw {

enum class TDataStyle : std::uint8_t { dsText = 0, dsNumber = 1, dsDate = 2, dsTime = 3, dsFormula = 4 };

// Value div 3 is the vertical band (top, middle, bottom), value mod 3 the horizontal
// placement (left, centre, right).
enum class TAlignMode : std::uint8_t {
  taTopLeft = 0,
  taTop = 1,
  taTopRight = 2,
  taLeft = 3,
  taCenter = 4,
  taRight = 5,
  taBottomLeft = 6,
  taBottom = 7,
  taBottomRight = 8,
};

// A rectangle of cells, (column, row), every edge inclusive. A single cell (c, r) is
// (c, r, c, r).
struct TGridRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool Contains(int col, int row) const { return col >= Left && col <= Right && row >= Top && row <= Bottom; }
  bool Intersects(const TGridRect& o) const {
    return Left <= o.Right && o.Left <= Right && Top <= o.Bottom && o.Top <= Bottom;
  }
  bool IsSingleCell() const { return Left == Right && Top == Bottom; }
  TGridRect United(const TGridRect& o) const;
  friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

inline TGridRect GridRect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }

// One cell's properties. The field order (and the zeroed reserved bytes) is the order in
// which the cell block of the clipboard format writes them.
struct TCellInfo {
  TDataStyle DataStyle = TDataStyle::dsText;
  TAlignMode AlignMode = TAlignMode::taTopLeft;
  TGridRect MergeRect;  // the merged range the cell belongs to; its own cell when not merged
  bool ReadOnly = false;
  bool AutoWordBreak = false;
  bool ShowForeText = true;
  bool DrawTop = false;
  bool DrawLeft = false;
  bool DrawBottom = false;
  bool DrawRight = false;
  bool AllowNegative = true;
  bool TrailingZero = false;
  bool ZeroNull = false;
  bool ThousandSep = false;
  std::uint8_t Reserved1[3] = {0, 0, 0};
  std::int32_t MaxLength = 0;
  std::int32_t IntLength = 0;
  std::int32_t DecLength = 0;
  std::int32_t LineWidth = 1;
  TPenStyle PenStyle = TPenStyle::psSolid;
  std::uint8_t Reserved2[3] = {0, 0, 0};
  std::int32_t Reserved = 0;
  TColor Color = clWhite;
  std::int32_t FontSize = 9;
  TColor FontColor = clBlack;
  TFontStyles FontStyle = 0;
  std::uint8_t Reserved3[3] = {0, 0, 0};
  QString FontName;
  QString ForeText;
  QString BackText;

  // The text the cell shows and edits.
  const QString& ShownText() const { return ShowForeText ? ForeText : BackText; }
  bool HasText() const { return !ForeText.isEmpty() || !BackText.isEmpty(); }
};

// Copies every property of `from` into `to` except the merge range, the three texts
// included; the reserved bytes stay as `to` had them.
void CopyCellProps(const TCellInfo& from, TCellInfo& to);

// The numbered cell properties (ids 7 and 8 set the right and the bottom flag, in that
// order, although the record holds bottom before right).
enum class TCellProp : int {
  DataStyle = 0,
  AlignMode = 1,
  ReadOnly = 2,
  AutoWordBreak = 3,
  ShowForeText = 4,
  DrawTop = 5,
  DrawLeft = 6,
  DrawRight = 7,
  DrawBottom = 8,
  AllowNegative = 9,
  TrailingZero = 10,
  ZeroNull = 11,
  ThousandSep = 12,
  MaxLength = 13,
  IntLength = 14,
  DecLength = 15,
  LineWidth = 16,
  PenStyle = 17,
  Reserved = 18,
  Color = 19,
  FontSize = 20,
  FontColor = 21,
  FontStyle = 22,
  FontName = 23,
  ForeText = 24,
  BackText = 25,
};

// The value of a property change: a number (Booleans, enums, colours and font-style sets
// as their integer value) or a text (font name and the two cell texts).
class TCellPropValue {
public:
  TCellPropValue(int value) : number_(value) {}
  TCellPropValue(unsigned value) : number_(static_cast<std::int32_t>(value)) {}
  TCellPropValue(bool value) : number_(value ? 1 : 0) {}
  TCellPropValue(TDataStyle value) : number_(static_cast<int>(value)) {}
  TCellPropValue(TAlignMode value) : number_(static_cast<int>(value)) {}
  TCellPropValue(TPenStyle value) : number_(static_cast<int>(value)) {}
  TCellPropValue(const QString& value) : text_(value) {}
  TCellPropValue(const char* value) : text_(QString::fromUtf8(value)) {}

  std::int32_t Number() const { return number_; }
  bool Bool() const { return (number_ & 0xFF) != 0; }
  const QString& Text() const { return text_; }

private:
  std::int32_t number_ = 0;
  QString text_;
};

// Sets one property of a record. Enum values outside their range are brought back into
// it, so that a record never holds a style or alignment nothing can draw. The two texts
// are set as given (the grid normalises them before it calls this).
void SetCellProp(TCellInfo& cell, TCellProp id, const TCellPropValue& value);

} // namespace fw
