#pragma once
// A small file system of its own (tmpfs), mounted for the life of the object on a
// temporary folder or on a folder given; mounting needs the right to (root), so a test
// skips when Mounted() is false. It can be made read-only, or filled up.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <sys/mount.h>

namespace fwtest {

class SmallFileSystem {
public:
  explicit SmallFileSystem(qint64 bytes, const QString& at = QString())
      : at_(at.isEmpty() ? dir_.path() : at), size_("size=" + QByteArray::number(bytes)) {
    QDir().mkpath(at_);
    mounted_ = ::mount("tmpfs", QFile::encodeName(at_).constData(), "tmpfs", 0, size_.constData()) == 0;
  }
  ~SmallFileSystem() {
    if (mounted_) ::umount2(QFile::encodeName(at_).constData(), MNT_DETACH);
  }
  SmallFileSystem(const SmallFileSystem&) = delete;
  SmallFileSystem& operator=(const SmallFileSystem&) = delete;

  bool Mounted() const { return mounted_; }
  QString FilePath(const QString& name) const { return QDir(at_).filePath(name); }
  bool MakeReadOnly() const {
    return ::mount("tmpfs", QFile::encodeName(at_).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, size_.constData()) == 0;
  }
  // Fills every byte with the file `name`: what is written there next finds the disk full.
  void Fill(const QString& name) const {
    QFile filler(FilePath(name));
    if (!filler.open(QIODevice::WriteOnly)) return;
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size() && filler.flush()) {}
  }

private:
  QTemporaryDir dir_;
  QString at_;
  QByteArray size_;
  bool mounted_ = false;
};

} // namespace fwtest
