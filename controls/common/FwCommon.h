#pragma once
// The look vocabulary shared by the control library's controls (frame styles, sides,
// framing preference, visual and gradient styles, directions) and a few small helpers
// that many controls use: accelerator stripping, centring, font measures, monitor work
// areas, and the two look values set once at start-up.

#include "platform/ui/Graphics.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Types.h"

#include <QString>

class QWidget;

namespace fw {

class TWinControl;

// Border styles. TFrameStyle is the same type restricted by convention to the first
// eleven values (fsNone..fsFlatBold); fsFlatRounded is only used for panel borders.
enum class TFrameStyleEx {
  fsNone,
  fsFlat,
  fsGroove,
  fsBump,
  fsLowered,
  fsButtonDown,
  fsRaised,
  fsButtonUp,
  fsStatus,
  fsPopup,
  fsFlatBold,
  fsFlatRounded,
};
using TFrameStyle = TFrameStyleEx;

// Which edges a frame or border has: a bit mask, as the painters take it.
enum TSideBits : unsigned { sdLeft = 1u << 0, sdTop = 1u << 1, sdRight = 1u << 2, sdBottom = 1u << 3 };
using TSides = unsigned;
constexpr TSides sdAll = sdLeft | sdTop | sdRight | sdBottom;

// fpXPThemes leaves the frame to the desktop theme when one is active (never here);
// fpCustomFraming always draws the library's own frame.
enum class TFramingPreference { fpCustomFraming, fpXPThemes };
enum class TFwVisualStyle { vsClassic, vsWinXP, vsGradient };
// Where gradient colours come from: system-derived, the desktop scheme, or the control's own.
enum class TFwGradientColorStyle { gcsSystem, gcsMSOffice, gcsCustom };
enum class TFwGroupBarGradientPath { gpTopToBottom, gpBottomToTop };

enum class TGradientDirection {
  gdDiagonalUp,
  gdDiagonalDown,
  gdHorizontalEnd,
  gdHorizontalCenter,
  gdHorizontalBox,
  gdVerticalEnd,
  gdVerticalCenter,
  gdVerticalBox,
  gdSquareBox,
  gdBigSquareBox,
};

enum class TTextStyle { tsNormal, tsRaised, tsRecessed, tsShadow };
enum class TAlignmentVertical { avTop, avCenter, avBottom };
enum class TOrientation { orHorizontal, orVertical };
enum class TBarStyle { bsTraditional, bsLED, bsGradient };
enum class TFwScrollStyle { scsNone, scsLeft, scsUp, scsRight, scsDown };
enum class TFwHotTrackColorType { htctComplement, htctActual };
enum class TFwButtonHotTrackStyle { htsInterior, htsFrame };

// The desktop's visual-theme services. They are never active here, so every themed
// branch of the library falls back to its own painters. Tests may switch the flag on to
// reach the scheme colour tables.
bool ThemeServicesActive();
void SetThemeServicesActive(bool active);

// The colour scheme (0 blue, 1 olive, 2 silver) and whether the screen shows more than
// 256 colours. Both are read once on first use; panels write a new scheme when the
// desktop reports a theme change.
int XPColorScheme();
void SetXPColorScheme(int scheme);
bool HighColorDisplay();
void SetHighColorDisplay(bool high);

// Text without accelerator marks: a single "&" is dropped, "&&" gives "&"; the last
// character always stays.
QString StripAccelChars(const QString& text);
int CountChar(QChar c, const QString& text);

// Whether the program runs under one of the desktop versions the library once told
// apart (0 to 6). None of them is this desktop, so the answer is always false.
inline bool RunningUnder(int /*kind*/) { return false; }

// Keys that move through a list by themselves and so end a search by typed prefix
// (Escape, the arrows, Page Up/Down, Home, End).
bool EndsIncrementalSearch(WORD key);

// A width x height rectangle centred in r.
TRect CenterRect(const TRect& r, int width, int height);

// Font measures: the line height + 2, and the average width of the 52 Latin letters.
int GetMinFontHeight(const TFont& font);
int GetAvgCharWidth(const TFont& font);
// Every font here is scalable.
inline bool IsTrueTypeFont(const TFont&) { return true; }

// Work area and full bounds of the screen that holds a point (the primary screen when
// none does), and the work-area width of the screen that holds a widget's centre.
TRect GetMonitorWorkRect(TPoint screenPoint);
TRect GetMonitorBoundsRect(TPoint screenPoint);
int GetMonitorWorkWidth(const QWidget* widget);

// A widget's tool tip changed from oldTip (a new item or tab under the pointer): a tip
// showing the old text shows the new one at once (or goes when it is empty), without
// waiting for the pointer to rest again.
void ShowChangedToolTip(QWidget& widget, const QString& oldTip);

// The first control inside parent, in tab order, that is a tab stop and can take the
// focus now, searched depth first as the dialog's own Tab key walks; nullptr when none.
TWinControl* FirstFocusableChild(TWinControl* parent);

} // namespace fw
