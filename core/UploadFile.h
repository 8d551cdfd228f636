#pragma once
// The upload file, in which a finished database is handed in to the network edition: a
// comma-terminated GBK text of every record, encrypted with AES-128 in ECB mode.
//
// On disk: the plain text's length as 8 bytes little-endian, then the text encrypted block
// by block, the last partial block filled with zero bytes before it is encrypted. No
// signature, IV or checksum. The key is the first 16 bytes of the upload key, zero-filled
// when shorter.
//
// The text is built in memory and encrypted from memory (WriteUploadFile), so the plain
// text never reaches the disk; the encrypted file is written under a temporary name beside
// the destination, synced and renamed at the end, so a failed export leaves nothing behind.

#include <QByteArray>
#include <QDate>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

struct evp_cipher_ctx_st;

namespace fw {

// ---- Upload key ----

// The sixteen-character constant of letters and digits from which the key is built.
QString UploadKeyConstant();

// Applies a fixed series of single-character replacements over the whole constant, then a
// fixed series of exchanges of two character positions. The receiver decrypts uploads only
// with the same key, so the steps must never change. An empty constant gives an empty text.
QString BuildUploadKey(const QString& constant);

// The key of this installation: BuildUploadKey(UploadKeyConstant()).
QString UploadKey();

// ---- AES-128, ECB, one 16-byte block after another ----

inline constexpr int kAesBlockSize = 16;
using TAesKeyBlock = std::array<unsigned char, kAesBlockSize>;

// The 16-byte key block of a password: its first 16 bytes, zero-filled when shorter.
TAesKeyBlock MakeAesKeyBlock(const QByteArray& password);

// An expanded AES-128 encryption key (libcrypto).
class TAesExpandedKey {
public:
  explicit TAesExpandedKey(const TAesKeyBlock& key);
  ~TAesExpandedKey();
  TAesExpandedKey(const TAesExpandedKey&) = delete;
  TAesExpandedKey& operator=(const TAesExpandedKey&) = delete;

  // Encrypts blockCount whole blocks independently (ECB); in and out may be the same.
  void EncryptBlocks(const unsigned char* in, unsigned char* out, qsizetype blockCount) const;

private:
  evp_cipher_ctx_st* Context_;
};

// Encrypts count bytes of source, from its current position, into dest: whole blocks as
// they are, a final partial block filled with zero bytes to 16. Throws std::runtime_error
// "Stream read error" when source ends early and "Stream write error" when dest takes less.
void EncryptStreamBlocks(QIODevice& source, qint64 count, const TAesExpandedKey& key, QIODevice& dest);

// Expands the key and encrypts count bytes of source from its current position into dest;
// count 0 means the whole of source from position 0.
void EncryptStreamECB(QIODevice& source, qint64 count, const TAesKeyBlock& key, QIODevice& dest);

// Writes destName from the file sourceName: the source's size as 8 bytes little-endian,
// then its encrypted content. destName is written under a temporary name beside it, synced
// and renamed at the end. Throws std::runtime_error naming sourceName, or EFileWriteError
// naming destName.
void EncryptFile(const QString& sourceName, const QString& destName, const QByteArray& password);

// Writes the upload file finalName from the plain text in memory in the same way. On any
// failure finalName is left as it was and nothing else remains on disk.
void WriteUploadFile(const QByteArray& plainText, const QString& finalName, const QByteArray& password);

// ---- File names ----

// The name the save dialog proposes: date as "yyyy-mm-dd" + "(网络版)".
QString UploadProposedName(const QDate& today);



// ---- Text ----

struct TUploadField {
  QString Name;
  std::uint8_t QueryType = 0; // 0 integer, 1 text, 2 real number, 3 integer-like code
};
using TUploadFieldList = std::vector<TUploadField>;

// The records written to the upload text, one after another. The database-backed source
// runs "select * from dt_data"; tests use rows in memory.
class IUploadRowSource {
public:
  virtual ~IUploadRowSource() = default;
  // Called once before the first row with the field names in the order of the text, so
  // that the source can find each field's column once.
  virtual void Prepare(const QStringList& fieldNames) = 0;
  // Moves to the next row (the first on the first call); false when there is none.
  virtual bool Next() = 0;
  // The current row's value of the field at position index of the prepared list; a null
  // or invalid value when the row has none.
  virtual QVariant Value(int index) const = 0;
};

// One value as the upload text writes it, by the field's QueryType:
// 0 and 3: integer in decimal, in full (64-bit codes included); empty gives "0";
// 1: text; every "," becomes the full-width "，"; when it has no ",", every full-width
//    "－" becomes "-";
// 2: shortest general form with up to 15 significant digits, "." as the decimal separator
//    whatever the locale, "E" exponent from 1E15 up and below 0.0001 (e.g. "1E-7");
//    empty gives "0".
// Numbers given as text are read with "." as the decimal separator; text that is not a
// number gives "0".
QString FormatUploadValue(const QVariant& value, std::uint8_t queryType);

// The whole upload text in GBK: a header line of every field name followed by ",", then one
// line per row with each field's formatted value followed by ","; every line ends with
// CR LF. Every field is written with its own value ("RecordState" included).
QByteArray BuildUploadText(const TUploadFieldList& fields, IUploadRowSource& rows);

} // namespace fw
