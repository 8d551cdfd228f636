#pragma once
// Registry access with defaults, and the settings read at start-up.

#include "platform/registry/Registry.h"

#include <QString>

namespace fw {

// "\SOFTWARE\Brackwater\" + product name.
QString ProductKey(const QString& product);
inline const QString kProductName = QStringLiteral("Fenwright");
inline const QString kEnvSettingSubKey = QStringLiteral("\\Options\\EnvSetting");
inline const QString kDataSubKey = QStringLiteral("\\Data");

// Reads a string without creating the key; an empty or missing value gives the default.
void RegReadString(const QString& name, const QString& defaultValue, TRootKey root, QString& value,
                   const QString& keyPath);
// Reads an integer without creating the key; any failure gives the default.
int RegReadInteger(const QString& name, int defaultValue, TRootKey root, const QString& keyPath);
// Writes open or create the key. A write that the settings file does not take is shown
// as the registry's error ("Failed to set data for '<name>'") and the caller goes on.
void RegWriteString(const QString& name, const QString& text, TRootKey root, const QString& keyPath);
void RegWriteBool(const QString& name, bool flag, TRootKey root, const QString& keyPath);
void RegWriteInteger(const QString& name, int value, TRootKey root, const QString& keyPath);

// Process-wide settings held after start-up; the options dialog changes them.
extern QString ImePrefer;
extern bool InputWndStyle;
// How an import treats records with errors (0 drop them all, 1 drop only the wrong
// ones): 0 at program start, shown and stored by the options dialog.
extern int ImportPrinciple;

// Start-up settings: on a first run (no "Version", or "000") writes the first-run values
// that are missing, so that options the user set survive every later start; then reads
// ImePrefer and InputWndStyle into the process-wide settings. ProgramDir is the folder
// written as "FilePath".
void LoadRegistrySettings(const QString& product, const QString& programDir);

} // namespace fw
