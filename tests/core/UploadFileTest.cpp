// Upload file: key, AES-128 ECB layout (checked against libcrypto directly), value
// formatting, the GBK text and the file names.
#include "core/ExchangeFile.h"
#include "core/GbkText.h"
#include "core/SiblingTempFile.h"
#include "core/UploadFile.h"
#include "platform/shell/FileWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>
#include <openssl/evp.h>

namespace {

using namespace fw;

QByteArray ReadFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Decrypts an upload file independently of the code under test: reads the length header,
// decrypts every block with aes-128-ecb and no padding.
struct Decrypted {
  quint64 Length = 0;
  QByteArray Blocks; // every decrypted block, fill included
};

Decrypted DecryptUpload(const QByteArray& file, const QByteArray& key16) {
  Decrypted result;
  for (int i = 0; i < 8; ++i) result.Length |= quint64(static_cast<unsigned char>(file[i])) << (8 * i);
  const QByteArray cipher = file.mid(8);
  result.Blocks.resize(cipher.size());
  EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
  EVP_DecryptInit_ex(ctx, EVP_aes_128_ecb(), nullptr, reinterpret_cast<const unsigned char*>(key16.constData()),
                     nullptr);
  EVP_CIPHER_CTX_set_padding(ctx, 0);
  int n = 0;
  EVP_DecryptUpdate(ctx, reinterpret_cast<unsigned char*>(result.Blocks.data()), &n,
                    reinterpret_cast<const unsigned char*>(cipher.constData()), static_cast<int>(cipher.size()));
  EVP_CIPHER_CTX_free(ctx);
  result.Blocks.resize(n);
  return result;
}

// Rows held in memory, keyed by field name.
class MemoryRows : public IUploadRowSource {
public:
  explicit MemoryRows(std::vector<QVariantMap> rows) : Rows_(std::move(rows)) {}
  void Prepare(const QStringList& fieldNames) override { Names_ = fieldNames; }
  bool Next() override { return ++Current_ < static_cast<int>(Rows_.size()); }
  QVariant Value(int index) const override { return Rows_[Current_].value(Names_[index]); }

private:
  std::vector<QVariantMap> Rows_;
  QStringList Names_;
  int Current_ = -1;
};

// The key decides whether the receiver can read an upload at all: it must never change.
TEST(UploadKey, GoldenValue) {
  EXPECT_EQ(UploadKey(), "Tey03N4M6kQHwzPb");
  EXPECT_EQ(UploadKey().size(), 16);
  EXPECT_EQ(BuildUploadKey(UploadKeyConstant()), UploadKey());
  EXPECT_EQ(BuildUploadKey(""), "");
}

// FIPS-197 appendix C.1: the block cipher really is AES-128.
TEST(UploadEncryption, KnownAnswerBlock) {
  TAesKeyBlock key;
  for (int i = 0; i < 16; ++i) key[i] = static_cast<unsigned char>(i);
  const QByteArray plain = QByteArray::fromHex("00112233445566778899aabbccddeeff");
  QByteArray out(16, '\0');
  TAesExpandedKey(key).EncryptBlocks(reinterpret_cast<const unsigned char*>(plain.constData()),
                                     reinterpret_cast<unsigned char*>(out.data()), 1);
  EXPECT_EQ(out.toHex(), "69c4e0d86a7b0430d8cdb78070b4c55a");
}

// Length header and zero fill for texts around the block size.
TEST(UploadEncryption, LengthHeaderAndZeroFilledLastBlock) {
  QTemporaryDir dir;
  const QByteArray key = UploadKey().toLatin1();
  struct Case { int length; int fileSize; };
  for (const Case c : {Case{0, 8}, Case{1, 24}, Case{15, 24}, Case{16, 24}, Case{32, 40}, Case{33, 56}}) {
    QByteArray text(c.length, '\0');
    for (int i = 0; i < c.length; ++i) text[i] = static_cast<char>('a' + i % 26);
    const QString final = dir.filePath(QString("u%1.dat").arg(c.length));
    WriteUploadFile(text, final, key);
    const QByteArray file = ReadFile(final);
    ASSERT_EQ(file.size(), c.fileSize) << c.length;
    EXPECT_EQ(file.left(8), QByteArray::fromHex(QByteArray::number(c.length, 16).rightJustified(2, '0')) +
                                QByteArray(7, '\0'))
        << c.length;
    const Decrypted d = DecryptUpload(file, key.left(16));
    EXPECT_EQ(d.Length, quint64(c.length));
    EXPECT_EQ(d.Blocks.left(c.length), text) << c.length;
    EXPECT_EQ(d.Blocks.mid(c.length), QByteArray(d.Blocks.size() - c.length, '\0')) << c.length;
  }
}

TEST(UploadEncryption, KeyUsesFirstSixteenBytesOrZeroFill) {
  QTemporaryDir dir;
  const QByteArray text = "0123456789abcdefXYZ";
  struct Case { QByteArray password, key16; };
  for (const Case& c : {Case{"ABCDEFGHIJKLMNOPQRSTUV", "ABCDEFGHIJKLMNOP"},
                        Case{"short", QByteArray("short") + QByteArray(11, '\0')},
                        Case{"", QByteArray(16, '\0')}}) {
    const QString path = dir.filePath("k.dat");
    WriteUploadFile(text, path, c.password);
    EXPECT_EQ(DecryptUpload(ReadFile(path), c.key16).Blocks.left(text.size()), text) << c.password.constData();
  }
}

TEST(UploadEncryption, EncryptFileMatchesMemoryPathAndLeavesSource) {
  QTemporaryDir dir;
  QByteArray text(100000 + 7, '\0');
  for (int i = 0; i < text.size(); ++i) text[i] = static_cast<char>(i * 7);
  const QString plain = dir.filePath("plain.txt");
  {
    QFile f(plain);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
  }
  EncryptFile(plain, dir.filePath("a.dat"), "key");
  WriteUploadFile(text, dir.filePath("b.dat"), "key");
  EXPECT_EQ(ReadFile(dir.filePath("a.dat")), ReadFile(dir.filePath("b.dat")));
  EXPECT_EQ(ReadFile(plain), text);
  EXPECT_EQ(ReadFile(dir.filePath("a.dat")).size(), 8 + 100016);
}

TEST(UploadEncryption, StreamErrors) {
  QByteArray shortData(20, 'x');
  QBuffer source(&shortData);
  source.open(QIODevice::ReadOnly);
  QByteArray sink;
  QBuffer dest(&sink);
  dest.open(QIODevice::WriteOnly);
  const TAesExpandedKey key(MakeAesKeyBlock("k"));
  try {
    EncryptStreamBlocks(source, 40, key, dest);
    FAIL() << "a source shorter than the count must fail";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Stream read error");
  }

  source.seek(0);
  QBuffer readOnly(&sink);
  readOnly.open(QIODevice::ReadOnly);
  try {
    EncryptStreamBlocks(source, 16, key, readOnly);
    FAIL() << "a destination that takes nothing must fail";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Stream write error");
  }

  // Count 0: the whole stream from position 0, wherever the position was.
  source.seek(5);
  QByteArray whole;
  QBuffer wholeDest(&whole);
  wholeDest.open(QIODevice::WriteOnly);
  EncryptStreamECB(source, 0, MakeAesKeyBlock("k"), wholeDest);
  EXPECT_EQ(whole.size(), 32);
}

// A failed export leaves neither a partial upload file nor its working file, and an
// existing upload file is replaced only by a complete one.
TEST(UploadEncryption, FailureLeavesNothingBehind) {
  QTemporaryDir dir;
  const QString final = dir.filePath("old.dat");
  {
    QFile f(final);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("previous upload");
  }
  const auto everything = [&dir] { return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot); };
  EXPECT_THROW(WriteUploadFile("text", dir.filePath("no/such/dir/new.dat"), "k"), EFileWriteError);

  const QString folderInTheWay = dir.filePath("folder.dat");
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder.dat"));
  EXPECT_THROW(WriteUploadFile("text", folderInTheWay, "k"), EFileWriteError);
  EXPECT_EQ(everything(), (QStringList{"folder.dat", "old.dat"}));

  // A disk that fills up: the message names the upload file and says why.
  InjectWriteFault(20, ENOSPC);
  try {
    WriteUploadFile(QByteArray(1000, 'x'), final, "k");
    ADD_FAILURE() << "a full disk must fail";
  } catch (const EFileWriteError& e) {
    EXPECT_EQ(QString::fromUtf8(e.what()), "写入文件失败 " + final + "：磁盘空间不足");
  }
  ClearWriteFault();
  EXPECT_EQ(ReadFile(final), "previous upload");
  EXPECT_EQ(everything(), (QStringList{"folder.dat", "old.dat"}));

  WriteUploadFile("new text", final, "k");
  EXPECT_EQ(DecryptUpload(ReadFile(final), QByteArray("k") + QByteArray(15, '\0')).Blocks.left(8), "new text");
  EXPECT_EQ(everything(), (QStringList{"folder.dat", "old.dat"}));
}

TEST(UploadValueFormat, ByQueryType) {
  struct Case { QVariant value; int type; QString text; };
  const std::vector<Case> cases = {
      // integers, codes written in full
      {QVariant(42), 0, "42"},
      {QVariant(-7LL), 3, "-7"},
      {QVariant(110101000001LL), 3, "110101000001"},
      {QVariant(110101000001.0), 0, "110101000001"},
      {QVariant("110101000001"), 0, "110101000001"},
      {QVariant(2.6), 0, "3"},
      {QVariant(), 0, "0"},
      {QVariant(QString()), 3, "0"},
      {QVariant(" "), 0, "0"},
      // text
      {QVariant("甲,乙,丙"), 1, "甲，乙，丙"},
      {QVariant("010－6000"), 1, "010-6000"},
      {QVariant("a,b－c"), 1, "a，b－c"},
      {QVariant("普通"), 1, "普通"},
      {QVariant(), 1, ""},
      // real numbers, "." whatever the locale
      {QVariant(2.5), 2, "2.5"},
      {QVariant(1e-7), 2, "1E-7"},
      {QVariant(123456789.123), 2, "123456789.123"},
      {QVariant(0.1 + 0.2), 2, "0.3"},
      {QVariant(0.0001), 2, "0.0001"},
      {QVariant(0.00001), 2, "1E-5"},
      {QVariant(999999999999999.0), 2, "999999999999999"},
      {QVariant(1e15), 2, "1E15"},
      {QVariant(-1.5e20), 2, "-1.5E20"},
      {QVariant(3), 2, "3"},
      {QVariant("4.25"), 2, "4.25"},
      {QVariant(), 2, "0"},
      {QVariant(""), 2, "0"},
      {QVariant(-0.0), 2, "0"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FormatUploadValue(c.value, static_cast<std::uint8_t>(c.type)), c.text)
        << c.value.toString().toStdString() << " type " << c.type;
}

TEST(UploadValueFormat, DecimalPointIgnoresLocale) {
  const QLocale saved;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(FormatUploadValue(2.5, 2), "2.5");
  EXPECT_EQ(FormatUploadValue("2.5", 2), "2.5");
  QLocale::setDefault(saved);
}

TEST(UploadText, LayoutAndGbk) {
  const TUploadFieldList fields = {{"c901", 3}, {"c902", 1}, {"RecordState", 0}, {"z001", 0}, {"b012", 2}};
  MemoryRows rows({
      {{"c901", 110101000001LL}, {"c902", "市总工会,直属"}, {"RecordState", 1}, {"z001", 350}, {"b012", 2.5}},
      {{"c901", 110101000002LL}, {"c902", "区工会－甲"}, {"RecordState", 2}},
  });
  const QByteArray text = BuildUploadText(fields, rows);
  const QString expected = "c901,c902,RecordState,z001,b012,\r\n"
                           "110101000001,市总工会，直属,1,350,2.5,\r\n"
                           "110101000002,区工会-甲,2,0,0,\r\n";
  EXPECT_EQ(text, ToGbk(expected));
  EXPECT_EQ(FromGbk(text), expected);

  // The whole road: encrypted from memory and read back by an independent decryption.
  QTemporaryDir dir;
  const QString file = DatFileName(dir.filePath("2014-05-01(网络版)"));
  WriteUploadFile(text, file, UploadKey().toLatin1());
  const Decrypted d = DecryptUpload(ReadFile(file), UploadKey().toLatin1());
  ASSERT_EQ(d.Length, quint64(text.size()));
  EXPECT_EQ(FromGbk(d.Blocks.left(text.size())), expected);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"2014-05-01(网络版).dat"});

  MemoryRows none({});
  EXPECT_EQ(BuildUploadText(fields, none), "c901,c902,RecordState,z001,b012,\r\n");
}

TEST(GbkText, EncodeAndDecode) {
  EXPECT_EQ(ToGbk("工会"), QByteArray("\xB9\xA4\xBB\xE1"));
  EXPECT_EQ(ToGbk("，－"), QByteArray("\xA3\xAC\xA3\xAD"));
  EXPECT_EQ(ToGbk("a😀b"), "a?b") << "a character outside GBK becomes ?";
  EXPECT_EQ(ToGbk(""), "");
  EXPECT_EQ(FromGbk(QByteArray("\xB9\xA4\xBB\xE1,1")), "工会,1");
  EXPECT_EQ(FromGbk(QByteArray("a\xFF")), QString("a") + QChar(0xFFFD));
}

TEST(UploadFileNamesTest, ProposedName) { EXPECT_EQ(UploadProposedName(QDate(2014, 12, 31)), "2014-12-31(网络版)"); }

} // namespace
