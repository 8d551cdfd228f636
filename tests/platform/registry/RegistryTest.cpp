#include "platform/registry/Registry.h"
#include "support/TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

using fw::TRegistry;
using fw::TRootKey;

class RegistryTest : public ::testing::Test {
protected:
  fwtest::ScopedUserFolders folders;
};

TEST_F(RegistryTest, KeysOpenOnlyWhenPresentOrCreated) {
  TRegistry reg;
  reg.SetRootKey(TRootKey::HKEY_LOCAL_MACHINE);
  EXPECT_FALSE(reg.OpenKey("\\SOFTWARE\\Brackwater\\Fenwright", false));
  ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\Brackwater\\Fenwright", true));
  reg.CloseKey();
  // An empty key that was created exists; paths compare without case.
  EXPECT_TRUE(reg.OpenKey("\\software\\brackwater\\FENWRIGHT", false));
  EXPECT_TRUE(QFile::exists(folders.RegistryDir() + "/HKEY_LOCAL_MACHINE.ini"));
}

TEST_F(RegistryTest, ValuesRoundTripWithTheirTypes) {
  {
    TRegistry reg;
    reg.SetRootKey(TRootKey::HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\Brackwater\\Fenwright\\Data", true));
    reg.WriteString("AppLastPerson", "张三's 表");
    reg.WriteInteger("ShowGrid", 1);
    reg.WriteBool("Flag", true);
  }
  TRegistry reg;
  reg.SetRootKey(TRootKey::HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\Brackwater\\Fenwright\\Data", false));
  EXPECT_EQ(reg.ReadString("applastperson"), "张三's 表");
  EXPECT_EQ(reg.ReadInteger("ShowGrid"), 1);
  EXPECT_TRUE(reg.ReadBool("Flag"));
  EXPECT_THROW(reg.ReadInteger("AppLastPerson"), fw::ERegistryException);
  EXPECT_THROW(reg.ReadInteger("Missing"), fw::ERegistryException);
  EXPECT_EQ(reg.ReadString("Missing"), "");
  EXPECT_TRUE(reg.DeleteValue("Flag"));
  EXPECT_FALSE(reg.ValueExists("Flag"));
}

TEST_F(RegistryTest, RootKeysAreSeparateFiles) {
  TRegistry machine;
  machine.SetRootKey(TRootKey::HKEY_LOCAL_MACHINE);
  machine.OpenKey("\\SOFTWARE\\X", true);
  machine.WriteInteger("V", 5);
  machine.CloseKey();
  TRegistry user;
  user.SetRootKey(TRootKey::HKEY_CURRENT_USER);
  EXPECT_FALSE(user.OpenKey("\\SOFTWARE\\X", false));
}

} // namespace
