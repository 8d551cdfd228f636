#include "platform/shell/Hooks.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace fw {

namespace {

Hooks DefaultHooks() {
  Hooks h;
  h.MessageBox = [](const QString& text, const QString& caption, int flags) {
    std::fprintf(stderr, "[%s] %s\n", qUtf8Printable(caption), qUtf8Printable(text));
    return (flags & 0xF) == MB_YESNO || (flags & 0xF) == MB_YESNOCANCEL ? IDYES : IDOK;
  };
  h.Question = [](const QString& text, int) {
    std::fprintf(stderr, "[?] %s\n", qUtf8Printable(text));
    return IDYES;
  };
  h.InputBox = [](const QString&, const QString&, QString&) { return false; };
  h.OpenFileDialog = [](const FileDialogRequest&) { return FileDialogResult{}; };
  h.SaveFileDialog = [](const FileDialogRequest&) { return FileDialogResult{}; };
  h.OpenWithDefault = [](const QString&) { return false; };
  h.ChooseColor = [](std::int32_t&) { return false; };
  h.Beep = [] {};
  h.Now = [] { return QDateTime::currentDateTime(); };
  return h;
}

Hooks& Storage() {
  static Hooks hooks = DefaultHooks();
  return hooks;
}

} // namespace

Hooks& CurrentHooks() { return Storage(); }

Hooks InstallHooks(Hooks hooks) {
  Hooks defaults = DefaultHooks();
  // A hook left empty keeps the harmless default rather than crashing the caller.
  if (!hooks.MessageBox) hooks.MessageBox = defaults.MessageBox;
  if (!hooks.Question) hooks.Question = defaults.Question;
  if (!hooks.InputBox) hooks.InputBox = defaults.InputBox;
  if (!hooks.OpenFileDialog) hooks.OpenFileDialog = defaults.OpenFileDialog;
  if (!hooks.SaveFileDialog) hooks.SaveFileDialog = defaults.SaveFileDialog;
  if (!hooks.OpenWithDefault) hooks.OpenWithDefault = defaults.OpenWithDefault;
  if (!hooks.ChooseColor) hooks.ChooseColor = defaults.ChooseColor;
  if (!hooks.Beep) hooks.Beep = defaults.Beep;
  if (!hooks.Now) hooks.Now = defaults.Now;
  Hooks previous = Storage();
  Storage() = std::move(hooks);
  return previous;
}

int ShowMessage(const QString& text, const QString& caption, int flags) {
  return CurrentHooks().MessageBox(text, caption.isEmpty() ? kProgramTitle : caption, flags);
}

bool OpenWithDefaultProgram(const QString& path) { return CurrentHooks().OpenWithDefault(path); }

QString FileKeptNotice(const QString& path, const QString& whyHere) {
  return QStringLiteral("文件已经保存到：'") + QDir::toNativeSeparators(path) + QStringLiteral("'！\n") +
         (whyHere.isEmpty() ? QString() : whyHere + QLatin1Char('\n')) +
         QStringLiteral("系统中没有能打开它的默认程序，请到该位置用其他程序打开它。");
}

void TellWhereFileIs(const QString& path, const QString& whyHere) {
  ShowMessage(FileKeptNotice(path, whyHere), QString(), MB_OK | MB_ICONINFORMATION);
}

bool ShowFileToUser(const QString& path) {
  if (OpenWithDefaultProgram(path)) return true;
  TellWhereFileIs(path);
  return false;
}

void Beep() { CurrentHooks().Beep(); }

QDateTime Now() { return CurrentHooks().Now(); }

bool ConfirmOverwrite(const QString& path, const QString& dialogTitle) {
  if (!QFileInfo::exists(path)) return true;
  return ShowMessage(QDir::toNativeSeparators(path) + QStringLiteral(" 已存在。\n要替换它吗？"), dialogTitle,
                     MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

} // namespace fw
