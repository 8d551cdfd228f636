// The dialogue of "数据导入": the file dialog, the label question and the message for each
// way an import can end. What the import does to the databases is tested with the core.
#include "core/ExchangeFile.h"
#include "platform/shell/ShownText.h"
#include "tests/core/WorkingDatabase.h"
#include "windows/main/FastImport.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

using namespace fw;
using fwtest::Chosen;
using fwtest::WorkingDatabase;

class FastImport : public ::testing::Test {
protected:
  QString Docs(const QString& name) const { return QDir(folders.DocumentsDir()).filePath(name); }
  QStringList Texts() const {
    QStringList texts;
    for (const auto& m : hooks.Messages) texts << m.Text;
    return texts;
  }

  // A backup-like plain copy of a working database holding records with these codes.
  QString Backup(const QString& name, const std::vector<qint64>& codes) {
    WorkingDatabase source;
    std::vector<fwtest::TestRecord> records;
    for (qint64 code : codes) records.push_back({code, QStringLiteral("单位%1").arg(code), 1, 1, 1});
    source.Add(records);
    source.Connection.Execute(QStringLiteral("update ct_label set db_name = '下级单位'"));
    source.Connection.Close();
    const QString file = Docs(name + ".mdb");
    EXPECT_TRUE(QFile::copy(source.Path(), file));
    return file;
  }

  bool Run(WorkingDatabase& target, const QString& chosen, int filterIndex = 2) {
    target.Activate();
    hooks.OpenAnswers.push_back(Chosen(chosen, filterIndex));
    return FastImportDat(target.Connection);
  }

  fwtest::ScopedUserFolders folders;
  fwtest::ScriptedHooks hooks;
};

TEST_F(FastImport, AsksForTheFileAndTheLabelThenTellsTheImport) {
  const QString file = Backup(QStringLiteral("备份"), {110101000001, 110101000002});
  WorkingDatabase target;
  EXPECT_TRUE(Run(target, Docs(QStringLiteral("备份"))));

  ASSERT_EQ(hooks.OpenRequests.size(), 1u);
  EXPECT_EQ(hooks.OpenRequests[0].Title, QStringLiteral("选择导入文件"));
  EXPECT_EQ(hooks.OpenRequests[0].Filter, QStringLiteral("数据加密文件(*.dat)|*.dat|数据备份文件(*.mdb)|*.mdb"));
  EXPECT_EQ(hooks.OpenRequests[0].InitialDir, folders.DocumentsDir());
  ASSERT_EQ(hooks.Messages.size(), 2u);
  EXPECT_EQ(hooks.Messages[0].Text, QStringLiteral("确认准备导入标记声明为【下级单位】的数据么？"));
  EXPECT_EQ(hooks.Messages[0].Caption, QStringLiteral("提示："));
  EXPECT_EQ(hooks.Messages[0].Flags & 0xFFF, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2);
  EXPECT_EQ(hooks.Messages[1].Text, "数据已经被正确地从'" + file + "'导入！");
  EXPECT_EQ(target.Rows().size(), 2u);
}

// The label a file declares is shown in the question as one short line, however long and
// whatever markup or line breaks it holds.
TEST_F(FastImport, TheQuestionShowsALongHostileLabelCutToOneLine) {
  const QString file = Backup(QStringLiteral("备份"), {110101000001});
  const QString label = QStringLiteral("<br>下级\n<font size=7>系统升级</font>") + QString(1 << 18, QChar(0x6570));
  {
    TADOConnection c;
    c.SetConnectionString("Data Source=" + file);
    c.Open();
    c.Execute(QStringLiteral("update ct_label set db_name = ?"), QVariantList{label});
  }
  WorkingDatabase target;
  hooks.MessageAnswers.push_back(IDNO);
  EXPECT_FALSE(Run(target, file));
  ASSERT_EQ(hooks.Messages.size(), 1u);
  const QString shown = QStringLiteral("<br>下级 <font size=7>系统升级</font>") +
                        QString(kShownLabelLength - 32, QChar(0x6570)) + QChar(0x2026);
  EXPECT_EQ(hooks.Messages[0].Text, "确认准备导入标记声明为【" + shown + "】的数据么？");
}

TEST_F(FastImport, DecliningReturnsFalseAndSaysNothingMore) {
  Backup(QStringLiteral("备份"), {110101000001});
  WorkingDatabase target;
  hooks.MessageAnswers.push_back(IDNO);
  EXPECT_FALSE(Run(target, Docs(QStringLiteral("备份.mdb"))));
  EXPECT_EQ(hooks.Messages.size(), 1u);
  EXPECT_TRUE(target.Rows().empty());
}

TEST_F(FastImport, CancelledDialogDoesNothing) {
  WorkingDatabase target;
  target.Activate();
  EXPECT_TRUE(FastImportDat(target.Connection)); // the scripted dialog cancels
  EXPECT_TRUE(hooks.Messages.empty());
}

TEST_F(FastImport, ClashWritesTheReportAndOpensIt) {
  const QString file = Backup(QStringLiteral("冲突"), {110101000003, 110101000001, 110101000002});
  WorkingDatabase target;
  target.Add({{110101000003, "已有三", 1, 3, 0}, {110101000001, "已有一", 1, 1, 0}});
  EXPECT_TRUE(Run(target, file));
  const QString report = Docs(kImportClashReportName);
  EXPECT_EQ(hooks.Opened, QStringList{report});
  EXPECT_EQ(Texts().last(), ImportClashMessage(report));
  EXPECT_EQ(QString::fromUtf8(fwtest::FileBytes(report)),
            QStringLiteral("在准备导入的文件中，如下的记录与现有的记录发生编号冲突\n") + QString(80, '-') +
                QStringLiteral("\n(110101000001,单位110101000001)\n(110101000003,单位110101000003)\n"));
}

TEST_F(FastImport, EachRefusalHasItsMessage) {
  WorkingDatabase target;
  const QString empty = Docs(QStringLiteral("空.dat"));
  fwtest::WriteBytes(empty, QByteArray());
  QString noTable;
  {
    WorkingDatabase other;
    other.Connection.Execute(QStringLiteral("drop view view_data; drop view view_datasearch; drop table dt_data"));
    other.Connection.Close();
    noTable = Docs(QStringLiteral("其他.mdb"));
    ASSERT_TRUE(QFile::copy(other.Path(), noTable));
  }
  const QString refused = Backup(QStringLiteral("拒绝"), {110101000001});
  target.Connection.Execute(
      QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON dt_data BEGIN SELECT RAISE(ABORT, '不收'); END"));

  struct Case {
    QString chosen;
    int filter;
    QString message;
  };
  const std::vector<Case> cases = {
      {empty, 1, QStringLiteral("文件格式错误,请重新选择！")},
      {Docs(QStringLiteral("没有.dat")), 1, QStringLiteral("您选择的文件并不存在，请选择其它文件。")},
      {noTable, 2, QStringLiteral("您选择的文件中不存在名字为\"dt_data\"的数据表")},
      {refused, 2, QStringLiteral("运行中发生错误：不收请与软件发行者联系。")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen.toStdString());
    hooks.Messages.clear();
    EXPECT_TRUE(Run(target, c.chosen, c.filter));
    EXPECT_EQ(Texts().last(), c.message);
  }
  EXPECT_TRUE(hooks.Opened.isEmpty());
  EXPECT_TRUE(target.Rows().empty());
}

} // namespace
