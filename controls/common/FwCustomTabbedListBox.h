#pragma once
// TFwCustomTabbedListBox: a framed list box whose item texts are split at tab characters
// into columns that start at the tab stops. Stops are in dialog units (a quarter of the
// font's average character width); without stops a tab goes to the next multiple of 32
// units. With tsmAutomatic the stops follow the widest text of each column.

#include "controls/common/FwCustomListBox.h"
#include "controls/common/FwTabStopList.h"

#include <vector>

namespace fw {

enum class TFwTabStopsMode { tsmManual, tsmAutomatic };

class TFwCustomTabbedListBox : public TFwCustomListBox {
public:
  explicit TFwCustomTabbedListBox(TComponent* owner);

  TFwTabStopList& TabStops() { return tabStops_; }
  const TFwTabStopList& TabStops() const { return tabStops_; }
  virtual void SetTabStops(const TFwIntegerList& value);
  TFwTabStopsMode TabStopsMode() const { return tabStopsMode_; }
  virtual void SetTabStopsMode(TFwTabStopsMode value);
  // Average character width of the font in pixels (6 until the font is measured).
  int AveCharWidth() const { return aveCharWidth_; }
  // The stops in pixels from the start of the text.
  std::vector<int> TabStopPixels() const;

protected:
  // Pixels the first column of a plain item is widened by (a descendant's glyph).
  virtual int GlyphWidth() const { return 0; }
  virtual void UpdateAutomaticTabStops();
  void DrawItemText(TCanvas& canvas, int x, int y, const QString& text) override;
  void ItemsChanged() override;
  void FontChanged() override;
  void Loaded() override;

private:
  void MeasureAveCharWidth();
  void TabStopsChanged();

  TFwTabStopList tabStops_;
  TFwTabStopsMode tabStopsMode_ = TFwTabStopsMode::tsmManual;
  int aveCharWidth_ = 6;
  bool computing_ = false;
};

} // namespace fw
