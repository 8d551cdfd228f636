#pragma once
// Temporary files and folders of the program, and putting a finished file into place.
//
// Every temporary carries a recognisable name: ".fenwright-<pid>-<random>.tmp" for a
// working file or a work folder beside its destination (the database engine may add
// "-journal" to a working file) and "fenwright-<pid>-<random>" for a work folder in the
// user's own temporary folder (PrivateTempFolder), never loose in the shared one. While in
// use, a temporary is marked by a lock (flock) that the working process holds on it
// (TTemporary): the kernel lets it go however the process ends, and every process that
// shares the folder sees it, also one in another PID namespace or, on a network file
// system, on another machine. A process id in a name proves nothing there, and a name
// proves nothing in a folder others write to.
//
// A file written for the person (an export, a backup, a report) is made inside a work
// folder of its own beside the destination (TWorkFileBeside), which only this user can
// enter: in a folder others can write to, nothing they plant there (a link where a
// journal will go) or swap there (a link for the working file) reaches the work, and only
// the finished file is renamed out, over the destination.
//
// So the sweep (RemoveStaleTemporaries) removes only what it can prove this program made
// and no one uses: working files and work folders that are plain files or folders (not
// links) of the current user whose lock it can take, their journals, and work folders
// without the dot only inside the private temporary folder. Nothing is reached through a
// symbolic link.
//
// Functions report failures as errno values (0 is success); FileErrorCause turns one into
// words for a message.

#include <QString>
#include <QtGlobal>
#include <functional>

namespace fw {

class TFileWriter;

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
  // The handle that holds the lock: the open file or folder itself.
  int Descriptor() const { return fd_; }
  // Lets go of the lock: after the file was renamed into place (it is no temporary any
  // more, and a database engine may now open it under its own locks) or removed.
  void Release();

private:
  friend TTemporary CreateTempFile(const QString& folder, int* error);
  friend TTemporary CreateWorkFolderBeside(const QString& folder, int* error);
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

// Removes the temporaries no process uses any more directly in folder: working files and
// work folders beside destinations whose lock can be taken (a folder with what is in it),
// journals whose working file is gone or unused, and, in the private temporary folder
// only, unlocked work folders without the dot. Returns how
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

// Makes a private work folder with a fresh name in folder (mkdir: never one that was there
// already), that only this user can enter (0700), opened without following a link and
// held, after removing the stale temporaries there. Invalid, with *error set, when the
// folder takes none.
TTemporary CreateWorkFolderBeside(const QString& folder, int* error);

// Removes a work folder of this process with everything in it, through its handle and
// without following a link (a folder swapped in at its name is left alone), and lets go
// of it.
void RemoveWorkFolder(TTemporary& folder);

// A file being written for a destination inside a private work folder beside it
// (CreateWorkFolderBeside): everything this program does to the file goes through the
// folder's handle, or through the file's own, and never through a name in the
// destination's folder; only what opens files by name alone (the database engine) is
// given Path(), inside the folder, where no one else can put anything. The finished file
// is renamed out over the destination (the same file system: one step, a link at the
// destination replaced and never followed). The folder goes with the object, with
// whatever is left in it, on every path.
class TWorkFileBeside {
public:
  TWorkFileBeside() = default;
  ~TWorkFileBeside();
  TWorkFileBeside(const TWorkFileBeside&) = delete;
  TWorkFileBeside& operator=(const TWorkFileBeside&) = delete;

  // Makes the work folder beside destination and the empty working file in it. Returns
  // errno or 0.
  int Create(const QString& destination);

  // The working file's name, for what can open a file by its name only.
  QString Path() const;

  // The working file as it stands in the folder now, open for reading and writing: the
  // descriptor held since it was made, or the new file that work done by name renamed
  // over it (a database engine that rewrites a file whole). -1, errno set, when none.
  int Descriptor();

  // Hands writer the working file, cut to nothing; or another file of the folder (a
  // spool of the work), made or cut to nothing. Return errno or 0.
  int OpenWriter(TFileWriter& writer);
  int OpenWriter(TFileWriter& writer, const QString& name) const;
  // Another file of the folder opened for reading; -1, errno set, when it cannot be.
  int OpenReader(const QString& name) const;

  // Syncs the working file and renames it out of the folder over destination, then syncs
  // the destination's folder. ESTALE, nothing renamed, when the folder no longer stands at
  // its name (what reached it by name may have reached another). Returns errno or 0.
  int MoveIntoPlace(const QString& destination);

private:
  TTemporary folder_;
  int fd_ = -1;
};

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
// full quota), "没有写入权限", "工作文件夹已被其他程序改动" (ESTALE), ... and the system's own
// text for anything else.
QString FileErrorCause(int error);

} // namespace fw
