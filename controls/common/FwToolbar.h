#pragma once
// TFwToolbar: a panel that places its child controls itself, in its own order
// (ToolbarControls), in rows (or columns) of RowHeight with optional wrapping, and that
// pushes its button size, layout, caption switch and look to its tool buttons through
// the FW_TB_... notices. With AutoResize it takes the height (or width) its rows need.

#include "controls/common/FwCustomPanel.h"
#include "controls/common/FwToolButton.h"

#include <QStringList>
#include <memory>
#include <vector>

namespace fw {

class TBitmap;
class TFwRegIniFile;
class TImageList;

// Texts of a toolbar customisation dialog; kept with the toolbar for its settings.
struct TFwCustomizeCaptions {
  QString Title = QStringLiteral("Customize Toolbar");
  QString Hint = QStringLiteral("Uncheck to hide control");
  QString Close = QStringLiteral("Close");
  QString MoveUp = QStringLiteral("Move Up");
  QString MoveDown = QStringLiteral("Move Down");
  QString TextOptions = QStringLiteral("Text Options");
  QString NoTextLabels = QStringLiteral("No text labels");
  QString ShowTextLabels = QStringLiteral("Show text labels");
  QString SelectiveTextOnRight = QStringLiteral("Selective text on right");
};

enum class TFwToolbarTextOptions { ttoNoTextLabels, ttoShowTextLabels, ttoSelectiveTextOnRight, ttoCustom };

class TFwToolbar : public TFwCustomPanel {
public:
  explicit TFwToolbar(TComponent* owner);
  ~TFwToolbar() override;

  // On another toolbar AutoResize is always false: the outer toolbar places it.
  bool AutoResize() const { return autoResize_; }
  void SetAutoResize(bool value);
  bool AutoStyle() const { return autoStyle_; }
  void SetAutoStyle(bool value);
  TButtonLayout ButtonLayout() const { return buttonLayout_; }
  void SetButtonLayout(TButtonLayout value);
  int ButtonWidth() const { return buttonWidth_; }
  void SetButtonWidth(int value);
  int ButtonHeight() const { return buttonHeight_; }
  void SetButtonHeight(int value);
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* value);
  // Where the layout would be stored; a freed one is forgotten.
  TFwRegIniFile* RegIniFile() const { return regIniFile_; }
  void SetRegIniFile(TFwRegIniFile* value);
  int Margin() const { return margin_; }
  void SetMargin(int value);
  int TopMargin() const { return topMargin_; }
  void SetTopMargin(int value);
  TOrientation Orientation() const { return orientation_; }
  void SetOrientation(TOrientation value);
  int RowHeight() const { return rowHeight_; }
  void SetRowHeight(int value);
  bool ShowButtonCaptions() const { return showButtonCaptions_; }
  void SetShowButtonCaptions(bool value);
  bool ShowDivider() const { return showDivider_; }
  void SetShowDivider(bool value);
  TFwToolbarTextOptions TextOptions() const { return textOptions_; }
  void SetTextOptions(TFwToolbarTextOptions value);
  bool WrapControls() const { return wrapControls_; }
  void SetWrapControls(bool value);
  TBitmap& Background() { return *background_; }
  TFwCustomizeCaptions& CustomizeCaptions() { return customizeCaptions_; }
  void SetCustomizeCaptions(const TFwCustomizeCaptions& value) { customizeCaptions_ = value; }
  void BackgroundChanged() { Invalidate(); }

  void SetVisualStyle(TFwVisualStyle value) override;
  void SetGradientColorStyle(TFwGradientColorStyle value) override;
  void SetBorderInner(TFrameStyleEx value) override;
  void SetBorderOuter(TFrameStyleEx value) override;
  void SetBorderSides(TSides value) override;
  void SetParent(TWinControl* parent) override;

  // The order in which the controls are placed. Children that join later are appended;
  // a freed child leaves the list.
  const std::vector<TControl*>& ToolbarControls() const { return controls_; }
  int IndexOfControl(const TControl* control) const;
  // Sets the order by names (case-insensitive); children not named follow in child order.
  void SetToolbarControls(const QStringList& names);
  void SetToolbarControls(const std::vector<TControl*>& order);

  // Places every control; the number of rows (columns) used.
  void PositionControls();
  // A child changed its size or visibility: the controls are placed again.
  void ControlChanged();
  int Rows() const { return rows_; }
  // Gives every tool button child the size, caption switch and a layout fitting them.
  void ApplyButtonSettings(int width, int height, bool showCaptions);

protected:
  void AlignControls() override;
  void Paint() override;
  void Loaded() override;
  void childEvent(QChildEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void Notification(TComponent* component, TOperation operation) override;
  void Resize() override;
  // A new alignment re-applies the automatic borders and resets the size across.
  void AlignChanged() override;

private:
  void Notify(UINT notice);
  void ApplyAutoStyle();
  void ApplyTextOptions();
  void Relayout();
  void SetSize(int width, int height);

  bool autoResize_ = true;
  bool autoStyle_ = true;
  TButtonLayout buttonLayout_ = TButtonLayout::blGlyphLeft;
  int buttonWidth_ = 25;
  int buttonHeight_ = 25;
  TImageList* images_ = nullptr;
  TFwRegIniFile* regIniFile_ = nullptr;
  TChangeLink imageChangeLink_{[this] { Invalidate(); }};
  int margin_ = 4;
  int topMargin_ = 2;
  TOrientation orientation_ = TOrientation::orHorizontal;
  int rowHeight_ = 25;
  bool showButtonCaptions_ = false;
  bool showDivider_ = true;
  TFwToolbarTextOptions textOptions_ = TFwToolbarTextOptions::ttoNoTextLabels;
  bool applyingPreset_ = false;
  bool wrapControls_ = true;
  bool positioning_ = false;
  bool settingStyle_ = false;
  int rows_ = 1;
  std::unique_ptr<TBitmap> background_;
  TFwCustomizeCaptions customizeCaptions_;
  std::vector<TControl*> controls_;
};

} // namespace fw
