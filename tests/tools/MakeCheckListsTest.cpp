// The generator of the shipped check-list files: the check-list format in GBK, and
// descriptions it refuses without writing anything.
#include "platform/shell/GbkCodec.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

int RunTool(const QString& sources, const QString& output) {
  QProcess tool;
  tool.start(FW_MAKE_CHECK_LISTS, {sources, output});
  if (!tool.waitForFinished(60000)) return -1;
  return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
}

TEST(MakeCheckLists, WritesTheCheckListFormatAndRefusesDamagedLines) {
  QTemporaryDir dir;
  const QDir folder(dir.path());
  QDir().mkpath(folder.filePath("lists"));
  QDir().mkpath(folder.filePath("out"));
  fwtest::WriteBytes(folder.filePath("lists/test.tsv"),
                     QStringLiteral("# a comment\n1\t1\t表一 工会\n\n0\t2\t//分组\r\n").toUtf8());
  ASSERT_EQ(RunTool(folder.filePath("lists"), folder.filePath("out")), 0);
  EXPECT_EQ(fwtest::FileBytes(folder.filePath("out/test.qz")),
            fw::ToGbk(QStringLiteral("&1 1 表一 工会 \r\n&0 2 //分组 \r\n")));

  for (const char* bad : {"1\t3\t表\n", "x\t0\t表\n", "1\t0\n", "1\t0\t\U0001F600\n"}) {
    QFile::remove(folder.filePath("out/bad.qz"));
    fwtest::WriteBytes(folder.filePath("lists/bad.tsv"), QByteArray(bad));
    EXPECT_NE(RunTool(folder.filePath("lists"), folder.filePath("out")), 0) << bad;
    EXPECT_FALSE(QFile::exists(folder.filePath("out/bad.qz"))) << bad;
  }
}

} // namespace
