// Background layers, picture placement and JPEG pictures read through libjpeg.
#include "controls/navigation/FwBackground.h"
#include "platform/ui/Form.h"
#include "platform/ui/JpegImage.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>
#include <jpeglib.h>

using namespace fw;

namespace {

// A w x h JPEG of one colour, written with libjpeg.
QByteArray EncodeJpeg(int w, int h, QRgb color) {
  jpeg_compress_struct info;
  jpeg_error_mgr err;
  info.err = jpeg_std_error(&err);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = JDIMENSION(w);
  info.image_height = JDIMENSION(h);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(size_t(w) * 3);
  for (int x = 0; x < w; ++x) {
    row[size_t(x) * 3] = uchar(qRed(color));
    row[size_t(x) * 3 + 1] = uchar(qGreen(color));
    row[size_t(x) * 3 + 2] = uchar(qBlue(color));
  }
  while (info.next_scanline < info.image_height) {
    JSAMPROW p = row.data();
    jpeg_write_scanlines(&info, &p, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  QByteArray data(reinterpret_cast<const char*>(buffer), qsizetype(size));
  free(buffer);
  return data;
}

bool Near(QRgb a, QRgb b) {
  return std::abs(qRed(a) - qRed(b)) < 8 && std::abs(qGreen(a) - qGreen(b)) < 8 && std::abs(qBlue(a) - qBlue(b)) < 8;
}

} // namespace

TEST(JpegImage, DecodesAndRefusesDamagedData) {
  const QByteArray data = EncodeJpeg(24, 10, qRgb(200, 40, 40));
  ASSERT_TRUE(LooksLikeJpeg(data));
  const QImage image = DecodeJpeg(data);
  ASSERT_EQ(image.size(), QSize(24, 10));
  EXPECT_TRUE(Near(image.pixel(12, 5), qRgb(200, 40, 40)));

  QString error;
  EXPECT_TRUE(DecodeJpeg(data.left(20), &error).isNull());  // cut short: no crash, no picture
  EXPECT_FALSE(error.isEmpty());
  EXPECT_TRUE(DecodeJpeg(QByteArray("\xFF\xD8\xFFgarbage", 10)).isNull());
  EXPECT_TRUE(DecodeJpeg(QByteArray()).isNull());
}

TEST(FwBackground, LoadsAJpegFileAndKeepsThePictureOnABadOne) {
  QTemporaryDir dir;
  const QString good = dir.filePath(QStringLiteral("图片.jpg"));
  const QString bad = dir.filePath(QStringLiteral("坏.jpg"));
  {
    QFile f(good);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(EncodeJpeg(20, 10, qRgb(0, 0, 255)));
    QFile g(bad);
    ASSERT_TRUE(g.open(QIODevice::WriteOnly));
    g.write(EncodeJpeg(20, 10, qRgb(0, 0, 255)).left(30));
  }
  TFwBackground background(nullptr);
  EXPECT_TRUE(background.LoadImage(good));
  EXPECT_EQ(background.Image().size(), QSize(20, 10));
  EXPECT_FALSE(background.LoadImage(bad));
  EXPECT_EQ(background.Image().size(), QSize(20, 10));
}

TEST(FwBackground, GradientAndTextureTakeTurns) {
  TFwBackground b(nullptr);
  b.SetShowTexture(true);
  EXPECT_FALSE(b.ShowGradient());
  b.SetShowGradient(true);
  EXPECT_FALSE(b.ShowTexture());
  b.SetShowGradient(false);  // nothing else shown: the texture comes back
  EXPECT_TRUE(b.ShowTexture());
}

TEST(FwBackground, PicturePlacementByStyle) {
  TFwBackground b(nullptr);
  b.SetBounds(0, 0, 200, 100);
  QImage picture(40, 10, QImage::Format_RGB32);
  picture.fill(Qt::red);
  b.SetImage(picture);
  b.SetShowImage(true);
  struct Case {
    TImageStyle style;
    TRect rect;
    bool gradient;
  };
  for (const Case c : {Case{TImageStyle::isCenter, Rect(80, 45, 120, 55), true},
                       Case{TImageStyle::isClip, Rect(0, 0, 40, 10), true},
                       Case{TImageStyle::isFill, Rect(0, 0, 200, 50), true},
                       Case{TImageStyle::isStretch, Rect(0, 0, 200, 100), false},
                       Case{TImageStyle::isTiled, Rect(0, 0, 200, 100), false}}) {
    b.SetImageStyle(c.style);
    EXPECT_EQ(b.ImageRect(), c.rect) << int(c.style);
    EXPECT_EQ(b.GradientPainted(), c.gradient) << int(c.style);
  }
  b.SetImage(QImage());  // an empty picture draws nothing and divides by nothing
  b.SetImageStyle(TImageStyle::isFill);
  EXPECT_TRUE(b.ImageRect().IsEmpty());
}

TEST(FwBackground, PaintsTheLayersInsideTheFrame) {
  TForm form(nullptr);
  auto* b = new TFwBackground(&form);
  b->SetParent(&form);
  b->SetBounds(0, 0, 60, 40);
  b->SetGradientColorStart(clRed);
  b->SetGradientColorStop(clRed);
  b->SetFrameStyle(TFrameStyle::fsFlat);
  b->SetFrameColor(clBlue);
  QImage picture(10, 10, QImage::Format_RGB32);
  picture.fill(Qt::green);
  b->SetImage(picture);
  b->SetShowImage(true);
  const QImage image = b->grab().toImage();
  EXPECT_EQ(image.pixel(0, 20), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(5, 5), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(30, 20), qRgb(0, 255, 0));  // the picture, centred
}
