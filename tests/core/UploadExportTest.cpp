// The upload export from the working database: refusal, dialog, progress, and the file
// decrypted again with OpenSSL.
#include "core/GbkText.h"
#include "core/OfflineExchange.h"
#include "core/Progress.h"
#include "core/UploadExport.h"
#include "tests/core/RecordingProgress.h"
#include "tests/core/WorkingDatabase.h"

#include <QDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <openssl/evp.h>

namespace {

using namespace fw;
using fwtest::Chosen;
using fwtest::FileBytes;
using fwtest::WorkingDatabase;

using fwtest::RecordingProgress;

// The plain text of an upload file, checking its length header.
QString Decrypt(const QByteArray& file) {
  if (file.size() < 8) return QString();
  const quint64 length = qFromLittleEndian<quint64>(file.constData());
  const QByteArray cipher = file.mid(8);
  if (cipher.size() % 16 != 0 || static_cast<quint64>(cipher.size()) < length || cipher.size() - length >= 16)
    return QStringLiteral("<bad length>");
  const TAesKeyBlock key = MakeAesKeyBlock(UploadKey().toLatin1());
  QByteArray plain(cipher.size(), '\0');
  EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
  int written = 0;
  EVP_DecryptInit_ex(ctx, EVP_aes_128_ecb(), nullptr, key.data(), nullptr);
  EVP_CIPHER_CTX_set_padding(ctx, 0);
  EVP_DecryptUpdate(ctx, reinterpret_cast<unsigned char*>(plain.data()), &written,
                    reinterpret_cast<const unsigned char*>(cipher.constData()), static_cast<int>(cipher.size()));
  EVP_CIPHER_CTX_free(ctx);
  if (plain.mid(static_cast<qsizetype>(length)).count('\0') != plain.size() - static_cast<qsizetype>(length))
    return QStringLiteral("<bad padding>");
  return FromGbk(plain.left(static_cast<qsizetype>(length)));
}

class UploadExport : public ::testing::Test {
protected:
  void SetUp() override { hooks.FixedNow = QDateTime(QDate(2015, 1, 20), QTime(8, 0)); }
  QString Docs(const QString& name) const { return QDir(folders.DocumentsDir()).filePath(name); }
  QStringList DocsEntries() const { return QDir(folders.DocumentsDir()).entryList(QDir::Files | QDir::Hidden); }
  QString LastMessage() const { return hooks.Messages.empty() ? QString() : hooks.Messages.back().Text; }

  fwtest::ScopedUserFolders folders;
  fwtest::ScriptedHooks hooks;
  RecordingProgress progress;
};

TEST_F(UploadExport, RefusesWhileARecordIsUnfinished) {
  WorkingDatabase db;
  db.Add({{110101000001, "一", 1, 1, 1}, {110101000002, "二", 2, 1, 1}});
  EXPECT_FALSE(ExportUploadFile(db.Connection, progress));
  EXPECT_EQ(LastMessage(), QStringLiteral("存在临时保存或逻辑错误的数据，不能导出上报数据!"));
  EXPECT_TRUE(hooks.SaveRequests.empty());
  EXPECT_TRUE(DocsEntries().isEmpty());
}

TEST_F(UploadExport, WritesEveryRecordEncrypted) {
  WorkingDatabase db;
  db.Add({{110101000002, "二,工会", 1, 7, 0.1}, {999999999999, "全角－横线", 1, 0, 1234567.25}});
  hooks.SaveAnswers.push_back(Chosen(Docs(QStringLiteral("上报"))));
  progress.BarPercent = 100; // a finished job before

  ASSERT_TRUE(ExportUploadFile(db.Connection, progress)) << LastMessage().toStdString();
  ASSERT_EQ(hooks.SaveRequests.size(), 1u);
  EXPECT_EQ(hooks.SaveRequests[0].FileName, QStringLiteral("2015-01-20(网络版)"));
  EXPECT_EQ(hooks.SaveRequests[0].Filter, QStringLiteral("dat文件(*.dat)|*.dat"));
  EXPECT_EQ(hooks.SaveRequests[0].Title, QStringLiteral("导出文件存放为"));
  EXPECT_EQ(LastMessage(), QStringLiteral("导出上报数据成功"));
  // The caption carries the percent of this run's bar: one of two records.
  EXPECT_EQ(progress.Events, (QStringList{"start 2 1", "show 导出上报数据...50%", "hide"}));
  EXPECT_EQ(DocsEntries(), QStringList{QStringLiteral("上报.dat")}); // no plain or working file

  const QStringList lines = Decrypt(FileBytes(Docs(QStringLiteral("上报.dat")))).split(QStringLiteral("\r\n"));
  ASSERT_EQ(lines.size(), 4); // header, two records, empty after the last line break
  const QStringList header = lines[0].split(',');
  const int fields = static_cast<int>(header.size()) - 1;
  EXPECT_GT(fields, 100);
  EXPECT_EQ(header.last(), QString());
  const QStringList first = lines[1].split(','), second = lines[2].split(',');
  ASSERT_EQ(first.size(), fields + 1);
  ASSERT_EQ(second.size(), fields + 1);
  auto value = [&](const QStringList& row, const char* name) { return row[header.indexOf(QString::fromLatin1(name))]; };
  EXPECT_EQ(value(first, "c901"), QStringLiteral("110101000002"));
  EXPECT_EQ(value(first, "c902"), QStringLiteral("二，工会"));
  EXPECT_EQ(value(first, "z001"), QStringLiteral("7"));
  EXPECT_EQ(value(first, "b004"), QStringLiteral("0.1"));
  EXPECT_EQ(value(second, "c901"), QStringLiteral("999999999999"));
  EXPECT_EQ(value(second, "c902"), QStringLiteral("全角-横线"));
  EXPECT_EQ(value(second, "b004"), QStringLiteral("1234567.25"));
  EXPECT_EQ(lines[3], QString());
}

TEST_F(UploadExport, AnEmptyDatabaseGivesTheHeaderOnly) {
  WorkingDatabase db;
  hooks.SaveAnswers.push_back(Chosen(Docs(QStringLiteral("empty.dat"))));
  ASSERT_TRUE(ExportUploadFile(db.Connection, progress));
  const QString text = Decrypt(FileBytes(Docs(QStringLiteral("empty.dat"))));
  EXPECT_TRUE(text.startsWith(QStringLiteral("c901,c902,")));
  EXPECT_EQ(text.count(QStringLiteral("\r\n")), 1);
}

TEST_F(UploadExport, ExistingFileIsReplacedOnlyWhenAgreed) {
  WorkingDatabase db;
  db.Add({{110101000001, "一", 1, 1, 1}});
  const QString existing = Docs(QStringLiteral("上报.dat"));
  fwtest::WriteBytes(existing, "earlier upload");
  hooks.SaveAnswers.push_back(Chosen(existing));
  hooks.MessageAnswers.push_back(IDNO);
  EXPECT_FALSE(ExportUploadFile(db.Connection, progress));
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_EQ(hooks.Messages[0].Text, existing + QStringLiteral(" 已存在。\n要替换它吗？"));
  EXPECT_TRUE(progress.Events.isEmpty());
  EXPECT_EQ(FileBytes(existing), QByteArray("earlier upload"));

  hooks.SaveAnswers.push_back(Chosen(existing));
  ASSERT_TRUE(ExportUploadFile(db.Connection, progress));
  EXPECT_TRUE(Decrypt(FileBytes(existing)).startsWith(QStringLiteral("c901,")));
}

TEST_F(UploadExport, FailureLeavesNothingAndHidesTheProgress) {
  WorkingDatabase db;
  db.Add({{110101000001, "一", 1, 1, 1}});
  hooks.SaveAnswers.push_back(Chosen(Docs(QStringLiteral("没有的文件夹/上报"))));
  EXPECT_FALSE(ExportUploadFile(db.Connection, progress));
  EXPECT_TRUE(LastMessage().startsWith(QStringLiteral("运行中发生错误："))) << LastMessage().toStdString();
  EXPECT_EQ(progress.Events.last(), QStringLiteral("hide"));
  EXPECT_TRUE(DocsEntries().isEmpty());
}

} // namespace
