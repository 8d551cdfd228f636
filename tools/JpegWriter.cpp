#include "tools/JpegWriter.h"

#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace fwtools {

bool WriteJpeg(const char* path, int width, int height, int quality, const PixelFunction& pixel) {
  std::FILE* out = std::fopen(path, "wb");
  if (!out) {
    std::perror(path);
    return false;
  }
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr jerr{};
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, out);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<unsigned char> row(static_cast<size_t>(width) * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    const int y = static_cast<int>(cinfo.next_scanline);
    for (int x = 0; x < width; ++x) pixel(x, y, &row[static_cast<size_t>(x) * 3]);
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  if (std::fclose(out) != 0) {
    std::perror(path);
    return false;
  }
  return true;
}

int WriteJpegMain(int argc, char** argv, const char* tool, int width, int height, int quality,
                  const PixelFunction& pixel) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output.jpg>\n", tool);
    return 2;
  }
  return WriteJpeg(argv[1], width, height, quality, pixel) ? 0 : 1;
}

} // namespace fwtools
