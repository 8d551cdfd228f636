#pragma once
// Temporary files and folders of the program, and putting a finished file into place.
//
// Every temporary carries a recognisable name: ".fenwright-<pid>-<random>.tmp" for a
// working file beside its destination (the database engine may add "-journal" to it) and
// "fenwright-<pid>-<random>" for a work folder in the user's own temporary folder
// (PrivateTempFolder), never loose in the shared one. While in use, a temporary is marked
// by a lock (flock) that the working process holds on it (TTemporary): the kernel lets it
// go however the process ends, and every process that shares the folder sees it, also one
// in another PID namespace or, on a network file system, on another machine. A process
// id in a name proves nothing there, and a name proves nothing in a folder others write to.
//
// So the sweep (RemoveStaleTemporaries) removes only what it can prove this program made
// and no one uses: working files that are plain files (not links) of the current user
// whose lock it can take, their journals, and work folders only inside the private
// temporary folder. Nothing is reached through a symbolic link.
//
// Functions report failures as errno values (0 is success); FileErrorCause turns one into
// words for a message.

#include <QString>
#include <QtGlobal>
#include <functional>

namespace fw {

// ".fenwright-<pid>-" for this process: the start of every working file's name.
QString TempFilePrefix();

// The user's own temporary folder: "fenwright-<uid>" in the system's temporary folder, a
// real folder (not a link) owned by the user that only the user can enter (mode 0700;
// made so when missing or open to others). When that name is held by anything else (a
// link, a file, another user's folder) the folder "tmp" in the user's cache folder serves,
// under the same checks. Empty when neither can be had.
QString PrivateTempFolder();

// The QTemporaryDir template of a private work folder: PrivateTempFolder() +
// "/fenwright-<pid>-XXXXXX"; empty when there is no private temporary folder.
QString WorkFolderTemplate();

// A temporary of this process (a working file or a work folder) and the lock that marks
// it as in use, held for as long as the object lives (or until Release). The object never
// removes the temporary itself: its owner renames it into place or removes it.
class TTemporary {
public:
  TTemporary() = default;
  ~TTemporary() { Release(); }
  TTemporary(TTemporary&& other) noexcept;
  TTemporary& operator=(TTemporary&& other) noexcept;
  TTemporary(const TTemporary&) = delete;
  TTemporary& operator=(const TTemporary&) = delete;

  bool IsValid() const { return !path_.isEmpty(); }
  QString Path() const { return path_; }
  // Lets go of the lock: after the file was renamed into place (it is no temporary any
  // more, and a database engine may now open it under its own locks) or removed.
  void Release();

private:
  friend TTemporary CreateTempFile(const QString& folder, int* error);
  friend TTemporary HoldWorkFolder(const QString& path);
  TTemporary(const QString& path, int fd) : path_(path), fd_(fd) {}

  QString path_;
  int fd_ = -1;
};

// Marks the work folder at path, just made by this process, as in use. Invalid when it
// is no longer there (a sweep of another process took it before the lock): make another.
TTemporary HoldWorkFolder(const QString& path);

// Called with the name of each stale entry after it was judged and before it is removed
// (for tests: the entry may be swapped for something else there).
using TSweepProbe = std::function<void(const QString& name)>;

// Removes the temporaries no process uses any more directly in folder: working files
// whose lock can be taken, journals whose working file is gone or unused, and, in the
// private temporary folder only, unlocked work folders with what is in them. Returns how
// many entries went. Only regular files and folders of the current user are touched, and
// only through opened folder handles without following symbolic links: a link is never
// followed, an entry swapped for a link or for another one after it was judged is left
// alone. Entries that cannot be removed are left quietly.
int RemoveStaleTemporaries(const QString& folder, const TSweepProbe& beforeRemoving = {});

// At start-up: RemoveStaleTemporaries over every folder the program writes into of its
// own accord: the program folder, the private temporary folder (the work folders of
// imports and other operations) and the shared one (working files only), the documents
// folder (reports, shown workbooks), and the per-user cache and configuration folders.
void RemoveStaleTemporariesAtStart();

// Creates an empty working file with a fresh name in folder (never an existing one) and
// holds its lock, after removing the stale temporaries there. Invalid, with *error set,
// when the folder takes no file.
TTemporary CreateTempFile(const QString& folder, int* error);

// Writes the file's data and then the folder's entry to the disk (fsync), so that what
// was renamed survives a power cut. Return errno or 0.
int SyncFile(const QString& path);
int SyncFolder(const QString& folder);

// Syncs the finished working file, renames it over destination (replacing an existing
// file in one step, and a link at that name as a link, never what it points to), lets go
// of its lock once renamed and syncs the destination's folder. Returns errno or 0; when
// the rename failed the working file is left, still held, for the caller to remove.
int RenameIntoPlace(TTemporary& temporary, const QString& destination);

// The cause of a file error in words fit for a message: "磁盘空间不足" for a full disk (or a
// full quota), "没有写入权限", ... and the system's own text for anything else.
QString FileErrorCause(int error);

} // namespace fw
