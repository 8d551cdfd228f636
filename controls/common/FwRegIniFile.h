#pragma once
// TFwRegIniFile: where a control's settings would be stored, an ini file or a registry
// key. It only holds these settings: nothing in the program reads or writes through it.
// Controls that may name one (the toolbar) keep a reference that a freed one clears.

#include "platform/ui/Component.h"

#include <QString>

namespace fw {

enum class TFwPathType { ptIniFile, ptRegistry };
enum class TFwRegKey {
  hkeyClassesRoot,
  hkeyCurrentUser,
  hkeyLocalMachine,
  hkeyUsers,
  hkeyPerformanceData,
  hkeyCurrentConfig,
  hkeyDynData
};
enum TFwRegAccessKey : unsigned {
  keyQueryValue = 1u << 0,
  keySetValue = 1u << 1,
  keyCreateSubKey = 1u << 2,
  keyEnumerateSubKeys = 1u << 3,
  keyNotify = 1u << 4,
  keyCreateLink = 1u << 5,
  keyRead = 1u << 6,
  keyWrite = 1u << 7,
  keyExecute = 1u << 8,
  keyAllAccess = 1u << 9,
};
using TFwRegAccess = unsigned;

class TFwRegIniFile : public TComponent {
public:
  explicit TFwRegIniFile(TComponent* owner) : TComponent(owner) {}

  QString Path() const { return path_; }
  void SetPath(const QString& value) { Store(path_, value); }
  TFwPathType PathType() const { return pathType_; }
  void SetPathType(TFwPathType value) { Store(pathType_, value); }
  TFwRegKey RegKey() const { return regKey_; }
  void SetRegKey(TFwRegKey value) { Store(regKey_, value); }
  TFwRegAccess RegAccess() const { return regAccess_; }
  void SetRegAccess(TFwRegAccess value) { Store(regAccess_, value); }
  // Whether a setting changed since the settings were last taken (true at first).
  bool SettingsChanged() const { return settingsChanged_; }
  void SetSettingsChanged(bool value) { settingsChanged_ = value; }

private:
  template <class T>
  void Store(T& field, const T& value) {
    if (field == value) return;
    field = value;
    settingsChanged_ = true;
  }

  QString path_;
  TFwPathType pathType_ = TFwPathType::ptIniFile;
  TFwRegKey regKey_ = TFwRegKey::hkeyCurrentUser;
  TFwRegAccess regAccess_ = keyAllAccess;
  bool settingsChanged_ = true;
};

} // namespace fw
