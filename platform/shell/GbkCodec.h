#pragma once
// GBK, the encoding of the texts that leave the program for other installations (the
// upload file's text, the check-list files). Inside the program every text is UTF-16/UTF-8;
// the conversion is glibc iconv's.

#include <QByteArray>
#include <QString>

namespace fw {

// Converts many texts with one converter; cheaper than ToGbk when called per line.
// A character that GBK cannot represent is written as "?", so a text always converts
// and keeps its separators. Not copyable; use one per thread.
class TGbkEncoder {
public:
  TGbkEncoder();
  ~TGbkEncoder();
  TGbkEncoder(const TGbkEncoder&) = delete;
  TGbkEncoder& operator=(const TGbkEncoder&) = delete;

  // Appends the GBK form of text to out.
  void AppendTo(QByteArray& out, const QString& text);

private:
  void* Handle_; // iconv_t
};

QByteArray ToGbk(const QString& text);

// Reads GBK bytes; a byte sequence that is not GBK becomes U+FFFD.
QString FromGbk(const QByteArray& bytes);

} // namespace fw
