#pragma once
// Opening a file with the desktop's default program through the desktop's opener,
// xdg-open. The opener tells how it went only by how it ends, and it may end badly a
// moment after it started (nothing on the desktop opens the file's type), or hand the file
// to a viewer and keep running while the viewer runs. So it is started and watched for a
// short while: an opener that ends with an error in that time, or none on the PATH, means
// the file was not opened; one that ends well or is still running means it was.

#include <QString>

namespace fw {

// How long the opener is watched, in milliseconds.
constexpr int kOpenerWaitMs = 3000;

// Opens path with the desktop's opener, watched for waitMs; false when that failed. The
// event loop turns meanwhile (without user input, which waits until the answer is in), so
// the windows keep painting. An opener still running afterwards is left to run.
bool OpenWithDesktopOpener(const QString& path, int waitMs = kOpenerWaitMs);

} // namespace fw
