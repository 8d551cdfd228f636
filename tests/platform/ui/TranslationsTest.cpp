#include "platform/ui/Translations.h"

#include "platform/shell/Hooks.h"
#include "platform/ui/DesktopHooks.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QLineEdit>
#include <QTranslator>
#include <clocale>
#include <gtest/gtest.h>
#include <langinfo.h>
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

// Qt's system locale is the program's, zh_CN, whatever the machine's (the tests start as
// the program does), while the environment that programs started from this one see is
// the user's own. The file dialog writes a file's date the Chinese way, not "9 Dec 2014".
TEST(ProgramLocale, QtsDialogsDatesAndNumbersAreChinese) {
  EXPECT_EQ(QLocale::system().name(), QStringLiteral("zh_CN"));
  EXPECT_EQ(QLocale().name(), QStringLiteral("zh_CN"));
  EXPECT_NE(qgetenv("LC_ALL"), QByteArray("zh_CN.UTF-8"));

  std::unique_ptr<QTranslator> translator(fw::InstallQtTranslations());
  QTemporaryDir folder;
  const QDateTime written(QDate(2014, 12, 9), QTime(10, 5));
  for (const char* name : {"华北分会-2014-12-09(离线版).dat", "备份.mdb"}) {
    QFile file(folder.filePath(QString::fromUtf8(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("x");
    file.flush();
    file.setFileTime(written, QFileDevice::FileModificationTime);
  }
  fw::FileDialogRequest request;
  request.Title = QStringLiteral("选择导入文件");
  request.Filter = QStringLiteral("数据加密文件(*.dat)|*.dat|数据备份文件(*.mdb)|*.mdb");
  request.InitialDir = folder.path();
  const std::unique_ptr<QFileDialog> dialog = fw::MakeFileDialog(request, false);
  dialog->setViewMode(QFileDialog::Detail);
  dialog->resize(760, 420);
  dialog->show();
  auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
  ASSERT_NE(view, nullptr);
  QString date;
  for (int i = 0; i < 200 && date.isEmpty(); ++i) {
    QTest::qWait(10);
    const QModelIndex first = view->model()->index(0, 3, view->rootIndex());
    date = first.data().toString();
  }
  EXPECT_EQ(date, QLocale(QLocale::Chinese, QLocale::China).toString(written, QLocale::ShortFormat));
  EXPECT_FALSE(date.contains(QStringLiteral("Dec")));
  fwtest::SaveShot(dialog->grab().toImage(), QStringLiteral("fw_file_dialog_zh_CN.png"));
  if (translator) QCoreApplication::removeTranslator(translator.get());
}

// On a system without zh_CN.UTF-8 the C library still runs in UTF-8 (C.UTF-8), never in the
// plain C locale, while Qt's locales stay zh_CN. The start is made again in a process
// whose C library finds no locale but C.UTF-8.
TEST(ProgramLocale, WithoutTheChineseLocaleTheCLibraryStaysInUtf8) {
  if (fwtest::ChildRole() == QStringLiteral("no zh_CN")) {
    const locale_t chinese = newlocale(LC_ALL_MASK, "zh_CN.UTF-8", locale_t(nullptr));
    EXPECT_EQ(chinese, locale_t(nullptr)) << "the system must not have zh_CN.UTF-8 here";
    if (chinese) freelocale(chinese);
    EXPECT_STREQ(nl_langinfo(CODESET), "UTF-8");
    EXPECT_EQ(QLocale::system().name(), QStringLiteral("zh_CN"));
    EXPECT_EQ(QLocale().name(), QStringLiteral("zh_CN"));
    return;
  }
  const QString utf8 = QStringLiteral("/usr/lib/locale/C.utf8");
  ASSERT_TRUE(QFileInfo(utf8).isDir()) << "the system's C.UTF-8 locale is not at " << utf8.toStdString();
  QTemporaryDir locales;
  ASSERT_TRUE(QFile::link(utf8, locales.filePath(QStringLiteral("C.utf8"))));
  QProcessEnvironment onlyUtf8;
  onlyUtf8.insert(QStringLiteral("LOCPATH"), locales.path());
  const std::unique_ptr<QProcess> child = fwtest::StartTestInChild(QStringLiteral("no zh_CN"), onlyUtf8);
  ASSERT_TRUE(child->waitForFinished(60000));
  const QByteArray output = child->readAll();
  EXPECT_EQ(child->exitCode(), 0) << output.toStdString();
  EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}
