#include "platform/shell/InputMethods.h"

namespace fw {

// No input framework is asked yet: the list stays empty, and the stored preferred
// input method is kept and shown as it is.
QStringList InstalledInputMethods() { return {}; }

} // namespace fw
