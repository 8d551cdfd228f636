#pragma once
// TStatusBar: a plain status bar along the bottom of a form, with a row of text panels
// (the last one reaches to the right edge) or one simple text.

#include "platform/ui/CustomControl.h"

#include <memory>
#include <vector>

namespace fw {

class TStatusBar;

class TStatusPanel {
public:
  explicit TStatusPanel(TStatusBar& bar) : bar_(bar) {}
  QString Text() const { return text_; }
  void SetText(const QString& value);
  int Width() const { return width_; }
  void SetWidth(int value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);

private:
  TStatusBar& bar_;
  QString text_;
  int width_ = 50;
  TAlignment alignment_ = TAlignment::taLeftJustify;
};

class TStatusBar : public TCustomControl {
public:
  explicit TStatusBar(TComponent* owner);

  int PanelCount() const { return static_cast<int>(panels_.size()); }
  TStatusPanel* Panels(int index) const { return panels_.at(static_cast<size_t>(index)).get(); }
  TStatusPanel* AddPanel();
  void ClearPanels();
  bool SimplePanel() const { return simplePanel_; }
  void SetSimplePanel(bool value);
  QString SimpleText() const { return simpleText_; }
  void SetSimpleText(const QString& value);

  // The rectangle of a panel in the bar (the last reaches to the right edge).
  TRect PanelRect(int index) const;

protected:
  void Paint() override;

private:
  std::vector<std::unique_ptr<TStatusPanel>> panels_;
  bool simplePanel_ = false;
  QString simpleText_;
};

} // namespace fw
