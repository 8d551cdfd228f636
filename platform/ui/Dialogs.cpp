#include "platform/ui/Dialogs.h"

#include "platform/shell/Hooks.h"
#include "platform/ui/Application.h"

namespace fw {

int MessageBox(const QString& text, const QString& caption, int flags) {
  if (Application) return Application->MessageBox(text, caption, flags);
  return CurrentHooks().MessageBox(text, caption, flags);
}

bool InputQuery(const QString& caption, const QString& prompt, QString& value) {
  QString answer = value;
  if (!CurrentHooks().InputBox(caption, prompt, answer)) return false;
  value = answer;
  return true;
}

QString InputBox(const QString& caption, const QString& prompt, const QString& defaultValue) {
  QString value = defaultValue;
  return InputQuery(caption, prompt, value) ? value : defaultValue;
}

bool ExecuteColorDialog(TColor& color) {
  std::int32_t answer = color;
  if (!CurrentHooks().ChooseColor(answer)) return false;
  color = answer;
  return true;
}

} // namespace fw
