// Files written beside their destination in a folder other people can write to: what
// another user could plant or swap there while an export works never reaches anything
// but the export's own files.
#include "core/DatabaseMaintenance.h"
#include "core/GroupFiles.h"
#include "core/ListExport.h"
#include "core/OfflineExchange.h"
#include "core/Progress.h"
#include "core/SiblingTempFile.h"
#include "core/UploadExport.h"
#include "tests/core/WorkingDatabase.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

using namespace fw;
using fwtest::Chosen;
using fwtest::FileBytes;
using fwtest::WorkingDatabase;

class NoConnectionUser : public IMainConnectionUser {
  void MainConnectionClosing() override {}
  void MainConnectionReopened() override {}
};

// Runs Step whenever the work shows its progress (group and list exports show it while
// the database engine works on the file).
struct SteppingProgress : TSilentProgress {
  std::function<void()> Step;
  void ShowProgress(const QString&) override {
    if (Step) Step();
  }
  void StepProgress() override {
    if (Step) Step();
  }
};

// The exports that write a file beside the chosen one, each into the documents folder
// (a folder others can write to), and the two things another user there can do at any
// moment of the work: plant a link where the database engine puts the journal of what the
// export made there (a hard link: the engine opens no symbolic link as a journal), or swap
// what the export made for a symbolic link. Each is done at every step the work reaches.
// The file a link leads to (a database of someone else's) stays byte for byte as it was,
// and no name the export wrote is a link.
TEST(SiblingTempFile, LinksPlantedOrSwappedBesideAnExportNeverReachTheirTarget) {
  fwtest::ScopedUserFolders folders;
  fwtest::ScriptedHooks hooks;
  SteppingProgress progress;
  NoConnectionUser user;
  WorkingDatabase db;
  FixEditionSettings();
  QTemporaryDir elsewhere;
  const QString victim = QDir(elsewhere.path()).filePath(QStringLiteral("别人的.mdb"));
  ASSERT_TRUE(QFile::copy(db.Path(), victim));
  const QByteArray victimBytes = FileBytes(victim);
  db.Add({{110101000001, "一", 1, 1, 1.5}, {110101000002, "二", 1, 2, 2.5}});
  const QDir docs(folders.DocumentsDir());
  TADOQuery list(&db.Connection);
  list.SetSQL(QStringLiteral("select c901, c902 from dt_data"));

  const std::vector<std::pair<const char*, std::function<bool(const QString& file)>>> exports = {
      {"offline export",
       [&](const QString& file) {
         hooks.InputAnswers.push_back(QStringLiteral("某单位"));
         hooks.SaveAnswers.push_back(Chosen(file));
         return ExportOfflineDat(db.Connection);
       }},
      {"list export",
       [&](const QString& file) {
         hooks.SaveAnswers.push_back(Chosen(file));
         list.Open();
         return SaveQueryAsAccess(list, QStringLiteral("列表"), progress);
       }},
      {"group export",
       [&](const QString& file) {
         hooks.SaveAnswers.push_back(Chosen(file));
         return ExportGroupTables(db.Path(), GroupTables, progress);
       }},
      {"backup",
       [&](const QString& file) {
         hooks.SaveAnswers.push_back(Chosen(file));
         return BackupDatabase(db.Connection, user);
       }},
      {"upload export",
       [&](const QString& file) {
         hooks.SaveAnswers.push_back(Chosen(file));
         return ExportUploadFile(db.Connection, progress);
       }},
  };
  // What the export made beside the destination: the names another user sees there.
  const auto made = [&docs] {
    return docs.entryList({QStringLiteral(".fenwright-*")}, QDir::AllEntries | QDir::Hidden | QDir::System);
  };
  const std::vector<std::pair<const char*, std::function<void()>>> attacks = {
      {"journal link planted",
       [&] {
         for (const QString& name : made()) {
           const QString journal = docs.filePath(name + "-journal");
           if (!name.endsWith(QLatin1String("-journal")) && !QFileInfo::exists(journal)) {
             ASSERT_EQ(::link(QFile::encodeName(victim).constData(), QFile::encodeName(journal).constData()), 0);
           }
         }
       }},
      {"working file swapped",
       [&] {
         for (const QString& name : made()) {
           const QFileInfo entry(docs.filePath(name));
           if (!entry.isFile() || entry.isSymLink() || name.endsWith(QLatin1String("-journal"))) continue;
           QFile::rename(entry.filePath(), QDir(elsewhere.path()).filePath(name));
           QFile::link(victim, entry.filePath());
         }
       }},
  };
  int n = 0;
  for (const auto& [attack, plant] : attacks) {
    for (const auto& [name, write] : exports) {
      SCOPED_TRACE(std::string(attack) + ", " + name);
      const QString file = docs.filePath(QStringLiteral("导出%1").arg(++n));
      SetSiblingProbe([&plant](TSiblingStep, const QString&) { plant(); });
      progress.Step = plant;
      write(file);
      SetSiblingProbe({});
      progress.Step = nullptr;
      EXPECT_EQ(FileBytes(victim), victimBytes);
      for (const QString& entry : docs.entryList(QDir::AllEntries | QDir::Hidden | QDir::System)) {
        const QFileInfo info(docs.filePath(entry));
        if (entry.startsWith(QLatin1String(".fenwright-"))) {
          QFile::remove(info.filePath());  // what was planted
          continue;
        }
        EXPECT_FALSE(info.isSymLink()) << "the export wrote a link: " << entry.toStdString();
      }
    }
  }
}

} // namespace
