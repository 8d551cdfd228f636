#include "core/RegistrySettings.h"

#include "platform/shell/Hooks.h"

#include <QDir>
#include <functional>

namespace fw {

QString ImePrefer;
bool InputWndStyle = false;
int ImportPrinciple = 0;

QString ProductKey(const QString& product) { return QStringLiteral("\\SOFTWARE\\Brackwater\\") + product; }

void RegReadString(const QString& name, const QString& defaultValue, TRootKey root, QString& value,
                   const QString& keyPath) {
  value = defaultValue;
  TRegistry reg;
  reg.SetRootKey(root);
  if (!reg.OpenKey(keyPath, false)) return;
  const QString stored = reg.ReadString(name);
  if (!stored.isEmpty()) value = stored;
}

int RegReadInteger(const QString& name, int defaultValue, TRootKey root, const QString& keyPath) {
  try {
    TRegistry reg;
    reg.SetRootKey(root);
    if (!reg.OpenKey(keyPath, false)) return defaultValue;
    return reg.ReadInteger(name);
  } catch (const ERegistryException&) {
    return defaultValue;
  }
}

namespace {

// Opens or creates the key and writes one value; throws ERegistryException when the
// settings file does not take it.
void WriteValue(TRootKey root, const QString& keyPath, const std::function<void(TRegistry&)>& write) {
  TRegistry reg;
  reg.SetRootKey(root);
  if (reg.OpenKey(keyPath, true)) write(reg);
}

// The same, with a failure shown as the error it is; the caller goes on either way.
void WriteValueReported(TRootKey root, const QString& keyPath, const std::function<void(TRegistry&)>& write) {
  try {
    WriteValue(root, keyPath, write);
  } catch (const ERegistryException& e) {
    ShowMessage(QString::fromUtf8(e.what()), QString(), MB_OK | MB_ICONERROR);
  }
}

bool ValueMissing(const QString& keyPath, const QString& name) {
  TRegistry reg;
  reg.SetRootKey(TRootKey::HKEY_LOCAL_MACHINE);
  return !reg.OpenKey(keyPath, false) || !reg.ValueExists(name);
}

// The first-run values are filled quietly: when the settings file cannot be written,
// start-up reports it once, at its own write of "ShowGrid", not once per value here.
void FillIfMissing(const QString& keyPath, const QString& name, const std::function<void(TRegistry&)>& write) {
  if (!ValueMissing(keyPath, name)) return;
  try {
    WriteValue(TRootKey::HKEY_LOCAL_MACHINE, keyPath, write);
  } catch (const ERegistryException&) {
  }
}

void WriteStringIfMissing(const QString& keyPath, const QString& name, const QString& value) {
  FillIfMissing(keyPath, name, [&](TRegistry& reg) { reg.WriteString(name, value); });
}

void WriteIntegerIfMissing(const QString& keyPath, const QString& name, int value) {
  FillIfMissing(keyPath, name, [&](TRegistry& reg) { reg.WriteInteger(name, value); });
}

} // namespace

void RegWriteString(const QString& name, const QString& text, TRootKey root, const QString& keyPath) {
  WriteValueReported(root, keyPath, [&](TRegistry& reg) { reg.WriteString(name, text); });
}

void RegWriteBool(const QString& name, bool flag, TRootKey root, const QString& keyPath) {
  WriteValueReported(root, keyPath, [&](TRegistry& reg) { reg.WriteBool(name, flag); });
}

void RegWriteInteger(const QString& name, int value, TRootKey root, const QString& keyPath) {
  WriteValueReported(root, keyPath, [&](TRegistry& reg) { reg.WriteInteger(name, value); });
}

void LoadRegistrySettings(const QString& product, const QString& programDir) {
  const QString key = ProductKey(product);
  const QString envKey = key + kEnvSettingSubKey;
  QString version;
  RegReadString(QStringLiteral("Version"), QStringLiteral("000"), TRootKey::HKEY_LOCAL_MACHINE, version, key);

  if (version == QStringLiteral("000")) {
    // The program never writes "Version", so every start looks like a first run: only
    // fill what is missing, never overwrite what the options dialog stored.
    WriteStringIfMissing(key, QStringLiteral("ServicePack"), QStringLiteral("None"));
    WriteStringIfMissing(key, QStringLiteral("FilePath"), QDir::toNativeSeparators(programDir) + QDir::separator());
    WriteIntegerIfMissing(key, QStringLiteral("AppTyp"), 1);
    WriteStringIfMissing(envKey, QStringLiteral("ImePrefer"), QString());
    WriteIntegerIfMissing(envKey, QStringLiteral("InputWndStyle"), 0);
  }

  RegReadString(QStringLiteral("ImePrefer"), QString(), TRootKey::HKEY_LOCAL_MACHINE, ImePrefer, envKey);
  InputWndStyle = RegReadInteger(QStringLiteral("InputWndStyle"), 0, TRootKey::HKEY_LOCAL_MACHINE, envKey) != 0;
}

} // namespace fw
