#include "grid/PageSettings.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace fw {

namespace {

TPageMetrics g_metrics;
bool g_hasPrinter = false;
bool g_initialised = false;

int PerMM(int perInch) { return int(std::lround(perInch / 25.4)); }

} // namespace

bool HasPrinter() { return g_hasPrinter; }

void InitPageMetrics(int screenDpiX, int screenDpiY, const std::optional<TPrinterMetrics>& printer) {
  const TPrinterMetrics p = printer.value_or(TPrinterMetrics{});
  TPageMetrics m;
  m.ScreenPixelsPerInchX = screenDpiX;
  m.ScreenPixelsPerInchY = screenDpiY;
  m.ScreenPixelsPerMMX = PerMM(screenDpiX);
  m.ScreenPixelsPerMMY = PerMM(screenDpiY);
  m.PrinterDotsPerInchX = p.DotsPerInchX;
  m.PrinterDotsPerInchY = p.DotsPerInchY;
  m.PrinterDotsPerMMX = PerMM(p.DotsPerInchX);
  m.PrinterDotsPerMMY = PerMM(p.DotsPerInchY);
  // A printer reporting no resolution would divide by zero; it is taken as the default.
  m.ScreenToPrinterX = double(screenDpiX) / double(p.DotsPerInchX > 0 ? p.DotsPerInchX : 180);
  m.ScreenToPrinterY = double(screenDpiY) / double(p.DotsPerInchY > 0 ? p.DotsPerInchY : 180);
  m.PaperWidthDots = p.PageWidth;
  m.PaperHeightDots = p.PageHeight;
  g_metrics = m;
  g_hasPrinter = printer.has_value();
  g_initialised = true;
}

void InitPageMetrics() {
  int dpiX = 96, dpiY = 96;
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    dpiX = int(std::lround(screen->logicalDotsPerInchX()));
    dpiY = int(std::lround(screen->logicalDotsPerInchY()));
  }
  InitPageMetrics(dpiX, dpiY, std::nullopt);
}

const TPageMetrics& PageMetrics() {
  if (!g_initialised) InitPageMetrics();
  return g_metrics;
}

TCommonPageInfo::TCommonPageInfo() {
  const TPageMetrics& m = PageMetrics();
  PaperWidth = int(std::lround(m.PaperWidthDots * m.ScreenToPrinterX));
  PaperHeight = int(std::lround(m.PaperHeightDots * m.ScreenToPrinterY));
  LeftMargin = RightMargin = 19 * m.ScreenPixelsPerMMX;
  TopMargin = BottomMargin = 25 * m.ScreenPixelsPerMMY;
  Distances = {5 * m.ScreenPixelsPerMMY, 5 * m.ScreenPixelsPerMMY};
}

int TEasyGridPageInfo::TextWidth(const QString& text) {
  int width = 0;
  for (QChar c : text) width += c.unicode() < 0x80 ? 1 : 2;
  return width;
}

QString TEasyGridPageInfo::CutToWidth(const QString& text, int width) {
  QString out;
  int used = 0;
  for (QChar c : text) {
    const int w = c.unicode() < 0x80 ? 1 : 2;
    if (used + w > width) break;
    used += w;
    out += c;
  }
  return out;
}

TEasyGridPageInfo::TEasyGridPageInfo() : pageInfo_(std::make_unique<TCommonPageInfo>()) {}

} // namespace fw
