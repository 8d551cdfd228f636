// Geometry of TFwCustomTabControl: tab sizes from captions, images and the tab style,
// rows and placement along the strip, the mapping of strip coordinates into the client
// area for each orientation and sequence, tab polygons and regions, hit tests, and the
// card and display rectangles. Everything here runs lazily before painting and queries.

#include "controls/navigation/FwTabControl.h"

#include "platform/ui/ImageList.h"

#include <QFontMetrics>
#include <QPolygon>
#include <algorithm>
#include <cstdlib>

namespace fw {

// ---- metrics ----------------------------------------------------------------------

bool TFwCustomTabControl::Vertical() const {
  return tabOrientation_ == TFwTabOrientation::toLeft || tabOrientation_ == TFwTabOrientation::toRight;
}

// Turned captions read upwards, on right tabs downwards (facing away from the card).
int TFwCustomTabControl::TextEscapement() const {
  if (!VerticalText()) return 0;
  return tabOrientation_ == TFwTabOrientation::toRight ? 2700 : 900;
}

int TFwCustomTabControl::Slant(int h) const {
  switch (tabStyle_) {
  case TFwTabStyle::tsSingleSlant:
  case TFwTabStyle::tsBackSlant: return h / 2;
  case TFwTabStyle::tsDoubleSlant: return h;
  default: return tabOverlap_;
  }
}

TFont TFwCustomTabControl::TabFont(bool bold) const {
  TFont font;
  font.Assign(Font());
  TFontStyles style = font.Style();
  font.SetStyle(bold ? (style | fsBold) : (style & ~unsigned(fsBold)));
  return font;
}

// Size of a tab along and across the strip.
TPoint TFwCustomTabControl::TabSize(const TFwTabData& tab) {
  const TFont font = TabFont(boldCurrentTab_);
  const QFontMetrics fm(font.ToQFont());
  const QStringList lines = tab.Caption.split(QStringLiteral("\r\n"));
  int w = 0;
  for (const QString& line : lines) w = std::max(w, fm.horizontalAdvance(StripAccelChars(line)));
  int h = int(lines.size()) * fm.height();
  // Turned text: the lines stand side by side, each as long as it is wide.
  if (VerticalText()) std::swap(w, h);
  if (HasImage(tab)) {
    const int iw = images_->Width(), ih = images_->Height();
    switch (imagePosition_) {
    case TFwImagePosition::ipLeft:
    case TFwImagePosition::ipRight:
      w = imageMargin_ + iw + w;
      h = std::max(h, ih);
      break;
    case TFwImagePosition::ipTop:
    case TFwImagePosition::ipBottom:
      w = std::max(w, iw);
      h = imageMargin_ + ih + h;
      break;
    case TFwImagePosition::ipBack:
      w = std::max(w, iw);
      h = std::max(h, ih);
      break;
    case TFwImagePosition::ipStretch: break;
    }
  }
  const int least = fm.horizontalAdvance(tabStyle_ == TFwTabStyle::tsRoundCorners ? QStringLiteral("AAA") : QStringLiteral("A"));
  const int fontHeight = std::abs(font.Height());
  if (tabWidth_ <= 0) w = std::max(w, VerticalText() ? fontHeight : least);
  if (tabHeight_ <= 0) h = std::max(h, VerticalText() ? least : fontHeight);
  // Tabs on the sides stand the same content on its edge.
  const int cw = Vertical() ? h : w;
  const int ch = Vertical() ? w : h;
  // Text that runs across the strip (turned text on top and bottom tabs, level text on
  // side tabs) takes the corner styles' room at its ends across the strip.
  const bool textAcross = VerticalText() != Vertical();
  int along = 0, across = 0;
  switch (tabStyle_) {
  case TFwTabStyle::tsSingleSlant:
  case TFwTabStyle::tsBackSlant:
    along = 2 * Slant(ch + 6) + (cw + 2) + 4 + tabHeight_ / 2;
    across = ch + 6;
    break;
  case TFwTabStyle::tsDoubleSlant:
    along = 2 * Slant(ch + 2) + (cw + 2) + 4 + tabHeight_;
    across = ch + 6;
    break;
  case TFwTabStyle::tsCutCorner:
    along = textAcross ? cw + 10 : 2 * cutCornerSize_ + cw + 8;
    across = ch + 7 + (textAcross ? cutCornerSize_ : 0);
    break;
  case TFwTabStyle::tsRoundCorners:
    along = cw + (textAcross ? 6 : 16);
    across = ch + (textAcross ? 16 : 6);
    break;
  }
  // A fixed width or height is the tab's width or height on the screen.
  int& screenWidth = Vertical() ? across : along;
  int& screenHeight = Vertical() ? along : across;
  if (tabWidth_ > 0) screenWidth = tabWidth_;
  if (tabHeight_ > 0) screenHeight = tabHeight_;
  return {along, across};
}

int TFwCustomTabControl::StripThickness() const {
  return rowHeight_ + (rows_ - 1) * (rowHeight_ - rowOverlap_) + (tabStyle_ == TFwTabStyle::tsRoundCorners ? 3 : 0);
}

bool TFwCustomTabControl::ShadowShown() const {
  return showShadow_ && tabOrientation_ == TFwTabOrientation::toTop && tabSequence_ == TFwTabSequence::tsStandard;
}

TRect TFwCustomTabControl::StripRectRaw() const {
  const int w = Width() - 1, h = Height() - 1, s = StripThickness();
  switch (tabOrientation_) {
  case TFwTabOrientation::toTop: return Rect(0, 0, w - (ShadowShown() ? 2 : 0), s);
  case TFwTabOrientation::toLeft: return Rect(0, 0, s, h);
  case TFwTabOrientation::toBottom: return Rect(0, h - s, w, h);
  case TFwTabOrientation::toRight: return Rect(w - s, 0, w, h);
  }
  return {};
}

int TFwCustomTabControl::StripLength() const {
  const TRect r = StripRectRaw();
  return Vertical() ? r.Height() : r.Width();
}

int TFwCustomTabControl::ButtonSizeRaw() const {
  const QFontMetrics fm(TabFont(boldCurrentTab_).ToQFont());
  const int s = fm.height() + (VerticalText() ? 2 : 4);
  // A fixed size across the strip, in the direction the text runs, sets the buttons' size.
  const bool fixed = Vertical() ? VerticalText() && tabWidth_ > 0 : !VerticalText() && tabHeight_ > 0;
  return std::max(0, fixed ? std::max(s, rowHeight_ - 2) : std::min(s, rowHeight_ - 2));
}

// ---- layout ------------------------------------------------------------------------

void TFwCustomTabControl::EnsureLayout() {
  if (layoutDirty_ && !layingOut_) RunLayout();
}

int TFwCustomTabControl::FirstVisible() const {
  for (int i = 0; i < tabs_.Count(); ++i)
    if (tabs_.Items(i).Visible) return i;
  return -1;
}

int TFwCustomTabControl::LastVisible() const {
  for (int i = tabs_.Count() - 1; i >= 0; --i)
    if (tabs_.Items(i).Visible) return i;
  return -1;
}

// Places the visible tabs along the strip within `available`, starting a new row (in
// MultiLine) where a tab would pass the end; returns the number of rows used.
int TFwCustomTabControl::PlaceRows(const std::vector<int>& sizes, int available) {
  const bool reverse = tabSequence_ == TFwTabSequence::tsReverse;
  const int clip = available - (tabStyle_ == TFwTabStyle::tsRoundCorners ? 4 : 0);
  const int advanceLess = Slant(rowHeight_) - 1;
  int x = reverse ? -margin_ : margin_;
  int row = 0;
  bool rowEmpty = true;
  for (int i = 0; i < tabs_.Count(); ++i) {
    TFwTabData& tab = tabs_.Items(i);
    if (!tab.Visible) continue;
    const int len = std::max(0, std::min(sizes[size_t(i)], clip));
    const int end = reverse ? -(x - len) : x + len;  // distance from the strip start
    if (multiLine_ && !rowEmpty && end > margin_ + available) {
      ++row;
      x = reverse ? -margin_ : margin_;
    }
    tab.Row = row;
    tab.Rect = reverse ? Rect(x - len, 0, x, rowHeight_) : Rect(x, 0, x + len, rowHeight_);
    x += reverse ? -(len - advanceLess) : len - advanceLess;
    rowEmpty = false;
  }
  return row + 1;
}

void TFwCustomTabControl::AlignRows(int available) {
  if (!alignTabs_ || !multiLine_) return;
  if ((!Vertical() && tabWidth_ > 0) || (Vertical() && tabHeight_ > 0)) return;
  const bool reverse = tabSequence_ == TFwTabSequence::tsReverse;
  for (int row = 0; row < rows_; ++row) {
    std::vector<int> members;
    for (int i = 0; i < tabs_.Count(); ++i)
      if (tabs_.Items(i).Visible && tabs_.Items(i).Row == row) members.push_back(i);
    if (members.empty()) continue;
    const TFwTabData& last = tabs_.Items(members.back());
    const int length = reverse ? -last.Rect.Left - margin_ : last.Rect.Right - margin_;
    const int extra = available - (length + (tabStyle_ == TFwTabStyle::tsRoundCorners ? 4 : 0));
    if (extra <= 0) continue;
    const int n = int(members.size());
    int shift = 0;
    for (int k = 0; k < n; ++k) {
      TRect& r = tabs_.Items(members[size_t(k)]).Rect;
      const int grow = extra / n + (k < extra % n ? 1 : 0);
      if (reverse) {
        r.Right -= shift;
        r.Left -= shift + grow;
      } else {
        r.Left += shift;
        r.Right += shift + grow;
      }
      shift += grow;
    }
  }
}

void TFwCustomTabControl::RunLayout() {
  layoutDirty_ = false;
  layingOut_ = true;
  const int count = tabs_.Count();
  std::vector<int> sizes(size_t(count), 0);
  int across = 0;
  for (int i = 0; i < count; ++i) {
    if (!tabs_.Items(i).Visible) continue;
    const TPoint size = TabSize(tabs_.Items(i));
    sizes[size_t(i)] = size.X;
    across = std::max(across, size.Y);
  }
  // The row is as high as the highest tab, unless a form fixed it.
  if (fixedDimension_ > 0) rowHeight_ = fixedDimension_;
  else if (across > 0) rowHeight_ = across;
  rows_ = 1;
  const int length = StripLength();
  int available = length - 2 * margin_;
  if (multiLine_) {
    // The buttons at the end of the strip keep room in every row.
    available -= CloseAndMenuRoom();
    for (;;) {
      const int needed = PlaceRows(sizes, available);
      if (needed <= rows_) break;
      ++rows_;
      available -= rowIndent_;
    }
    AlignRows(available);
  } else {
    PlaceRows(sizes, available - CloseAndMenuRoom() - 2 * ButtonSizeRaw() - 2);
  }
  const int s = StripThickness();
  const bool reverse = tabSequence_ == TFwTabSequence::tsReverse;
  for (int i = 0; i < count; ++i) {
    TFwTabData& tab = tabs_.Items(i);
    if (!tab.Visible) continue;
    const int top = s - rowHeight_ - tab.Row * (rowHeight_ - rowOverlap_);
    tab.Rect.Top = top;
    tab.Rect.Bottom = top + rowHeight_;
    // Reverse runs go towards negative x; move them into positive coordinates.
    if (reverse) {
      tab.Rect.Left += length;
      tab.Rect.Right += length;
    }
  }
  regionCache_.Clear();

  scrolling_ = false;
  const int first = FirstVisible();
  if (!multiLine_ && first >= 0) {
    const int room = length - 2 * margin_ - CloseAndMenuRoom();
    const int extent = reverse ? length - tabs_.Items(LastVisible()).Rect.Left : tabs_.Items(LastVisible()).Rect.Right;
    scrolling_ = extent > room;
  }
  AdjustFirstShown();
  ValidateTabIndex();
  // The selected tab's row always stands next to the card.
  if (multiLine_ && tabIndex_ >= 0 && tabIndex_ < count && tabs_.Items(tabIndex_).Visible)
    RotateRows(tabs_.Items(tabIndex_).Row);
  // A tab selected while the layout was pending is scrolled into view now.
  if (revealPending_) BringIntoView(tabIndex_);
  revealPending_ = false;
  layingOut_ = false;
  UpdateAccelerators();
  const TRect display = DisplayRectRaw();
  if (!(display == lastDisplay_)) {
    lastDisplay_ = display;
    AlignControls();
  }
  PlaceButtons();
}

void TFwCustomTabControl::AdjustFirstShown() {
  const int first = FirstVisible();
  if (!scrolling_ || first < 0) {
    firstShown_ = std::max(first, 0);
    return;
  }
  const int old = std::clamp(firstShown_, 0, tabs_.Count() - 1);
  firstShown_ = old;
  while (firstShown_ < tabs_.Count() && !FullyShown(firstShown_)) ++firstShown_;
  if (firstShown_ < tabs_.Count()) return;
  for (firstShown_ = old - 1; firstShown_ >= 0; --firstShown_)
    if (FullyShown(firstShown_)) return;
  firstShown_ = first;
}

void TFwCustomTabControl::ValidateTabIndex() {
  const int count = tabs_.Count();
  if (FirstVisible() < 0 || tabIndex_ < 0) return;
  int found = -1;
  for (int i = tabIndex_; i < count && found < 0; ++i)
    if (i == tabIndex_ ? CanSelect(i) : MayChangeTo(i)) found = i;
  for (int i = std::min(tabIndex_, count) - 1; i >= 0 && found < 0; --i)
    if (MayChangeTo(i)) found = i;
  if (found == tabIndex_) return;
  // No tab left to select: the setter clears the selection as for an index outside the
  // tabs, without change events.
  if (found < 0) {
    SetTabIndex(-1);
    return;
  }
  internalChange_ = true;
  AssignTabIndex(found);
  internalChange_ = false;
}

int TFwCustomTabControl::Origin() const {
  if (firstShown_ < 0 || firstShown_ >= tabs_.Count()) return 0;
  const TFwTabData& tab = tabs_.Items(firstShown_);
  const int extra = margin_ + (tabStyle_ == TFwTabStyle::tsRoundCorners ? 2 : 0);
  return tabSequence_ == TFwTabSequence::tsReverse ? extra + tab.Rect.Right : tab.Rect.Left - extra;
}

bool TFwCustomTabControl::FullyShown(int index) const {
  if (index < 0 || index >= tabs_.Count()) return false;
  const TFwTabData& tab = tabs_.Items(index);
  if (!tab.Visible) return false;
  if (!scrolling_) return true;
  const int room = StripLength() - 2 * ButtonSizeRaw() - 2 * margin_ - CloseAndMenuRoom();
  const int o = Origin();
  if (tabSequence_ == TFwTabSequence::tsReverse) return o >= tab.Rect.Right && o - tab.Rect.Left <= room;
  return o <= tab.Rect.Left && tab.Rect.Right - o <= room;
}

TPoint TFwCustomTabControl::MapPoint(int x, int y) const {
  const TRect s = StripRectRaw();
  const int o = Origin();
  if (tabSequence_ == TFwTabSequence::tsStandard) {
    switch (tabOrientation_) {
    case TFwTabOrientation::toTop: return {x - o + s.Left, y + s.Top};
    case TFwTabOrientation::toLeft: return {y + s.Left, s.Bottom - (x - o)};
    case TFwTabOrientation::toBottom: return {x - o + s.Left, s.Bottom - y};
    case TFwTabOrientation::toRight: return {s.Right - y, x - o + s.Top};
    }
  }
  switch (tabOrientation_) {
  case TFwTabOrientation::toTop: return {s.Right - (o - x), y + s.Top};
  case TFwTabOrientation::toLeft: return {y + s.Left, s.Top + (o - x)};
  case TFwTabOrientation::toBottom: return {s.Right - (o - x), s.Bottom - y};
  case TFwTabOrientation::toRight: return {s.Right - y, s.Bottom - (o - x)};
  }
  return {x, y};
}

TRect TFwCustomTabControl::MapRect(const TRect& r) const {
  const TPoint a = MapPoint(r.Left, r.Top), b = MapPoint(r.Right, r.Bottom);
  return Rect(std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y));
}

TRect TFwCustomTabControl::DrawnStripRect(int index) const {
  const TFwTabData& tab = tabs_.Items(index);
  TRect r = tab.Rect;
  const int shift = tab.Row * rowIndent_ * (tabSequence_ == TFwTabSequence::tsReverse ? -1 : 1);
  r.Left += shift;
  r.Right += shift;
  if (index == tabIndex_ && tabStyle_ == TFwTabStyle::tsRoundCorners) {
    r.Left -= 2;
    r.Right += 2;
    r.Top -= 2;
  }
  return r;
}

std::vector<TPoint> TFwCustomTabControl::TabPolygon(int index) const {
  const TRect d = DrawnStripRect(index);
  const int l = d.Left, t = d.Top, r = d.Right, b = d.Bottom, h = b - t, k = cutCornerSize_;
  std::vector<TPoint> p;
  switch (tabStyle_) {
  case TFwTabStyle::tsSingleSlant:
    if (softCorners_) p = {{l, b}, {l, t + 2}, {l + 2, t}, {r - h - 4, t}, {r - h + 2, t + 2}, {r, b}};
    else p = {{l, b}, {l, t + 2}, {l + 2, t}, {r - h, t}, {r, b}};
    break;
  case TFwTabStyle::tsDoubleSlant:
    if (softCorners_) p = {{l, b}, {l + h - 2, t + 2}, {l + h + 4, t}, {r - h - 4, t}, {r - h + 2, t + 2}, {r, b}};
    else p = {{l, b}, {l + h, t}, {r - h, t}, {r, b}};
    break;
  case TFwTabStyle::tsCutCorner: p = {{l, b}, {l, t}, {r - k, t}, {r, t + k}, {r, b}}; break;
  case TFwTabStyle::tsRoundCorners: p = {{l, b}, {l, t + 2}, {l + 2, t}, {r - 2, t}, {r, t + 2}, {r, b}}; break;
  case TFwTabStyle::tsBackSlant:
    if (softCorners_) p = {{l, b}, {l + h - 2, t + 2}, {l + h + 4, t}, {r - 2, t}, {r, t + 2}, {r, b}};
    else p = {{l, b}, {l + h, t}, {r - 2, t}, {r, t + 2}, {r, b}};
    break;
  }
  for (TPoint& point : p) point = MapPoint(point.X, point.Y);
  return p;
}

void TFwCustomTabControl::RotateRows(int selectedRow) {
  if (selectedRow <= 0 || rows_ <= 1) return;
  const int s = StripThickness();
  for (int i = 0; i < tabs_.Count(); ++i) {
    TFwTabData& tab = tabs_.Items(i);
    if (!tab.Visible) continue;
    tab.Row = (tab.Row + rows_ - selectedRow) % rows_;
    tab.Rect.Top = s - rowHeight_ - tab.Row * (rowHeight_ - rowOverlap_);
    tab.Rect.Bottom = tab.Rect.Top + rowHeight_;
  }
  regionCache_.Clear();
}

bool TFwCustomTabControl::BringIntoView(int index) {
  if (multiLine_ || !scrolling_ || index < 0) return false;
  const int old = firstShown_;
  if (index < firstShown_) {
    firstShown_ = index;
  } else {
    while (!FullyShown(index) && firstShown_ < index) {
      ++firstShown_;
      while (firstShown_ < index && !tabs_.Items(firstShown_).Visible) ++firstShown_;
    }
  }
  if (old != firstShown_) regionCache_.Clear();
  return old != firstShown_;
}

// ---- public geometry ----------------------------------------------------------------

int TFwCustomTabControl::RowCount() { EnsureLayout(); return rows_; }
int TFwCustomTabControl::RowHeight() { EnsureLayout(); return rowHeight_; }
int TFwCustomTabControl::FirstShownTab() { EnsureLayout(); return firstShown_; }
bool TFwCustomTabControl::ScrollingNeeded() { EnsureLayout(); return scrolling_; }
TRect TFwCustomTabControl::StripRect() { EnsureLayout(); return StripRectRaw(); }
int TFwCustomTabControl::ButtonSize() { EnsureLayout(); return ButtonSizeRaw(); }
bool TFwCustomTabControl::TabFullyShown(int index) { EnsureLayout(); return FullyShown(index); }

TRect TFwCustomTabControl::TabDrawRect(int index) {
  EnsureLayout();
  return MapRect(DrawnStripRect(index));
}

QRegion TFwCustomTabControl::TabRegion(int index) {
  EnsureLayout();
  const TRect rect = MapRect(DrawnStripRect(index));
  if (const QRegion* cached = regionCache_.Find(rect)) return *cached;
  const std::vector<TPoint> points = TabPolygon(index);
  QRegion region;
  if (points.size() >= 3) {
    QPolygon polygon;
    for (const TPoint& p : points) polygon << QPoint(p.X, p.Y);
    region = QRegion(polygon, Qt::OddEvenFill);
    regionCache_.Add(rect, region);
  }
  return region;
}

int TFwCustomTabControl::TabAtPos(TPoint p) {
  EnsureLayout();
  const int count = tabs_.Count();
  if (count == 0 || FirstVisible() < 0) return -1;
  auto hit = [&](int i) {
    return FullyShown(i) && TabDrawRect(i).Contains(p) && TabRegion(i).contains(QPoint(p.X, p.Y));
  };
  if (tabIndex_ >= 0 && tabIndex_ < count && hit(tabIndex_)) return tabIndex_;
  const int start = std::clamp(firstShown_, 0, count - 1);
  for (int k = 0; k < count; ++k) {
    const int i = (start + k) % count;
    if (i != tabIndex_ && hit(i)) return i;
  }
  return -1;
}

TRect TFwCustomTabControl::CardRect(int row) {
  EnsureLayout();
  return CardRectRaw(row);
}

TRect TFwCustomTabControl::CardRectRaw(int row) const {
  TRect c = Rect(0, 0, Width() - 1, Height() - 1);
  // The shadow of top tabs lies inside the control, two pixels right of and below the card.
  if (ShadowShown()) {
    c.Right -= 2;
    c.Bottom -= 2;
  }
  const int s = StripThickness();
  const int d = row * (rowHeight_ - rowOverlap_);
  const int e = s - d;
  int a = rowIndent_ * row;
  int b = rowIndent_ * (rows_ - row - 1);
  if (tabSequence_ == TFwTabSequence::tsReverse) std::swap(a, b);
  switch (tabOrientation_) {
  case TFwTabOrientation::toTop: c = Rect(c.Left + a, c.Top + e, c.Right - b, c.Bottom - d); break;
  case TFwTabOrientation::toBottom: c = Rect(c.Left + a, c.Top + d, c.Right - b, c.Bottom + d - s); break;
  case TFwTabOrientation::toLeft: c = Rect(c.Left + e, c.Top + b, c.Right - d, c.Bottom - a); break;
  case TFwTabOrientation::toRight: c = Rect(c.Left + d, c.Top + a, c.Right + d - s, c.Bottom - b); break;
  }
  if (c.Right < c.Left || c.Bottom < c.Top) c = TRect{};
  return c;
}

TRect TFwCustomTabControl::DisplayRect() {
  EnsureLayout();
  return DisplayRectRaw();
}

TRect TFwCustomTabControl::DisplayRectRaw() const {
  TRect r = CardRectRaw(0);
  if (!showCardFrame_) {
    r.Right += 1;
    r.Bottom += 1;
  } else if (showFullFrame_) {
    r.Left += 1;
    r.Top += 1;
  } else {
    if (tabOrientation_ != TFwTabOrientation::toRight) r.Top += 1;
    r.Right += 1;
    r.Bottom += 1;
  }
  return r;
}

void TFwCustomTabControl::AdjustClientRect(TRect& rect) const {
  rect = DisplayRectRaw();
}

void TFwCustomTabControl::AlignControls() {
  EnsureLayout();
  TCustomControl::AlignControls();
}

} // namespace fw
