#pragma once
// The desktop's input methods, by the names its input framework gives them. The
// options dialog lists them for the preferred input method.

#include <QStringList>

namespace fw {

// The names of the input methods installed on the desktop; empty where no input
// framework runs or none can be asked.
QStringList InstalledInputMethods();

} // namespace fw
