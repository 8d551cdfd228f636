#include "controls/common/FwCustomTabbedListBox.h"

#include "platform/ui/Canvas.h"

#include <QListWidget>

namespace fw {

namespace {

constexpr int kDefaultTabUnits = 32;

// Dialog units to pixels, rounded, as the stops are given.
int UnitsToPixels(int units, int aveCharWidth) {
  const long long n = static_cast<long long>(units) * aveCharWidth;
  return static_cast<int>(n >= 0 ? (n + 2) / 4 : -((-n + 2) / 4));
}

} // namespace

TFwCustomTabbedListBox::TFwCustomTabbedListBox(TComponent* owner) : TFwCustomListBox(owner) {
  tabStops_.OnChange = [this] { TabStopsChanged(); };
  SetShowItemHints(false);
  MeasureAveCharWidth();
}

void TFwCustomTabbedListBox::SetTabStops(const TFwIntegerList& value) {
  tabStops_.Assign(value);
  TabStopsChanged();
}

void TFwCustomTabbedListBox::SetTabStopsMode(TFwTabStopsMode value) {
  if (value == tabStopsMode_) return;
  tabStopsMode_ = value;
  if (value == TFwTabStopsMode::tsmAutomatic) UpdateAutomaticTabStops();
}

void TFwCustomTabbedListBox::TabStopsChanged() {
  if (!computing_) Widget()->viewport()->update();
}

std::vector<int> TFwCustomTabbedListBox::TabStopPixels() const {
  std::vector<int> stops;
  for (int i = 0; i < tabStops_.Count(); ++i) stops.push_back(UnitsToPixels(tabStops_.Items(i), aveCharWidth_));
  return stops;
}

void TFwCustomTabbedListBox::DrawItemText(TCanvas& canvas, int x, int y, const QString& text) {
  const std::vector<int> stops = TabStopPixels();
  // One stop repeats at its own distance; without stops every 32 units; past the last of
  // several stops the text runs on after a single space's width.
  const int every = stops.size() == 1 ? stops[0] : stops.empty() ? UnitsToPixels(kDefaultTabUnits, aveCharWidth_) : 0;
  const QStringList columns = text.split(QLatin1Char('\t'));
  int pos = 0;
  for (int c = 0; c < columns.size(); ++c) {
    if (c > 0) {
      int next = -1;
      if (every > 0) {
        next = (pos / every + 1) * every;
      } else {
        for (int s : stops)
          if (s > pos) {
            next = s;
            break;
          }
        if (next < 0) next = pos + canvas.TextWidth(QStringLiteral(" "));
      }
      pos = next;
    }
    canvas.TextOut(x + pos, y, columns[c]);
    pos += canvas.TextWidth(columns[c]);
  }
}

void TFwCustomTabbedListBox::UpdateAutomaticTabStops() {
  if (tabStopsMode_ != TFwTabStopsMode::tsmAutomatic || Loading() || Destroying()) return;
  int maxTabs = 0;
  for (int i = 0; i < Count(); ++i) maxTabs = std::max(maxTabs, static_cast<int>(Item(i).count(QLatin1Char('\t'))));
  computing_ = true;
  tabStops_.Clear();
  int stop = 0;
  for (int column = 0; column < maxTabs; ++column) {
    int width = 0;
    for (int i = 0; i < Count(); ++i) {
      const bool group = IsGroupItem(i);
      QString text = Item(i);
      if (group) text = text.mid(2);
      const QStringList parts = text.split(QLatin1Char('\t'));
      if (column >= parts.size()) continue;
      int w = MeasureText(group ? GroupFont() : Font(), parts[column]);
      if (column == 0 && !group) w += GlyphWidth();
      width = std::max(width, w);
    }
    stop += width / aveCharWidth_ + 4;
    tabStops_.Add(stop);
  }
  computing_ = false;
  TabStopsChanged();
}

void TFwCustomTabbedListBox::MeasureAveCharWidth() {
  // The average width of the letters, as dialog units are defined.
  const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  aveCharWidth_ = std::max(1, (MeasureText(Font(), letters) / 26 + 1) / 2);
}

void TFwCustomTabbedListBox::ItemsChanged() {
  TFwCustomListBox::ItemsChanged();
  UpdateAutomaticTabStops();
}

void TFwCustomTabbedListBox::FontChanged() {
  MeasureAveCharWidth();
  TFwCustomListBox::FontChanged();
  UpdateAutomaticTabStops();
}

void TFwCustomTabbedListBox::Loaded() {
  TFwCustomListBox::Loaded();
  UpdateAutomaticTabStops();
}

} // namespace fw
