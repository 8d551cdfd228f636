#include "controls/common/FwCommon.h"

#include "controls/common/FwColors.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WinControl.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QCursor>
#include <QScreen>
#include <QToolTip>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <optional>

namespace fw {

namespace {
bool themesActive = false;
std::optional<int> colorScheme;
std::optional<bool> highColor;
} // namespace

bool ThemeServicesActive() { return themesActive; }
void SetThemeServicesActive(bool active) { themesActive = active; }

int XPColorScheme() {
  if (!colorScheme) colorScheme = GetXPColorScheme();
  return *colorScheme;
}

void SetXPColorScheme(int scheme) { colorScheme = scheme; }

bool HighColorDisplay() {
  if (!highColor) highColor = IsHighColorDisplay();
  return *highColor;
}

void SetHighColorDisplay(bool high) { highColor = high; }

QString StripAccelChars(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (int i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

int CountChar(QChar c, const QString& text) { return int(text.count(c)); }

bool EndsIncrementalSearch(WORD key) {
  switch (key) {
  case VK_ESCAPE:
  case VK_PRIOR:
  case VK_NEXT:
  case VK_END:
  case VK_HOME:
  case VK_LEFT:
  case VK_UP:
  case VK_RIGHT:
  case VK_DOWN: return true;
  default: return false;
  }
}

TRect CenterRect(const TRect& r, int width, int height) {
  const int left = (r.Left + r.Right - width) / 2;
  const int top = (r.Top + r.Bottom - height) / 2;
  return Bounds(left, top, width, height);
}

int GetMinFontHeight(const TFont& font) { return QFontMetrics(font.ToQFont()).height() + 2; }

int GetAvgCharWidth(const TFont& font) {
  const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  return int(std::lround(QFontMetrics(font.ToQFont()).horizontalAdvance(letters) / 52.0));
}

namespace {
QScreen* ScreenAt(TPoint p) {
  QScreen* screen = QGuiApplication::screenAt(p.ToQt());
  return screen ? screen : QGuiApplication::primaryScreen();
}
} // namespace

TRect GetMonitorWorkRect(TPoint screenPoint) {
  QScreen* screen = ScreenAt(screenPoint);
  return screen ? TRect::FromQt(screen->availableGeometry()) : TRect{};
}

TRect GetMonitorBoundsRect(TPoint screenPoint) {
  QScreen* screen = ScreenAt(screenPoint);
  return screen ? TRect::FromQt(screen->geometry()) : TRect{};
}

int GetMonitorWorkWidth(const QWidget* widget) {
  if (!widget) return GetMonitorWorkRect({}).Width();
  const QPoint centre = widget->mapToGlobal(widget->rect().center());
  return GetMonitorWorkRect({centre.x(), centre.y()}).Width();
}

TWinControl* FirstFocusableChild(TWinControl* parent) {
  if (!parent) return nullptr;
  std::vector<TWinControl*> wins;
  for (int i = 0; i < parent->ControlCount(); ++i)
    if (auto* w = dynamic_cast<TWinControl*>(parent->Controls(i))) wins.push_back(w);
  std::stable_sort(wins.begin(), wins.end(), [](auto* a, auto* b) { return a->TabOrder() < b->TabOrder(); });
  for (TWinControl* w : wins) {
    if (!w->Visible() || !w->Enabled()) continue;
    if (w->TabStop()) return w;
    if (TWinControl* inner = FirstFocusableChild(w)) return inner;
  }
  return nullptr;
}

void ShowChangedToolTip(QWidget& widget, const QString& oldTip) {
  const QString tip = widget.toolTip();
  if (tip == oldTip || !QToolTip::isVisible() || QToolTip::text() != oldTip) return;
  if (tip.isEmpty())
    QToolTip::hideText();
  else
    QToolTip::showText(QCursor::pos(), tip, &widget);
}

} // namespace fw
