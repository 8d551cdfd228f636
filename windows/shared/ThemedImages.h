#pragma once
// Pictures for tool bars, menus and the group bar: the desktop's icon theme by
// freedesktop icon name, with a plain drawn sheet where the theme lacks the icon.

#include <QImage>
#include <QString>

namespace fw {

// Makes sure an icon theme is in use and the system icon folder is searched.
void PrepareIconTheme();

// The themed icon `name` at `size` pixels; a drawn picture (one of four colours chosen
// by `index`) when the name is empty or the theme has no such icon.
QImage ThemedImage(const QString& name, int index, int size);

} // namespace fw
