#include "platform/ui/JpegImage.h"

#include <QFile>

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace fw {

namespace {

// libjpeg reports fatal errors through error_exit, which must not return: it jumps back
// into the decoder, which then gives up cleanly.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr info) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, manager->message);
  std::longjmp(manager->jump, 1);
}

void SilentMessage(j_common_ptr) {}

void CopyRow(const JSAMPLE* row, int width, int components, bool invertedCmyk, QRgb* out) {
  for (int x = 0; x < width; ++x) {
    const JSAMPLE* p = row + x * components;
    if (components == 1) {
      out[x] = qRgb(p[0], p[0], p[0]);
    } else if (components == 3) {
      out[x] = qRgb(p[0], p[1], p[2]);
    } else {
      // CMYK as written by most programs is stored inverted.
      int c = p[0], m = p[1], y = p[2], k = p[3];
      if (!invertedCmyk) {
        c = 255 - c;
        m = 255 - m;
        y = 255 - y;
        k = 255 - k;
      }
      out[x] = qRgb(c * k / 255, m * k / 255, y * k / 255);
    }
  }
}

// The decoding itself. Only plain data lives across setjmp, so the jump leaves nothing
// half destroyed; `image` belongs to the caller.
bool Decode(const unsigned char* data, unsigned long size, QImage& image, char* message) {
  jpeg_decompress_struct info;
  ErrorManager manager;
  info.err = jpeg_std_error(&manager.base);
  manager.base.error_exit = ErrorExit;
  manager.base.output_message = SilentMessage;
  manager.message[0] = 0;
  if (setjmp(manager.jump)) {
    std::snprintf(message, JMSG_LENGTH_MAX, "%s", manager.message);
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, const_cast<unsigned char*>(data), size);
  jpeg_read_header(&info, TRUE);
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : (info.num_components == 1 ? JCS_GRAYSCALE : JCS_RGB);
  const bool invertedCmyk = info.saw_Adobe_marker;
  jpeg_start_decompress(&info);
  const int width = int(info.output_width), height = int(info.output_height);
  const int components = info.output_components;
  image = QImage(width, height, QImage::Format_RGB32);
  if (image.isNull()) {
    std::snprintf(message, JMSG_LENGTH_MAX, "picture too large");
    jpeg_destroy_decompress(&info);
    return false;
  }
  JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                              info.output_width * JDIMENSION(components), 1);
  while (info.output_scanline < info.output_height) {
    const int y = int(info.output_scanline);
    jpeg_read_scanlines(&info, row, 1);
    CopyRow(row[0], width, components, invertedCmyk, reinterpret_cast<QRgb*>(image.scanLine(y)));
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

} // namespace

bool LooksLikeJpeg(const QByteArray& data) {
  return data.size() >= 3 && uchar(data[0]) == 0xFF && uchar(data[1]) == 0xD8 && uchar(data[2]) == 0xFF;
}

QImage DecodeJpeg(const QByteArray& data, QString* error) {
  QImage image;
  char message[JMSG_LENGTH_MAX] = {0};
  if (data.isEmpty() ||
      !Decode(reinterpret_cast<const unsigned char*>(data.constData()), static_cast<unsigned long>(data.size()),
              image, message)) {
    if (error) *error = data.isEmpty() ? QStringLiteral("empty data") : QString::fromLocal8Bit(message);
    return QImage();
  }
  return image;
}

QImage LoadPictureFile(const QString& path, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    if (error) *error = file.errorString();
    return QImage();
  }
  const QByteArray data = file.readAll();
  if (LooksLikeJpeg(data)) return DecodeJpeg(data, error);
  QImage image;
  if (!image.loadFromData(data) && error) *error = QStringLiteral("unknown picture format");
  return image;
}

} // namespace fw
