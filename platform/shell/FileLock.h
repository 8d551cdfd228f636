#pragma once
// An advisory lock on a file (flock) that the kernel lets go when the process ends,
// however it ends: a program that was killed holds nothing afterwards. The descriptor is
// not handed to the programs this one starts (a viewer opened for the user), so none of
// them goes on holding the lock either.
//
// Two locks on the same file conflict even inside one process.

#include <QString>

namespace fw {

class TFileLock {
public:
  enum class TOutcome {
    Locked,        // held by this object until Unlock or its end
    HeldElsewhere, // another lock holds the file
    NotPossible,   // the file cannot be made or opened (a read-only folder, no permission)
  };

  TFileLock() = default;
  ~TFileLock();
  TFileLock(const TFileLock&) = delete;
  TFileLock& operator=(const TFileLock&) = delete;

  // Takes the lock on path (made empty when missing) without waiting; a lock held before
  // is let go first, also when this one cannot be taken.
  TOutcome Lock(const QString& path);
  void Unlock();
  bool Locked() const { return fd_ >= 0; }

private:
  int fd_ = -1;
};

} // namespace fw
