#pragma once
// Shared pieces of the workbook model: its error type, the constants that the callers
// pass to alignment and border properties (the values of the automation vocabulary),
// the sheet limits and a plain cell rectangle.

#include <QString>
#include <stdexcept>

namespace fw {

// Every failing workbook operation throws this; what() is a message fit to show the user
// (UTF-8), Message() the same as a QString. A file that could not be written also keeps
// the system's cause (errno), 0 otherwise.
class ESheetError : public std::runtime_error {
public:
  explicit ESheetError(const QString& message, int systemError = 0)
      : std::runtime_error(message.toStdString()), message_(message), systemError_(systemError) {}
  const QString& Message() const { return message_; }
  int SystemError() const { return systemError_; }

private:
  QString message_;
  int systemError_;
};

// Horizontal and vertical alignment values.
enum : int {
  xlGeneral = 1,
  xlLeft = -4131,
  xlCenter = -4108,
  xlRight = -4152,
  xlJustify = -4130,
  xlTop = -4160,
  xlBottom = -4107,
};

// Border line styles and weights.
enum : int {
  xlLineStyleNone = -4142,
  xlContinuous = 1,
  xlDash = -4115,
  xlDot = -4118,
  xlDouble = -4119,
  xlHairline = 1,
  xlThin = 2,
  xlMedium = -4138,
  xlThick = 4,
};

// Limits of a worksheet and of one cell's text.
constexpr int kMaxSheetRows = 1048576;
constexpr int kMaxSheetColumns = 16384;
constexpr int kMaxCellTextLength = 32767;

// A rectangle of cells, rows and columns counted from 1, both ends included.
struct TCellRect {
  int Top = 1;
  int Left = 1;
  int Bottom = 1;
  int Right = 1;

  bool Contains(int row, int col) const { return row >= Top && row <= Bottom && col >= Left && col <= Right; }
  bool Intersects(const TCellRect& o) const {
    return Top <= o.Bottom && o.Top <= Bottom && Left <= o.Right && o.Left <= Right;
  }
  bool operator==(const TCellRect&) const = default;
};

} // namespace fw
