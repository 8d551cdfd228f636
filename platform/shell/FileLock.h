#pragma once
// An advisory lock on a file itself (its inode, whatever the name it is reached by) that
// the kernel lets go when the process ends, however it ends: a program that was killed
// holds nothing afterwards. No file is ever made for it.
//
// The lock is an open-file-description lock (F_OFD_SETLK) on one byte far above the bytes
// the database engine locks, so it neither disturbs nor is disturbed by the engine's own
// record locks on the same file, and it stays when the engine closes its descriptors. The
// descriptor is kept open for as long as the lock is held and is not handed to the
// programs this one starts (a viewer opened for the user).
//
// Two locks on the same file conflict even inside one process.

#include <QString>

#include <sys/types.h>

namespace fw {

class TFileLock {
public:
  enum class TOutcome {
    Locked,        // held by this object until Unlock or its end
    HeldElsewhere, // another lock holds the file
    NotPossible,   // the file cannot be opened (missing, no permission)
  };

  TFileLock() = default;
  ~TFileLock();
  TFileLock(const TFileLock&) = delete;
  TFileLock& operator=(const TFileLock&) = delete;
  // The lock moves with the object; one moved onto another lets that one's lock go, so a
  // lock taken on a new file can replace the old one's only once the new file is in place.
  TFileLock(TFileLock&& other) noexcept;
  TFileLock& operator=(TFileLock&& other) noexcept;

  // Takes the lock on the file path leads to, without waiting. A lock this object already
  // holds on that same file stays as it is; a lock on another file (one that a new file
  // replaced under the same name) is let go once the new one is taken, or cannot be.
  TOutcome Lock(const QString& path);
  void Unlock();
  bool Locked() const { return fd_ >= 0; }
  // Whether the lock is held on the file that path leads to now.
  bool HoldsFileAt(const QString& path) const;

private:
  int fd_ = -1;
  dev_t device_ = 0;
  ino_t inode_ = 0;
};

// True when a TFileLock, in any process (this one too), holds the file path leads to.
// The probe opens and closes the file, and closing any descriptor of a file drops this
// process's record locks on it: never probe a file the database engine here has open.
bool FileLockHeld(const QString& path);
// The same for the file open on fd (for reading at least).
bool FileLockHeld(int fd);

// True when both paths lead to one existing file (the same inode: hard links, symbolic
// links and other spellings of one name alike).
bool SameFile(const QString& a, const QString& b);

} // namespace fw
