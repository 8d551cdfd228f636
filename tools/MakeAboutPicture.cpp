// Writes the about box's picture: a light blue card with an emblem of three rising bars
// in a ring on the left, where the texts leave room, and two soft waves along the
// bottom. Computed pixel by pixel (four by four samples a pixel, for smooth edges) and
// compressed with libjpeg. Usage:
//   fw_make_about_picture <output.jpg>
#include "tools/JpegWriter.h"

#include <algorithm>
#include <cmath>

namespace {

// The about box is 550 x 300 inside a raised frame; the picture leaves a band of the
// box's gradient around it.
constexpr int kWidth = 510;
constexpr int kHeight = 260;
constexpr int kQuality = 90;
constexpr int kSamples = 4;

struct Rgb {
  double r, g, b;
};

Rgb Mix(Rgb a, Rgb b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// Coverage of a shape whose signed distance (negative inside) is d, over about a pixel.
double Inside(double d) { return std::clamp(0.5 - d, 0.0, 1.0); }

constexpr Rgb kTop{252, 253, 255};
constexpr Rgb kBottom{219, 232, 251};
constexpr Rgb kWaveLight{168, 198, 240};
constexpr Rgb kWaveDark{110, 152, 222};
constexpr Rgb kNavy{0, 60, 165};
constexpr Rgb kBright{66, 142, 255};
constexpr Rgb kWhite{255, 255, 255};

// The emblem: a ring round a disc that darkens outwards, three white bars rising from
// left to right on it.
constexpr double kEmblemX = 86;
constexpr double kEmblemY = 104;
constexpr double kDiscRadius = 46;
constexpr double kRingRadius = 56;
constexpr double kRingHalfWidth = 2.5;

Rgb Emblem(Rgb c, double x, double y) {
  const double dx = x - kEmblemX, dy = y - kEmblemY;
  const double r = std::sqrt(dx * dx + dy * dy);
  c = Mix(c, kNavy, 0.9 * Inside(std::abs(r - kRingRadius) - kRingHalfWidth));
  const Rgb disc = Mix(kBright, kNavy, r / kDiscRadius);
  c = Mix(c, disc, Inside(r - kDiscRadius));
  // Bars 12 wide with gaps of 6, standing on a base line below the centre.
  const double base = kEmblemY + 22;
  const double heights[3] = {20, 32, 46};
  for (int i = 0; i < 3; ++i) {
    const double left = kEmblemX - 24 + i * 18, right = left + 12;
    const double top = base - heights[i];
    const double d = std::max({left - x, x - right, top - y, y - base});
    c = Mix(c, kWhite, Inside(d));
  }
  return c;
}

Rgb Sample(double x, double y) {
  Rgb c = Mix(kTop, kBottom, y / kHeight);
  const double wave1 = 198 + 11 * std::sin(x * 0.017 + 0.6);
  c = Mix(c, kWaveLight, 0.75 * Inside(wave1 - y));
  const double wave2 = 222 + 8 * std::sin(x * 0.024 + 2.2);
  c = Mix(c, kWaveDark, 0.8 * Inside(wave2 - y));
  return Emblem(c, x, y);
}

void Pixel(int x, int y, unsigned char* rgb) {
  Rgb sum{0, 0, 0};
  for (int sy = 0; sy < kSamples; ++sy)
    for (int sx = 0; sx < kSamples; ++sx) {
      const Rgb s = Sample(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples);
      sum.r += s.r, sum.g += s.g, sum.b += s.b;
    }
  const double n = kSamples * kSamples;
  rgb[0] = static_cast<unsigned char>(std::lround(sum.r / n));
  rgb[1] = static_cast<unsigned char>(std::lround(sum.g / n));
  rgb[2] = static_cast<unsigned char>(std::lround(sum.b / n));
}

} // namespace

int main(int argc, char** argv) {
  return fwtools::WriteJpegMain(argc, argv, "fw_make_about_picture", kWidth, kHeight, kQuality, Pixel);
}
