#pragma once
// JPEG pictures decoded with libjpeg (the IJG API) into a QImage. Damaged data gives a
// null image and a reason; the decoder never ends the program.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace fw {

// True when the data starts like a JPEG file (FF D8 FF).
bool LooksLikeJpeg(const QByteArray& data);

// Decodes JPEG data into a 32-bit RGB image; a null image (and, when asked, the
// decoder's reason) when the data cannot be read. Grey, YCbCr and CMYK pictures are
// accepted.
QImage DecodeJpeg(const QByteArray& data, QString* error = nullptr);

// Reads a picture file: JPEG through DecodeJpeg, any other format through Qt. A null
// image when the file cannot be read.
QImage LoadPictureFile(const QString& path, QString* error = nullptr);

} // namespace fw
