#include "platform/ui/Translations.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTranslator>
#include <gtest/gtest.h>
#include <memory>

// Qt's own texts (an edit's context menu) read in Chinese once the translations are in;
// setup installs them, so their absence is a fault of the machine, not a skip.
TEST(QtTranslations, EditMenuTextsReadInChinese) {
  const QString english = QLineEdit::tr("&Paste");
  std::unique_ptr<QTranslator> translator(fw::InstallQtTranslations());
  ASSERT_NE(translator, nullptr) << "qtbase_zh_CN.qm is not installed";
  const QString chinese = QLineEdit::tr("&Paste");
  EXPECT_NE(chinese, english);
  EXPECT_TRUE(chinese.contains(QStringLiteral("粘贴"))) << chinese.toStdString();
  QCoreApplication::removeTranslator(translator.get());
}
