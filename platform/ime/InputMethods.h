#pragma once
// The input methods installed on the desktop, and switching to one by name, through the
// desktop's input-method framework: Fcitx 5 or IBus, spoken to over D-Bus. With neither
// running the list is empty and switching does nothing.
//
// The program stores the preferred input method's name ("ImePrefer"); the entry form
// switches to it when a Chinese text field is entered, the options dialog offers the
// list. Tests replace the backend.

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace fw {

struct TInputMethod {
  QString Name;  // the framework's own name, used to switch ("pinyin", "libpinyin")
  QString Title; // the name shown to the user ("拼音")
};
using TInputMethodList = std::vector<TInputMethod>;

// The installed input methods of the running framework; empty when none runs.
TInputMethodList InstalledInputMethods();
// Their titles, as the options dialog lists them for the preferred input method.
QStringList InstalledInputMethodTitles();

// Switches the desktop to the input method whose Name or Title is `name` and turns input
// on; false when there is no such method or no framework runs. An empty name does
// nothing.
bool SwitchInputMethod(const QString& name);

// What the two calls above do; the real one talks to the framework.
struct TInputMethodBackend {
  std::function<TInputMethodList()> List;
  std::function<bool(const QString& name)> Switch;
};
// Installs a backend and returns the previous one; an empty backend restores the real one.
TInputMethodBackend InstallInputMethodBackend(TInputMethodBackend backend);

} // namespace fw
