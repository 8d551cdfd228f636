#pragma once
// Temporary files and folders of the program, and putting a finished file into place.
//
// Every temporary carries a recognisable name with the id of the process that writes it:
// ".fenwright-<pid>-<random>.tmp" for a working file beside its destination (the database
// engine may add "-journal" to it) and "fenwright-<pid>-<random>" for a private work folder
// in the user's own temporary folder (PrivateTempFolder), never loose in the shared one. A
// process killed while writing (a crash, a power cut) leaves them behind;
// RemoveStaleTemporaries finds those whose process is gone and removes them. A temporary
// of a live process, or of another user, is never touched, and the removal never follows
// a symbolic link.
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

// Whether a process with this id exists (one of another user counts as existing).
bool ProcessAlive(qint64 pid);

// Called with the name of each stale entry after it was judged and before it is removed
// (for tests: the entry may be swapped for something else there).
using TSweepProbe = std::function<void(const QString& name)>;

// Removes the temporaries that processes now gone left directly in folder (working files,
// their journals and work folders); returns how many entries went. Only entries of the
// current user are touched, and only what is found through opened folder handles without
// following symbolic links: a link is never followed, a folder swapped for a link or for
// another folder after it was judged is left alone. Entries that cannot be removed are
// left quietly.
int RemoveStaleTemporaries(const QString& folder, const TSweepProbe& beforeRemoving = {});

// At start-up: RemoveStaleTemporaries over every folder the program writes into of its
// own accord: the program folder, the private temporary folder (the work folders of
// imports and other operations) and the shared one (where earlier versions kept them), the
// documents folder (reports, shown workbooks), and the per-user cache and configuration
// folders.
void RemoveStaleTemporariesAtStart();

// Creates an empty working file with a fresh name in folder (never an existing one),
// after removing the stale temporaries there. Returns its path, or an empty text with
// *error set.
QString CreateTempFile(const QString& folder, int* error);

// Writes the file's data and then the folder's entry to the disk (fsync), so that what
// was renamed survives a power cut. Return errno or 0.
int SyncFile(const QString& path);
int SyncFolder(const QString& folder);

// Syncs the finished temporary file, renames it over destination (replacing an existing
// file in one step) and syncs the destination's folder. Returns errno or 0; on failure the
// temporary file is left for the caller to remove.
int RenameIntoPlace(const QString& temporary, const QString& destination);

// The cause of a file error in words fit for a message: "磁盘空间不足" for a full disk (or a
// full quota), "没有写入权限", ... and the system's own text for anything else.
QString FileErrorCause(int error);

} // namespace fw
