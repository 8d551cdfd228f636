// Writes the main window's background picture: a quiet blue wash with soft diagonal
// bands, computed pixel by pixel and compressed with libjpeg. Usage:
//   fw_make_background <output.jpg>
#include "tools/JpegWriter.h"

#include <algorithm>
#include <cmath>

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
  return fwtools::WriteJpegMain(argc, argv, "fw_make_background", kWidth, kHeight, kQuality, Pixel);
}
