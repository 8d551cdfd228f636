#pragma once
// Accelerators of captions: the character after a single "&" ("&&" is a plain "&"),
// pressed together with Alt.

#include <QChar>
#include <QString>
#include <functional>

class QShortcut;
class QWidget;

namespace fw {

// The caption's accelerator in upper case; a null character when it has none.
QChar AcceleratorChar(const QString& caption);

// Replaces Shortcut by a window-wide Alt+<accelerator> shortcut on Owner that runs
// Activated, or by none when the caption has no accelerator.
void UpdateAcceleratorShortcut(QShortcut*& shortcut, QWidget* owner, const QString& caption,
                               std::function<void()> activated);

} // namespace fw
