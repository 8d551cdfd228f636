#include "platform/shell/GbkCodec.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <stdexcept>

namespace fw {

namespace {

iconv_t OpenConverter(const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1))
    throw std::runtime_error(std::string("系统不支持字符编码转换 ") + from + " -> " + to);
  return cd;
}

// Length of the UTF-8 sequence that starts with lead (1 for a stray byte).
size_t Utf8SequenceLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

bool IsAscii(const QByteArray& bytes) {
  for (char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// Runs iconv over the whole input. On a sequence the target cannot hold, skip() tells how
// many input bytes to drop and replacement is written instead. outFactor bounds the output
// size per input byte, so the buffer never needs to grow in the common case.
void Convert(iconv_t cd, const QByteArray& in, QByteArray& out, size_t outFactor, const QByteArray& replacement,
             size_t (*skip)(const char*, size_t)) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr); // reset the shift state
  char* inBuf = const_cast<char*>(in.constData());
  size_t inLeft = static_cast<size_t>(in.size());
  qsizetype written = out.size();
  out.resize(written + static_cast<qsizetype>(inLeft * outFactor) + 16);
  while (inLeft > 0) {
    char* outBuf = out.data() + written;
    size_t outLeft = static_cast<size_t>(out.size() - written);
    const size_t result = iconv(cd, &inBuf, &inLeft, &outBuf, &outLeft);
    written = outBuf - out.data();
    if (result != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) {
      out.resize(out.size() * 2 + 16);
      continue;
    }
    // EILSEQ or EINVAL: drop the sequence that cannot be converted.
    const size_t n = std::min(inLeft, skip(inBuf, inLeft));
    inBuf += n;
    inLeft -= n;
    if (out.size() - written < replacement.size() + 16) out.resize(out.size() * 2 + replacement.size() + 16);
    std::memcpy(out.data() + written, replacement.constData(), static_cast<size_t>(replacement.size()));
    written += replacement.size();
  }
  out.resize(written);
}

size_t SkipUtf8(const char* p, size_t) { return Utf8SequenceLength(static_cast<unsigned char>(*p)); }

// A GBK lead byte (0x81..0xFE) starts a two-byte character; anything else is one byte.
size_t SkipGbk(const char* p, size_t left) {
  const auto lead = static_cast<unsigned char>(*p);
  return (lead >= 0x81 && lead <= 0xFE && left >= 2) ? 2 : 1;
}

} // namespace

TGbkEncoder::TGbkEncoder() : Handle_(OpenConverter("GBK", "UTF-8")) {}

TGbkEncoder::~TGbkEncoder() { iconv_close(static_cast<iconv_t>(Handle_)); }

void TGbkEncoder::AppendTo(QByteArray& out, const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  if (IsAscii(utf8)) {
    out.append(utf8);
    return;
  }
  // A GBK character never takes more bytes than its UTF-8 form.
  Convert(static_cast<iconv_t>(Handle_), utf8, out, 1, QByteArrayLiteral("?"), SkipUtf8);
}

QByteArray ToGbk(const QString& text) {
  TGbkEncoder encoder;
  QByteArray out;
  encoder.AppendTo(out, text);
  return out;
}

QString FromGbk(const QByteArray& bytes) {
  if (IsAscii(bytes)) return QString::fromLatin1(bytes);
  iconv_t cd = OpenConverter("UTF-8", "GBK");
  QByteArray utf8;
  try {
    Convert(cd, bytes, utf8, 2, QByteArrayLiteral("\xEF\xBF\xBD"), SkipGbk);
  } catch (...) {
    iconv_close(cd);
    throw;
  }
  iconv_close(cd);
  return QString::fromUtf8(utf8);
}

} // namespace fw
