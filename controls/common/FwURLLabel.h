#pragma once
// TFwURLLabel: a label that opens a web address (or, without one, its caption) with the
// desktop's default program when clicked, and shows in the visited colour afterwards.

#include "controls/common/FwCustomLabel.h"

namespace fw {

class TFwURLLabel : public TFwCustomLabel {
public:
  explicit TFwURLLabel(TComponent* owner);

  QString URL() const { return url_; }
  void SetURL(const QString& value) { url_ = value; }
  bool Visited() const { return visited_; }
  void SetVisited(bool value);
  TColor UnvisitedColor() const { return unvisitedColor_; }
  void SetUnvisitedColor(TColor value);
  TColor VisitedColor() const { return visitedColor_; }
  void SetVisitedColor(TColor value);

  // The click event first; then the target is opened. A target that cannot be opened
  // is ignored.
  void Click() override;

private:
  void UpdateFontColor();

  QString url_;
  bool visited_ = false;
  TColor unvisitedColor_ = clHighlight;
  TColor visitedColor_ = 0x00800080;
};

} // namespace fw
