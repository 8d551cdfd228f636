#include "platform/ui/Accelerator.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

namespace fw {

QChar AcceleratorChar(const QString& caption) {
  QChar key;
  for (int i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] == QLatin1Char('&')) {
      if (caption[i + 1] != QLatin1Char('&')) key = caption[i + 1].toUpper();
      ++i;
    }
  }
  return key;
}

void UpdateAcceleratorShortcut(QShortcut*& shortcut, QWidget* owner, const QString& caption,
                               std::function<void()> activated) {
  delete shortcut;
  shortcut = nullptr;
  const QChar key = AcceleratorChar(caption);
  if (key.isNull()) return;
  shortcut = new QShortcut(QKeySequence(QStringLiteral("Alt+") + key), owner);
  shortcut->setContext(Qt::WindowShortcut);
  QObject::connect(shortcut, &QShortcut::activated, owner, std::move(activated));
}

} // namespace fw
