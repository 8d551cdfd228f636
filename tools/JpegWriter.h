#pragma once
// Writes a picture computed pixel by pixel as a JPEG file with libjpeg; the build-time
// picture tools share it.
#include <functional>

namespace fwtools {

// Fills one pixel: x, y and the three bytes red, green, blue.
using PixelFunction = std::function<void(int x, int y, unsigned char* rgb)>;

// Writes a width x height picture to `path`; false (with the reason on standard error)
// when the file cannot be written.
bool WriteJpeg(const char* path, int width, int height, int quality, const PixelFunction& pixel);

// The main of a picture tool called as "<tool> <output.jpg>": writes the picture and
// returns the exit status (2 for a wrong call, 1 when the file cannot be written).
int WriteJpegMain(int argc, char** argv, const char* tool, int width, int height, int quality,
                  const PixelFunction& pixel);

} // namespace fwtools
