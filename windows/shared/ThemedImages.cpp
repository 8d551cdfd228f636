#include "windows/shared/ThemedImages.h"

#include <QColor>
#include <QDir>
#include <QIcon>
#include <QPainter>

namespace fw {

namespace {

// A plain drawn picture: a sheet with lines, in one of four colours.
QImage DrawnImage(int index, int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  static const QColor colours[] = {QColor(52, 101, 164), QColor(78, 154, 6), QColor(204, 0, 0), QColor(196, 160, 0)};
  const int m = size / 6;
  p.setPen(QColor(40, 40, 40));
  p.setBrush(colours[index % 4]);
  p.drawRect(m, m / 2, size - 2 * m - 1, size - m - 1);
  p.setPen(Qt::white);
  for (int y = m + size / 5; y < size - m; y += size / 6) p.drawLine(2 * m, y, size - 2 * m - 1, y);
  return image;
}

} // namespace

// The desktop's icon theme, with the system icon folder known even where the
// environment names no data folders.
void PrepareIconTheme() {
  QStringList paths = QIcon::themeSearchPaths();
  const QString system = QStringLiteral("/usr/share/icons");
  if (!paths.contains(system) && QDir(system).exists()) {
    paths << system;
    QIcon::setThemeSearchPaths(paths);
  }
  if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor"))
    QIcon::setThemeName(QStringLiteral("Adwaita"));
}

QImage ThemedImage(const QString& name, int index, int size) {
  if (!name.isEmpty()) {
    for (const QString& n : {name, name + QStringLiteral("-symbolic")}) {
      const QIcon icon = QIcon::fromTheme(n);
      if (icon.isNull()) continue;
      const QImage image = icon.pixmap(size, size).toImage();
      if (!image.isNull()) return image.convertToFormat(QImage::Format_ARGB32);
    }
  }
  return DrawnImage(index, size);
}

} // namespace fw
