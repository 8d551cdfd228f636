#pragma once
// Page-settings data every report grid carries: the program-wide screen and printer
// resolution, the common page description (paper, margins, headers and titles) and the
// grid's own page settings. The grid is never printed; these objects hold their
// starting values so that a grid carries the same data as before.

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

namespace fw {

// A printer as the page metrics need it: resolution and page size in printer dots.
struct TPrinterMetrics {
  int DotsPerInchX = 180;
  int DotsPerInchY = 180;
  int PageWidth = 1488;   // A4 at 180 dots per inch
  int PageHeight = 2104;
};

// The resolution values, set once at start by InitPageMetrics.
struct TPageMetrics {
  int ScreenPixelsPerInchX = 96;
  int ScreenPixelsPerInchY = 96;
  int ScreenPixelsPerMMX = 4;
  int ScreenPixelsPerMMY = 4;
  int PrinterDotsPerInchX = 180;
  int PrinterDotsPerInchY = 180;
  int PrinterDotsPerMMX = 7;
  int PrinterDotsPerMMY = 7;
  double ScreenToPrinterX = 96.0 / 180.0;
  double ScreenToPrinterY = 96.0 / 180.0;
  int PaperWidthDots = 1488;   // the printer's page, or A4 at 180 dots per inch
  int PaperHeightDots = 2104;
};

// True when the desktop offers a printer. The program links no print support, so this
// answers false unless a printer was given to InitPageMetrics.
bool HasPrinter();

// Measures the screen and takes the printer's metrics (none: 180 x 180 dots per inch
// and an A4 page). The overload with explicit values serves start-up code and tests.
void InitPageMetrics();
void InitPageMetrics(int screenDpiX, int screenDpiY, const std::optional<TPrinterMetrics>& printer);
const TPageMetrics& PageMetrics();

struct THeader {
  int FontSize = 9;
  bool Flag = false;
  int Value = 0;
  QString FontName = QStringLiteral("宋体");
  QString Text;
};

struct TTitle {
  int Value1 = 0;
  int FontSize = 24;
  bool Flag = false;
  int Value2 = 0;
  QString FontName = QStringLiteral("宋体");
  QString Text;
};

// The common page description; every length is in screen pixels.
class TCommonPageInfo {
public:
  static constexpr int kHeaderCount = 6;
  static constexpr int kTitleCount = 13;

  TCommonPageInfo();

  // The settings whose meaning no part of the program uses stand as data, in order.
  bool Flag1 = false;
  int Int1 = 1;
  bool Flag2 = true;
  int Int2 = 0;
  int Int3 = 9999;
  int Int4 = 0;
  int PaperWidth = 0;
  int PaperHeight = 0;
  int LeftMargin = 0;
  int RightMargin = 0;
  int TopMargin = 0;
  int BottomMargin = 0;
  int Scale = 100;  // per cent
  std::array<int, 2> Ints5{0, 0};
  std::array<bool, 2> Flags3{false, false};
  std::array<int, 2> Ints6{0, 0};
  std::array<bool, 2> Flags4{true, true};
  std::array<int, 2> Distances{0, 0};  // 5 mm each
  std::array<bool, 2> Flags5{true, true};
  std::array<int, 3> Ints7{0, 0, 0};
  std::array<std::uint8_t, 256> Reserved{};

  THeader& Header(int index) { return headers_.at(std::size_t(index)); }
  const THeader& Header(int index) const { return headers_.at(std::size_t(index)); }
  TTitle& Title(int index) { return titles_.at(std::size_t(index)); }
  const TTitle& Title(int index) const { return titles_.at(std::size_t(index)); }

private:
  std::array<THeader, kHeaderCount> headers_;
  std::array<TTitle, kTitleCount> titles_;
};

// The report grid's page settings: ten switches, the two continuation captions and
// the common page description it owns.
class TEasyGridPageInfo {
public:
  static constexpr int kSwitchCount = 10;
  static constexpr int kCaptionLength = 10;

  TEasyGridPageInfo();

  bool Switch(int index) const { return switches_.at(std::size_t(index)); }
  void SetSwitch(int index, bool value) { switches_.at(std::size_t(index)) = value; }
  // Carried from the previous page / to the next page; at most ten columns wide each,
  // a Chinese character taking two (longer texts are cut).
  const QString& PriorPageCaption() const { return priorCaption_; }
  void SetPriorPageCaption(const QString& value) { priorCaption_ = CutToWidth(value, kCaptionLength); }
  const QString& NextPageCaption() const { return nextCaption_; }
  void SetNextPageCaption(const QString& value) { nextCaption_ = CutToWidth(value, kCaptionLength); }
  // The columns a text takes: two for every character beyond ASCII.
  static int TextWidth(const QString& text);
  static QString CutToWidth(const QString& text, int width);
  TCommonPageInfo& PageInfo() { return *pageInfo_; }
  const TCommonPageInfo& PageInfo() const { return *pageInfo_; }

private:
  std::array<bool, kSwitchCount> switches_{true, true, false, true, true, false, false, false, true, false};
  QString priorCaption_ = QStringLiteral("  承前页  ");
  QString nextCaption_ = QStringLiteral("  过次页  ");
  std::unique_ptr<TCommonPageInfo> pageInfo_;
};

} // namespace fw
