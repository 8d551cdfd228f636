#include "core/UploadFile.h"

#include "core/DatabasePassword.h"
#include "core/GbkText.h"
#include "core/SiblingTempFile.h"
#include "platform/db/VariantKinds.h"

#include <QBuffer>
#include <QFile>
#include <openssl/evp.h>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <unistd.h>
#include <utility>

namespace fw {

namespace {

// Each pair replaces every occurrence of the first character by the second, in order.
constexpr std::pair<char, char> kKeyReplacements[] = {
    {'s', '4'}, {'8', 'b'}, {'V', 'y'}, {'1', 'M'}, {'d', 'e'}, {'q', 'Q'}, {'G', '0'},
};

// Each pair exchanges the characters at two positions (0-based), in order.
constexpr std::pair<int, int> kKeyExchanges[] = {
    {0, 11}, {3, 14}, {5, 9}, {1, 15}, {7, 12}, {2, 6},
};

[[noreturn]] void Fail(const QString& what, const QString& fileName, const QString& reason) {
  throw std::runtime_error((what + fileName + "：" + reason).toStdString());
}

QByteArray LengthHeader(quint64 length) {
  QByteArray header(8, '\0');
  for (int i = 0; i < 8; ++i) header[i] = static_cast<char>((length >> (8 * i)) & 0xFF);
  return header;
}

void WriteOrFail(QIODevice& dest, const QByteArray& bytes) {
  if (dest.write(bytes) != bytes.size()) throw std::runtime_error("Stream write error");
}

// ---- value formatting ----

bool IsEmptyValue(const QVariant& value) {
  if (!value.isValid() || value.isNull()) return true;
  return value.typeId() == QMetaType::QString && value.toString().trimmed().isEmpty();
}

void AppendAscii(QString& line, const char* begin, const char* end) {
  line.append(QLatin1String(begin, static_cast<qsizetype>(end - begin)));
}

void AppendInteger(QString& line, long long number) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
  AppendAscii(line, buffer, result.ptr);
}

// Shortest general form with up to 15 significant digits: fixed notation for values from
// 0.0001 up to 15 integer digits, otherwise mantissa + "E" + exponent without "+" or
// leading zeros ("1E-7", "1.5E20"). Never locale dependent.
void AppendReal(QString& line, double number) {
  if (number == 0 || !std::isfinite(number)) {
    line += QLatin1Char('0');
    return;
  }
  char buffer[40];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::general, 15);
  char* const end = result.ptr;
  char* const e = std::find(buffer, end, 'e');
  AppendAscii(line, buffer, e);
  if (e == end) return;
  int exponent = 0;
  const char* digits = e + 1;
  if (*digits == '+') ++digits;
  std::from_chars(digits, end, exponent);
  line += QLatin1Char('E');
  AppendInteger(line, exponent);
}

// Reads a number given as text with "." as the decimal separator.
bool TextToDouble(const QString& text, double& number) {
  bool ok = false;
  number = text.trimmed().toDouble(&ok);
  return ok;
}

bool IsIntegerType(const QVariant& value) {
  const TVariantKind kind = VariantKind(value);
  return kind == TVariantKind::Integer || kind == TVariantKind::Boolean;
}

void AppendIntegerValue(QString& line, const QVariant& value) {
  if (IsEmptyValue(value)) {
    line += QLatin1Char('0');
    return;
  }
  if (IsIntegerType(value)) {
    AppendInteger(line, value.toLongLong());
    return;
  }
  double number = 0;
  if (value.typeId() == QMetaType::QString) {
    bool ok = false;
    const long long whole = value.toString().trimmed().toLongLong(&ok);
    if (ok) {
      AppendInteger(line, whole);
      return;
    }
    if (!TextToDouble(value.toString(), number)) number = 0;
  } else {
    bool ok = false;
    number = value.toDouble(&ok);
    if (!ok) number = 0;
  }
  // A fractional value in an integer field is rounded; one beyond 64 bits keeps its
  // general form rather than wrapping.
  constexpr double kLimit = 9.2e18;
  if (std::isfinite(number) && std::fabs(number) < kLimit)
    AppendInteger(line, std::llround(number));
  else
    AppendReal(line, number);
}

void AppendRealValue(QString& line, const QVariant& value) {
  double number = 0;
  if (IsEmptyValue(value)) {
    number = 0;
  } else if (value.typeId() == QMetaType::QString) {
    if (!TextToDouble(value.toString(), number)) number = 0;
  } else {
    bool ok = false;
    number = value.toDouble(&ok);
    if (!ok) number = 0;
  }
  AppendReal(line, number);
}

void AppendTextValue(QString& line, const QVariant& value) {
  if (!value.isValid() || value.isNull()) return;
  QString text = value.toString();
  if (text.contains(QLatin1Char(',')))
    text.replace(QLatin1Char(','), QChar(0xFF0C)); // "，"
  else
    text.replace(QChar(0xFF0D), QLatin1Char('-')); // "－"
  line += text;
}

void AppendUploadValue(QString& line, const QVariant& value, std::uint8_t queryType) {
  switch (queryType) {
  case 1:
    AppendTextValue(line, value);
    break;
  case 2:
    AppendRealValue(line, value);
    break;
  default: // 0 and 3
    AppendIntegerValue(line, value);
    break;
  }
}

} // namespace

// ---- key ----

QString UploadKeyConstant() { return QStringLiteral("H8sP3kVw6NqT1zGd"); }

QString BuildUploadKey(const QString& constant) { return ScrambleConstant(constant, kKeyReplacements, kKeyExchanges); }

QString UploadKey() { return BuildUploadKey(UploadKeyConstant()); }

// ---- AES ----

TAesKeyBlock MakeAesKeyBlock(const QByteArray& password) {
  TAesKeyBlock key{};
  std::memcpy(key.data(), password.constData(), std::min<size_t>(key.size(), static_cast<size_t>(password.size())));
  return key;
}

TAesExpandedKey::TAesExpandedKey(const TAesKeyBlock& key) : Context_(EVP_CIPHER_CTX_new()) {
  if (!Context_ || EVP_EncryptInit_ex(Context_, EVP_aes_128_ecb(), nullptr, key.data(), nullptr) != 1 ||
      EVP_CIPHER_CTX_set_padding(Context_, 0) != 1) {
    EVP_CIPHER_CTX_free(Context_);
    throw std::runtime_error("AES key setup failed");
  }
}

TAesExpandedKey::~TAesExpandedKey() { EVP_CIPHER_CTX_free(Context_); }

void TAesExpandedKey::EncryptBlocks(const unsigned char* in, unsigned char* out, qsizetype blockCount) const {
  // ECB without padding keeps no state between calls: any number of whole blocks at once
  // gives the same bytes as one block at a time.
  constexpr qsizetype kMaxBlocksPerCall = (std::numeric_limits<int>::max() / kAesBlockSize) - 1;
  while (blockCount > 0) {
    const qsizetype blocks = std::min(blockCount, kMaxBlocksPerCall);
    int written = 0;
    if (EVP_EncryptUpdate(Context_, out, &written, in, static_cast<int>(blocks * kAesBlockSize)) != 1 ||
        written != blocks * kAesBlockSize)
      throw std::runtime_error("AES encryption failed");
    in += written;
    out += written;
    blockCount -= blocks;
  }
}

void EncryptStreamBlocks(QIODevice& source, qint64 count, const TAesExpandedKey& key, QIODevice& dest) {
  constexpr qint64 kChunk = 4096 * kAesBlockSize;
  QByteArray buffer;
  while (count >= kAesBlockSize) {
    const qint64 size = std::min(kChunk, count - count % kAesBlockSize);
    buffer.resize(size);
    if (source.read(buffer.data(), size) != size) throw std::runtime_error("Stream read error");
    auto* bytes = reinterpret_cast<unsigned char*>(buffer.data());
    key.EncryptBlocks(bytes, bytes, size / kAesBlockSize);
    WriteOrFail(dest, buffer);
    count -= size;
  }
  if (count > 0) {
    QByteArray block(kAesBlockSize, '\0');
    if (source.read(block.data(), count) != count) throw std::runtime_error("Stream read error");
    auto* bytes = reinterpret_cast<unsigned char*>(block.data());
    key.EncryptBlocks(bytes, bytes, 1);
    WriteOrFail(dest, block);
  }
}

void EncryptStreamECB(QIODevice& source, qint64 count, const TAesKeyBlock& key, QIODevice& dest) {
  const TAesExpandedKey expanded(key);
  if (count == 0) {
    if (!source.seek(0)) throw std::runtime_error("Stream read error");
    count = source.size();
  }
  EncryptStreamBlocks(source, count, expanded, dest);
}

namespace {

// The upload file's bytes: the plain text's length, then the text encrypted.
QByteArray EncryptedUpload(QIODevice& source, const QByteArray& password) {
  QByteArray bytes;
  QBuffer dest(&bytes);
  dest.open(QIODevice::WriteOnly);
  WriteOrFail(dest, LengthHeader(static_cast<quint64>(source.size())));
  EncryptStreamECB(source, 0, MakeAesKeyBlock(password), dest);
  return bytes;
}

void WriteBeside(const QString& destName, const QByteArray& bytes) {
  TSiblingTempFile temp(destName);
  temp.WriteAll(bytes);
  temp.MoveIntoPlace();
}

} // namespace

void EncryptFile(const QString& sourceName, const QString& destName, const QByteArray& password) {
  QFile source(sourceName);
  if (!source.open(QIODevice::ReadOnly)) Fail("无法打开文件 ", sourceName, source.errorString());
  WriteBeside(destName, EncryptedUpload(source, password));
}

void WriteUploadFile(const QByteArray& plainText, const QString& finalName, const QByteArray& password) {
  QBuffer source;
  source.setData(plainText);
  source.open(QIODevice::ReadOnly);
  WriteBeside(finalName, EncryptedUpload(source, password));
}

// ---- names ----

QString UploadProposedName(const QDate& today) {
  return today.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral("(网络版)");
}

// ---- text ----

QString FormatUploadValue(const QVariant& value, std::uint8_t queryType) {
  QString text;
  AppendUploadValue(text, value, queryType);
  return text;
}

QByteArray BuildUploadText(const TUploadFieldList& fields, IUploadRowSource& rows) {
  QStringList names;
  names.reserve(static_cast<qsizetype>(fields.size()));
  for (const TUploadField& field : fields) names << field.Name;
  rows.Prepare(names);

  TGbkEncoder encoder;
  QByteArray text;
  QString line;
  for (const QString& name : names) line += name + QLatin1Char(',');
  line += QLatin1String("\r\n");
  encoder.AppendTo(text, line);

  while (rows.Next()) {
    line.resize(0); // keeps the capacity for the next line
    for (size_t i = 0; i < fields.size(); ++i) {
      AppendUploadValue(line, rows.Value(static_cast<int>(i)), fields[i].QueryType);
      line += QLatin1Char(',');
    }
    line += QLatin1String("\r\n");
    encoder.AppendTo(text, line);
  }
  return text;
}

} // namespace fw
