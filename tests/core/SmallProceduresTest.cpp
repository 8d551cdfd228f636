// Code lookups, region codes, version, the database password and whole-file copies.
#include "core/CodeLookup.h"
#include "core/DatabasePassword.h"
#include "core/FileUtils.h"
#include "core/Messages.h"
#include "core/ProductVersion.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace fw;

TEST(CodeLookup, FirstMatchWinsAndMissingGivesEmpty) {
  const TMenuItemDataArray codes = {{10, "县级"}, {3, "省级"}, {10, "重复"}};
  EXPECT_EQ(GetCodeName(codes, 10), "县级");
  EXPECT_EQ(GetCodeName(codes, 4), "");
  EXPECT_EQ(GetCodeByName(codes, "省级"), 3);
  EXPECT_EQ(GetCodeByName(codes, "省"), 0); // exact match only
  EXPECT_EQ(GetCodeByName({}, "x"), 0);
}

TEST(CodeLookup, SplitRegionCode) {
  struct Case { int code, province, city, county; };
  for (const Case c : {Case{110105, 11, 1, 5}, Case{650000, 65, 0, 0}, Case{130102, 13, 1, 2}, Case{0, 0, 0, 0}}) {
    int p = -1, ci = -1, co = -1;
    SplitRegionCode(c.code, p, ci, co);
    EXPECT_EQ(p, c.province) << c.code;
    EXPECT_EQ(ci, c.city) << c.code;
    EXPECT_EQ(co, c.county) << c.code;
  }
}

TEST(ProductVersion, BuildIsNumberAfterLastDot) {
  EXPECT_EQ(BuildFromFileVersion("1.0.0.27"), 27);
  EXPECT_EQ(BuildFromFileVersion("2.3"), 3);
  EXPECT_EQ(BuildFromFileVersion("1.0.0.x"), 0);
  TProductVersion v;
  ReadProductVersion(v);
  EXPECT_EQ(v.ProductVersion, "1.0");
  EXPECT_GE(v.Build, 0);
}

// Files from two installations interoperate only when both build the same password:
// this value must never change.
TEST(DatabasePassword, GoldenValue) {
  EXPECT_EQ(DatabasePassword(), "4AZtRdqh2X");
  EXPECT_EQ(DatabasePassword().size(), 10);
  EXPECT_EQ(BuildDatabasePassword(""), "");
  EXPECT_EQ(BuildDatabasePassword(DatabasePasswordConstant()), DatabasePassword());
}

TEST(CopyFileStream, CopiesAndOverwrites) {
  QTemporaryDir dir;
  const QString src = dir.filePath("源.mdb"), dst = dir.filePath("备份.mdb");
  QByteArray data(3 * 1024 * 1024 + 17, '\0');
  for (int i = 0; i < data.size(); ++i) data[i] = char(i * 31);
  QFile f(src);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(data);
  f.close();
  QFile old(dst);
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write(QByteArray(10 * 1024 * 1024, 'x')); // longer than the source: must be truncated
  old.close();
  CopyFileStream(src, dst);
  QFile check(dst);
  ASSERT_TRUE(check.open(QIODevice::ReadOnly));
  EXPECT_EQ(check.readAll(), data);
}

TEST(CopyFileStream, MissingSourceThrowsAndLeavesNothing) {
  QTemporaryDir dir;
  EXPECT_THROW(CopyFileStream(dir.filePath("无.mdb"), dir.filePath("out.mdb")), std::runtime_error);
  EXPECT_FALSE(QFile::exists(dir.filePath("out.mdb")));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 0);
}

// An error text that ends a sentence of its own does not leave "。," in the message.
TEST(Messages, ErrorTextsJoinTheStandardSentence) {
  EXPECT_EQ(RuntimeErrorText(QStringLiteral("disk full")),
            QStringLiteral("运行中发生错误：disk full,请与系统管理员或软件发行者联系。"));
  EXPECT_EQ(RuntimeErrorText(QStringLiteral("工作簿已保存，但无法打开它。")),
            QStringLiteral("运行中发生错误：工作簿已保存，但无法打开它,请与系统管理员或软件发行者联系。"));
  EXPECT_EQ(PublisherErrorText(QStringLiteral("文件不存在。")), QStringLiteral("运行中发生错误：文件不存在,请与软件发行者联系。"));
}

} // namespace
