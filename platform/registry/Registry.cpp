#include "platform/registry/Registry.h"

#include "platform/shell/Folders.h"

#include <QDir>
#include <QSettings>

namespace fw {

namespace {

QString RootFileName(TRootKey key) {
  switch (key) {
  case TRootKey::HKEY_CLASSES_ROOT: return QStringLiteral("HKEY_CLASSES_ROOT.ini");
  case TRootKey::HKEY_CURRENT_USER: return QStringLiteral("HKEY_CURRENT_USER.ini");
  case TRootKey::HKEY_LOCAL_MACHINE: return QStringLiteral("HKEY_LOCAL_MACHINE.ini");
  case TRootKey::HKEY_USERS: return QStringLiteral("HKEY_USERS.ini");
  }
  return QStringLiteral("HKEY_CURRENT_USER.ini");
}

// "\SOFTWARE\Brackwater\X" -> "software/brackwater/x": groups compare without case.
QString NormalizePath(const QString& path) {
  QStringList parts;
  for (const QString& part : QString(path).replace('/', '\\').split('\\', Qt::SkipEmptyParts))
    parts << part.toLower();
  return parts.join('/');
}

// Marker value that records that a key was created, so that an empty key exists.
const QString kKeyMarker = QStringLiteral(".key");

} // namespace

QString RegistryFolder() { return UserConfigFolder(); }

TRegistry::TRegistry() = default;
TRegistry::~TRegistry() {
  if (store_) store_->sync();
}

void TRegistry::SetRootKey(TRootKey key) {
  if (key == rootKey_) return;
  CloseKey();
  store_.reset();
  rootKey_ = key;
}

QSettings& TRegistry::Store() const {
  if (!store_) {
    const QString folder = RegistryFolder();
    QDir().mkpath(folder);
    store_ = std::make_unique<QSettings>(folder + "/" + RootFileName(rootKey_), QSettings::IniFormat);
  }
  return *store_;
}

QString TRegistry::GroupOf(const QString& key) const {
  // A key starting with "\" is absolute; otherwise it is relative to the open key.
  if (key.startsWith('\\') || !open_) return NormalizePath(key);
  const QString relative = NormalizePath(key);
  if (currentPath_.isEmpty()) return relative;
  return relative.isEmpty() ? currentPath_ : currentPath_ + "/" + relative;
}

QString TRegistry::ValueKey(const QString& name) const {
  // Value names keep their case inside the key but compare without it.
  const QString value = name.isEmpty() ? QStringLiteral("@default") : name.toLower();
  return currentPath_.isEmpty() ? value : currentPath_ + "/" + value;
}

bool TRegistry::KeyExists(const QString& key) const {
  const QString group = GroupOf(key);
  if (group.isEmpty()) return true;
  for (const QString& stored : Store().allKeys()) {
    if (stored.startsWith(group + "/")) return true;
  }
  return false;
}

bool TRegistry::OpenKey(const QString& key, bool canCreate) {
  const QString group = GroupOf(key);
  if (!KeyExists(key)) {
    if (!canCreate) return false;
    Store().setValue(group + "/" + kKeyMarker, 1);
  }
  currentPath_ = group;
  open_ = true;
  return true;
}

void TRegistry::CloseKey() {
  if (store_) store_->sync();
  currentPath_.clear();
  open_ = false;
}

bool TRegistry::ValueExists(const QString& name) const { return Store().contains(ValueKey(name)); }

QString TRegistry::ReadString(const QString& name) const { return Store().value(ValueKey(name)).toString(); }

int TRegistry::ReadInteger(const QString& name) const {
  const QVariant value = Store().value(ValueKey(name));
  if (!value.isValid()) throw ERegistryException("Invalid data type for '" + name.toStdString() + "'");
  bool ok = false;
  const int number = value.toString().trimmed().toInt(&ok);
  if (!ok) throw ERegistryException("Invalid data type for '" + name.toStdString() + "'");
  return number;
}

bool TRegistry::ReadBool(const QString& name) const { return ReadInteger(name) != 0; }

void TRegistry::WriteValue(const QString& name, const QVariant& value) {
  QSettings& store = Store();
  store.setValue(ValueKey(name), value);
  // The value has to reach the file now: a file that cannot be written would otherwise
  // drop it without a word when the store closes.
  store.sync();
  if (store.status() == QSettings::AccessError)
    throw ERegistryException("Failed to set data for '" + name.toStdString() + "'");
}

void TRegistry::WriteString(const QString& name, const QString& value) { WriteValue(name, value); }

void TRegistry::WriteInteger(const QString& name, int value) { WriteValue(name, value); }

void TRegistry::WriteBool(const QString& name, bool value) { WriteInteger(name, value ? 1 : 0); }

bool TRegistry::DeleteValue(const QString& name) {
  if (!ValueExists(name)) return false;
  Store().remove(ValueKey(name));
  return true;
}

} // namespace fw
