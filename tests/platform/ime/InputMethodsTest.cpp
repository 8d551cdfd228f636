// The input-method service without a framework on the desktop, and with a backend that
// stands in for one.
#include "platform/ime/InputMethods.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

using namespace fw;

// No session bus and no IBus address: an empty list, and switching does nothing.
TEST(InputMethodsTest, WithoutFrameworkListIsEmptyAndSwitchingDoesNothing) {
  const QByteArray session = qgetenv("DBUS_SESSION_BUS_ADDRESS");
  const QByteArray ibus = qgetenv("IBUS_ADDRESS");
  const QByteArray config = qgetenv("XDG_CONFIG_HOME");
  qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/fenwright-test-bus");
  qunsetenv("IBUS_ADDRESS");
  qputenv("XDG_CONFIG_HOME", "/nonexistent/fenwright-test-config");
  EXPECT_TRUE(InstalledInputMethods().empty());
  EXPECT_FALSE(SwitchInputMethod(QStringLiteral("pinyin")));
  qputenv("DBUS_SESSION_BUS_ADDRESS", session);
  if (!ibus.isEmpty()) qputenv("IBUS_ADDRESS", ibus);
  qputenv("XDG_CONFIG_HOME", config);
}

TEST(InputMethodsTest, SwitchFindsMethodByNameOrTitleThroughBackend) {
  QStringList switched;
  TInputMethodBackend previous = InstallInputMethodBackend(
      {[] { return TInputMethodList{{"keyboard-us", "英语"}, {"pinyin", "拼音"}}; },
       [&](const QString& name) {
         switched << name;
         return true;
       }});
  EXPECT_EQ(InstalledInputMethodTitles(), (QStringList{"英语", "拼音"}));
  EXPECT_TRUE(SwitchInputMethod(QStringLiteral(" 拼音 ")));
  EXPECT_FALSE(SwitchInputMethod(QStringLiteral("  "))); // an empty preference switches nothing
  EXPECT_EQ(switched, QStringList{"拼音"});
  InstallInputMethodBackend(previous);
}

} // namespace
