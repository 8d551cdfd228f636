#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fwtest {

QString ShotsFolder() { return qEnvironmentVariable("FW_SHOTS"); }

void SaveShot(const QImage& image, const QString& name) {
  const QString folder = ShotsFolder();
  if (folder.isEmpty()) return;
  QDir().mkpath(folder);
  image.save(QDir(folder).filePath(name));
}

QString BuiltProgramDir() {
  const QString overridden = QString::fromLocal8Bit(qgetenv("FENWRIGHT_PROGRAM_DIR"));
  return overridden.isEmpty() ? QStringLiteral(FW_BUILT_PROGRAM_DIR) : overridden;
}

namespace {

void CopyTree(const QString& from, const QString& to) {
  QDir().mkpath(to);
  QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
  while (it.hasNext()) {
    it.next();
    const QFileInfo info = it.fileInfo();
    const QString target = to + "/" + info.fileName();
    if (info.isDir())
      CopyTree(info.filePath(), target);
    else if (info.fileName() != "fenwright")
      QFile::copy(info.filePath(), target);
  }
}

void SetEnv(const char* name, const QByteArray& value) {
  if (value.isNull())
    qunsetenv(name);
  else
    qputenv(name, value);
}

} // namespace

ProgramFolderCopy::ProgramFolderCopy() {
  const QString built = BuiltProgramDir();
  if (!built.isEmpty()) CopyTree(built, dir_.path());
}

QString ProgramFolderCopy::Path() const { return dir_.path(); }

QString ProgramFolderCopy::FilePath(const QString& name) const { return dir_.filePath(name); }

ScopedUserFolders::ScopedUserFolders()
    : oldRegistry_(qgetenv("FENWRIGHT_REGISTRY_DIR")), oldConfig_(qgetenv("XDG_CONFIG_HOME")),
      oldCache_(qgetenv("XDG_CACHE_HOME")), oldHome_(qgetenv("HOME")) {
  QDir root(dir_.path());
  for (const char* sub : {"registry", "config", "cache", "home/Documents"}) root.mkpath(sub);
  qputenv("FENWRIGHT_REGISTRY_DIR", QFile::encodeName(RegistryDir()));
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(root.filePath("config")));
  qputenv("XDG_CACHE_HOME", QFile::encodeName(CacheDir()));
  qputenv("HOME", QFile::encodeName(root.filePath("home")));
}

ScopedUserFolders::~ScopedUserFolders() {
  SetEnv("FENWRIGHT_REGISTRY_DIR", oldRegistry_);
  SetEnv("XDG_CONFIG_HOME", oldConfig_);
  SetEnv("XDG_CACHE_HOME", oldCache_);
  SetEnv("HOME", oldHome_);
}

QString ScopedUserFolders::RegistryDir() const { return dir_.filePath("registry"); }
void ScopedUserFolders::MakeMachineSettingsUnwritable() const {
  const QString file = QDir(RegistryDir()).filePath(QStringLiteral("HKEY_LOCAL_MACHINE.ini"));
  QFile::remove(file);
  QDir().mkpath(file);
}

QString ScopedUserFolders::DocumentsDir() const { return dir_.filePath("home/Documents"); }
QString ScopedUserFolders::CacheDir() const { return dir_.filePath("cache"); }

ScopedTempFolder::ScopedTempFolder() : old_(qgetenv("TMPDIR")) { qputenv("TMPDIR", QFile::encodeName(dir_.path())); }

ScopedTempFolder::~ScopedTempFolder() { SetEnv("TMPDIR", old_); }

QStringList ScopedTempFolder::Entries() const {
  return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

ScopedEnvironment::ScopedEnvironment(const char* name, const QByteArray& value) : name_(name), old_(qgetenv(name)) {
  SetEnv(name, value);
}

ScopedEnvironment::~ScopedEnvironment() { SetEnv(name_, old_); }

std::unique_ptr<QProcess> StartTestInChild(const QString& role, const QProcessEnvironment& changes) {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("FW_TEST_CHILD"), role);
  for (const QString& name : changes.keys()) environment.insert(name, changes.value(name));
  auto child = std::make_unique<QProcess>();
  child->setProcessEnvironment(environment);
  child->setProcessChannelMode(QProcess::MergedChannels);
  child->start(QCoreApplication::applicationFilePath(),
               {QStringLiteral("--gtest_filter=%1.%2").arg(test->test_suite_name(), test->name())});
  return child;
}

QString ChildRole() { return qEnvironmentVariable("FW_TEST_CHILD"); }

qint64 EndedProcessId() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  int status = 0;
  ::waitpid(child, &status, 0);
  return static_cast<qint64>(child);
}

namespace {
template <typename T> bool PopFront(std::deque<T>& queue, T& out) {
  if (queue.empty()) return false;
  out = queue.front();
  queue.pop_front();
  return true;
}
} // namespace

ScriptedHooks::ScriptedHooks() {
  fw::Hooks h;
  h.MessageBox = [this](const QString& text, const QString& caption, int flags) {
    Messages.push_back({text, caption, flags});
    if (WhileMessageOpen) WhileMessageOpen(text);
    int answer = 0;
    if (PopFront(MessageAnswers, answer)) return answer;
    const int buttons = flags & 0xF;
    return buttons == fw::MB_YESNO || buttons == fw::MB_YESNOCANCEL ? int(fw::IDYES) : int(fw::IDOK);
  };
  h.Question = [this](const QString& text, int buttons) {
    Questions << text;
    QuestionButtons.push_back(buttons);
    int answer = 0;
    return PopFront(QuestionAnswers, answer) ? answer : int(fw::IDYES);
  };
  h.InputBox = [this](const QString&, const QString&, QString& value) {
    QString answer;
    if (!PopFront(InputAnswers, answer) || answer.isNull()) return false;
    value = answer;
    return true;
  };
  h.OpenFileDialog = [this](const fw::FileDialogRequest& request) {
    OpenRequests.push_back(request);
    fw::FileDialogResult result;
    PopFront(OpenAnswers, result);
    return result;
  };
  h.SaveFileDialog = [this](const fw::FileDialogRequest& request) {
    SaveRequests.push_back(request);
    fw::FileDialogResult result;
    PopFront(SaveAnswers, result);
    return result;
  };
  h.OpenWithDefault = [this](const QString& path) {
    Opened << path;
    return OpenSucceeds;
  };
  h.ChooseColor = [this](std::int32_t& color) {
    ColorRequests.push_back(color);
    return PopFront(ColorAnswers, color);
  };
  h.Beep = [this] { ++Beeps; };
  h.Now = [this] { return FixedNow.isValid() ? FixedNow : QDateTime::currentDateTime(); };
  previous_ = fw::InstallHooks(std::move(h));
}

ScriptedHooks::~ScriptedHooks() { fw::InstallHooks(std::move(previous_)); }

QStringList DeclareVirtualTable(const QString& name, const QString& module, const QString& columns) {
  return {QStringLiteral("PRAGMA writable_schema = 1"),
          QStringLiteral("insert into sqlite_master (type, name, tbl_name, rootpage, sql) values "
                         "('table', '%1', '%1', 0, 'CREATE VIRTUAL TABLE %1 USING %2(%3)')")
              .arg(name, module, columns),
          QStringLiteral("PRAGMA writable_schema = RESET")};
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
}

fw::FileDialogResult Chosen(const QString& name, int filterIndex) {
  fw::FileDialogResult result;
  result.Accepted = true;
  result.FileName = name;
  result.FilterIndex = filterIndex;
  return result;
}

} // namespace fwtest
