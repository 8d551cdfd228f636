#include "core/RegistrySettings.h"
#include "support/TestSupport.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

using namespace fw;

class RegistrySettingsTest : public ::testing::Test {
protected:
  fwtest::ScopedUserFolders folders;
  const QString key = ProductKey(kProductName);
  const QString envKey = key + kEnvSettingSubKey;
};

TEST_F(RegistrySettingsTest, ReadsGiveDefaultsOnAnyFailure) {
  QString text = "x";
  RegReadString("Missing", "默认", TRootKey::HKEY_LOCAL_MACHINE, text, key);
  EXPECT_EQ(text, "默认");
  EXPECT_EQ(RegReadInteger("Missing", 7, TRootKey::HKEY_LOCAL_MACHINE, key), 7);
  RegWriteString("Text", "abc", TRootKey::HKEY_LOCAL_MACHINE, key);
  EXPECT_EQ(RegReadInteger("Text", 3, TRootKey::HKEY_LOCAL_MACHINE, key), 3); // wrong type
  RegWriteString("Empty", "", TRootKey::HKEY_LOCAL_MACHINE, key);
  RegReadString("Empty", "默认", TRootKey::HKEY_LOCAL_MACHINE, text, key);
  EXPECT_EQ(text, "默认"); // an empty value reads as the default
  RegWriteInteger("ShowGrid", 1, TRootKey::HKEY_LOCAL_MACHINE, key);
  EXPECT_EQ(RegReadInteger("ShowGrid", 0, TRootKey::HKEY_LOCAL_MACHINE, key), 1);
}

TEST_F(RegistrySettingsTest, FirstRunWritesDefaults) {
  LoadRegistrySettings(kProductName, "/opt/fenwright");
  QString servicePack;
  RegReadString("ServicePack", "", TRootKey::HKEY_LOCAL_MACHINE, servicePack, key);
  EXPECT_EQ(servicePack, "None");
  QString filePath;
  RegReadString("FilePath", "", TRootKey::HKEY_LOCAL_MACHINE, filePath, key);
  EXPECT_EQ(filePath, "/opt/fenwright/");
  EXPECT_EQ(RegReadInteger("AppTyp", 0, TRootKey::HKEY_LOCAL_MACHINE, key), 1);
  EXPECT_EQ(RegReadInteger("InputWndStyle", 5, TRootKey::HKEY_LOCAL_MACHINE, envKey), 0);
  EXPECT_EQ(ImePrefer, "");
  EXPECT_FALSE(InputWndStyle);
}

// The program never writes "Version", so every start is a "first run"; the options the
// user set must survive it.
TEST_F(RegistrySettingsTest, OptionsSurviveEveryStart) {
  LoadRegistrySettings(kProductName, "/opt/fenwright");
  RegWriteString("ImePrefer", "拼音输入法", TRootKey::HKEY_LOCAL_MACHINE, envKey);
  RegWriteInteger("InputWndStyle", 1, TRootKey::HKEY_LOCAL_MACHINE, envKey);
  LoadRegistrySettings(kProductName, "/opt/fenwright");
  EXPECT_EQ(ImePrefer, "拼音输入法");
  EXPECT_TRUE(InputWndStyle);
  QString stored;
  RegReadString("ImePrefer", "", TRootKey::HKEY_LOCAL_MACHINE, stored, envKey);
  EXPECT_EQ(stored, "拼音输入法");
}

TEST_F(RegistrySettingsTest, LaterRunReadsSettings) {
  RegWriteString("Version", "1.0", TRootKey::HKEY_LOCAL_MACHINE, key);
  RegWriteString("ImePrefer", "五笔", TRootKey::HKEY_LOCAL_MACHINE, envKey);
  RegWriteInteger("InputWndStyle", 2, TRootKey::HKEY_LOCAL_MACHINE, envKey);
  LoadRegistrySettings(kProductName, "/opt/fenwright");
  EXPECT_EQ(ImePrefer, "五笔");
  EXPECT_TRUE(InputWndStyle);
  EXPECT_EQ(RegReadInteger("AppTyp", -1, TRootKey::HKEY_LOCAL_MACHINE, key), -1); // nothing written
}

// A settings file that cannot be written: each write names its value in the registry's
// error and the caller goes on; the first-run fill stays quiet (start-up reports the
// file once, at its own write).
TEST_F(RegistrySettingsTest, AWriteTheFileDoesNotTakeIsShownAndTheCallerGoesOn) {
  folders.MakeMachineSettingsUnwritable();
  fwtest::ScriptedHooks hooks;
  LoadRegistrySettings(kProductName, "/opt/fenwright");
  EXPECT_TRUE(hooks.Messages.empty());
  const std::vector<std::pair<QString, std::function<void()>>> writes = {
      {"ImePrefer", [&] { RegWriteString("ImePrefer", "五笔", TRootKey::HKEY_LOCAL_MACHINE, envKey); }},
      {"ShowGrid", [&] { RegWriteInteger("ShowGrid", 1, TRootKey::HKEY_LOCAL_MACHINE, key); }},
      {"Flag", [&] { RegWriteBool("Flag", true, TRootKey::HKEY_LOCAL_MACHINE, key); }},
  };
  for (const auto& [name, write] : writes) {
    hooks.Messages.clear();
    write();
    ASSERT_EQ(hooks.Messages.size(), 1u) << name.toStdString();
    EXPECT_EQ(hooks.Messages[0].Text, "Failed to set data for '" + name + "'");
    EXPECT_EQ(hooks.Messages[0].Flags, MB_OK | MB_ICONERROR);
  }
}

} // namespace
