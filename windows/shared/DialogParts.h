#pragma once
// Small builders for the parts that dialogs make in code: a label, a toolbar of captioned
// tool buttons and the buttons on it. Each part is owned by the form and placed on its
// parent; callers set the place (bounds or Align) afterwards.

#include <QString>
#include <functional>

namespace fw {

class TComponent;
class TFwToolbar;
class TFwToolButton;
class TLabel;
class TWinControl;

// A label sized to its caption at (left, top).
TLabel* NewLabel(TComponent* owner, TWinControl* parent, int left, int top, const QString& caption);

// A toolbar without a frame of its own whose buttons show their captions, each
// `buttonWidth` pixels wide.
TFwToolbar* NewToolbar(TComponent* owner, TWinControl* parent, const QString& name, int buttonWidth);

// A tool button at the end of the toolbar; `onClick` runs when it is clicked.
TFwToolButton* NewToolButton(TComponent* owner, TFwToolbar* bar, const QString& name, const QString& caption,
                             std::function<void()> onClick);

} // namespace fw
