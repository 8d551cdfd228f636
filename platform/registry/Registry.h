#pragma once
// The settings store that the program addresses as a registry of keys and values. Each
// root key is one INI file in the registry folder ($FENWRIGHT_REGISTRY_DIR, else
// $XDG_CONFIG_HOME/fenwright); a key path such as "\SOFTWARE\Brackwater\Fenwright" is a
// group path inside that file. Key paths compare without regard to case, as the
// desktop's registry does.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <stdexcept>

class QSettings;

namespace fw {

enum class TRootKey { HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS };

// A failed read of a missing value or of a value of the wrong type, or a write that the
// settings file did not take.
class ERegistryException : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The folder that holds the INI files of the root keys.
QString RegistryFolder();

class TRegistry {
public:
  TRegistry();
  ~TRegistry();
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  TRootKey RootKey() const { return rootKey_; }
  void SetRootKey(TRootKey key);

  // Opens a key relative to the root; false when it does not exist and CanCreate is false.
  bool OpenKey(const QString& key, bool canCreate);
  void CloseKey();
  bool KeyExists(const QString& key) const;
  QString CurrentPath() const { return currentPath_; }

  bool ValueExists(const QString& name) const;
  QString ReadString(const QString& name) const; // missing value gives ""
  int ReadInteger(const QString& name) const;    // throws ERegistryException: missing or not an integer
  bool ReadBool(const QString& name) const;      // as ReadInteger, nonzero is true
  // Writes go to the file at once; one that the file does not take (it cannot be
  // written) throws ERegistryException "Failed to set data for '<name>'".
  void WriteString(const QString& name, const QString& value);
  void WriteInteger(const QString& name, int value);
  void WriteBool(const QString& name, bool value);
  bool DeleteValue(const QString& name);

private:
  QSettings& Store() const;
  QString GroupOf(const QString& key) const;
  QString ValueKey(const QString& name) const;
  void WriteValue(const QString& name, const QVariant& value);

  TRootKey rootKey_ = TRootKey::HKEY_CURRENT_USER;
  QString currentPath_;
  bool open_ = false;
  mutable std::unique_ptr<QSettings> store_;
};

} // namespace fw
