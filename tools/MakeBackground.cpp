// Writes the main window's background picture: a quiet blue wash with soft diagonal
// bands, computed pixel by pixel and compressed with libjpeg. Usage:
//   fw_make_background <output.jpg>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kQuality = 85;

// The window's own colour RGB(193,216,249) at the top left, lightening to the right and
// downwards, crossed by faint diagonal bands.
void Pixel(int x, int y, unsigned char* rgb) {
  const double fx = static_cast<double>(x) / kWidth;
  const double fy = static_cast<double>(y) / kHeight;
  const double light = 0.55 * fx * 0.5 + 0.45 * fy * 0.5;
  const double band = 0.04 * std::sin((x + y) * 0.02) + 0.02 * std::sin((x - 2 * y) * 0.007);
  const double t = std::clamp(light + band, 0.0, 1.0);
  const double from[3] = {193, 216, 249};
  const double to[3] = {240, 246, 255};
  for (int i = 0; i < 3; ++i) rgb[i] = static_cast<unsigned char>(std::lround(from[i] + (to[i] - from[i]) * t));
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fw_make_background <output.jpg>\n");
    return 2;
  }
  std::FILE* out = std::fopen(argv[1], "wb");
  if (!out) {
    std::perror(argv[1]);
    return 1;
  }
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr jerr{};
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, out);
  cinfo.image_width = kWidth;
  cinfo.image_height = kHeight;
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, kQuality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<unsigned char> row(static_cast<size_t>(kWidth) * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    const int y = static_cast<int>(cinfo.next_scanline);
    for (int x = 0; x < kWidth; ++x) Pixel(x, y, &row[static_cast<size_t>(x) * 3]);
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return std::fclose(out) == 0 ? 0 : 1;
}
