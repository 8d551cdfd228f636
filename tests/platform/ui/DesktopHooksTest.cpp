#include "platform/shell/Hooks.h"
#include "platform/shell/ShownText.h"
#include "platform/ui/Application.h"
#include "platform/ui/DesktopHooks.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Form.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QColorDialog>
#include <QImage>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>
#include <stdexcept>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

using namespace fw;

TEST(DesktopHooks, FileFilterBecomesQtNameFilters) {
  const std::vector<std::pair<QString, QStringList>> cases = {
      {"Excel 文件(*.xlsx)|*.xlsx", {"Excel 文件 (*.xlsx)"}},
      {"数据文件|*.dat|所有文件|*.*", {"数据文件 (*.dat)", "所有文件 (*)"}},
      {"数据库 (*.mdb;*.dat)|*.mdb;*.dat", {"数据库 (*.mdb *.dat)"}},
      {"|*.qz", {"*.qz (*.qz)"}},
      {"无扩展名|", {}},
      {"单独的描述", {}},
      {"", {}},
  };
  for (const auto& [filter, expected] : cases) EXPECT_EQ(ConvertFileFilter(filter), expected) << filter.toStdString();
}

TEST(DesktopHooks, QuestionBitsAnswer) {
  EXPECT_EQ(QuestionAnswerForBit(1), IDYES);
  EXPECT_EQ(QuestionAnswerForBit(2), IDNO);
  EXPECT_EQ(QuestionAnswerForBit(4), IDYESTOALL);
  EXPECT_EQ(QuestionAnswerForBit(8), IDNOTOALL);
}

TEST(DesktopHooks, OpeningIsSwitchedOffInTests) {
  Hooks previous = CurrentHooks();
  const QByteArray old = qgetenv("FENWRIGHT_NO_OPEN");
  qputenv("FENWRIGHT_NO_OPEN", "1");
  InstallDesktopHooks();
  EXPECT_TRUE(OpenWithDefaultProgram("/nonexistent/report.txt"));
  InstallHooks(previous);
  if (old.isNull()) qunsetenv("FENWRIGHT_NO_OPEN");
}

// Clicks the button with this caption in the modal box that is about to open.
void ClickLater(const QString& caption) {
  QTimer::singleShot(0, [caption] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    for (QPushButton* button : box->findChildren<QPushButton*>())
      if (button->text() == caption) return button->click();
    ADD_FAILURE() << "no button " << caption.toStdString();
  });
}

TEST(DesktopHooks, MessageBoxesAnswerWithTheirChineseButtons) {
  Hooks previous = CurrentHooks();
  InstallDesktopHooks();
  struct Case {
    int Flags;
    const char* Click;
    int Expected;
  };
  const std::vector<Case> cases = {
      {MB_OK | MB_ICONINFORMATION, "确定", IDOK},
      {MB_OKCANCEL, "取消", IDCANCEL},
      {MB_YESNO | MB_ICONQUESTION, "否", IDNO},
      {MB_YESNOCANCEL, "是", IDYES},
  };
  for (const Case& c : cases) {
    ClickLater(QString::fromUtf8(c.Click));
    EXPECT_EQ(ShowMessage("确定删除吗？", "提示", c.Flags), c.Expected) << c.Click;
  }
  ClickLater("全都是");
  EXPECT_EQ(CurrentHooks().Question("覆盖吗？", 1 | 2 | 4), IDYESTOALL);
  InstallHooks(previous);
}

// A message box without a caption of its own carries the program's title, whichever
// way it comes (a message, the application's box, the general error display); a caption
// the box names is kept. The real box shows the title whole, however short its text,
// and lets its text be copied.
TEST(DesktopHooks, EveryMessageBoxCarriesTheProgramsTitle) {
  {
    fwtest::ScriptedHooks hooks;
    TApplication app;
    ShowMessage(QStringLiteral("保存成功"));
    ShowMessage(QStringLiteral("请选择指标"), QString(), MB_OK | MB_ICONWARNING);
    app.MessageBox(QStringLiteral("备份成功"), QString(), MB_OK);
    app.ShowException(std::runtime_error("运行中发生错误"));
    ShowMessage(QStringLiteral("删除操作将不可恢复，您确认继续么？"), QStringLiteral("警告信息"), MB_YESNO);
    ASSERT_EQ(hooks.Messages.size(), 5u);
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(hooks.Messages[i].Caption, kProgramTitle) << i;
    EXPECT_EQ(hooks.Messages[4].Caption, QStringLiteral("警告信息"));
  }
  const std::unique_ptr<QMessageBox> box = MakeMessageBox(QStringLiteral("好"), QString(), MB_OK);
  box->addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
  box->show();
  QCoreApplication::processEvents();
  EXPECT_EQ(box->windowTitle(), kProgramTitle);
  EXPECT_GE(box->width(), box->fontMetrics().horizontalAdvance(kProgramTitle) + 120);
  EXPECT_TRUE(box->textInteractionFlags() & Qt::TextSelectableByMouse);
}

TEST(DesktopHooks, TheColourDialogAnswersInColourValues) {
  Hooks previous = CurrentHooks();
  InstallDesktopHooks();
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->currentColor(), QColor(0x40, 0x80, 0xFF));  // started at the proposal
    dialog->setCurrentColor(QColor(0x11, 0x22, 0x33));
    dialog->accept();
  });
  TColor color = 0x00FF8040;  // 0x00BBGGRR
  EXPECT_TRUE(ExecuteColorDialog(color));
  EXPECT_EQ(color, 0x00332211);
  QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
  EXPECT_FALSE(ExecuteColorDialog(color));
  EXPECT_EQ(color, 0x00332211);
  InstallHooks(previous);
}

TEST(Dialogs, TheColourDialogKeepsTheColourWhenCancelled) {
  fwtest::ScriptedHooks hooks;
  TColor color = clRed;
  EXPECT_FALSE(ExecuteColorDialog(color));
  EXPECT_EQ(color, clRed);
  hooks.ColorAnswers = {0x00123456};
  EXPECT_TRUE(ExecuteColorDialog(color));
  EXPECT_EQ(color, 0x00123456);
  EXPECT_EQ(hooks.ColorRequests, (std::vector<std::int32_t>{clRed, clRed}));
}

// Presses Enter in the modal box that is about to open.
void PressEnterLater() {
  QTimer::singleShot(0, [] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, Qt::Key_Return);
  });
}

// Enter presses the button that the MB_DEFBUTTON bits name, so a question that discards
// data answers safely when Enter is pressed.
TEST(DesktopHooks, EnterPressesTheDefaultButton) {
  Hooks previous = CurrentHooks();
  InstallDesktopHooks();
  struct Case {
    int Flags;
    int Expected;
  };
  const std::vector<Case> cases = {
      {MB_YESNO, IDYES},
      {MB_YESNO | MB_DEFBUTTON2, IDNO},
      {MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2, IDCANCEL},
      {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
      {MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2 | 0x1000, IDNO}, // system-modal as well
      {MB_YESNO | MB_DEFBUTTON3, IDYES},                         // no third button: the first
  };
  for (const Case& c : cases) {
    PressEnterLater();
    EXPECT_EQ(ShowMessage("确定删除吗？", "提示", c.Flags), c.Expected) << std::hex << c.Flags;
  }
  PressEnterLater();
  EXPECT_EQ(CurrentHooks().Question("删除吗？", 1 | 2 | MB_DEFBUTTON2), IDNO);
  InstallHooks(previous);
}

// A stay-on-top form covers neither other programs nor the program's own boxes: it steps
// back while the program is not the active one and while a box or dialog of the hooks is
// up, and comes forward again after.
TEST(DesktopHooks, StayOnTopFormsStepBackForOtherProgramsAndBoxes) {
  Hooks previous = CurrentHooks();
  InstallDesktopHooks();
  {
    TApplication app;
    TForm form(nullptr);
    form.SetFormStyle(TFormStyle::fsStayOnTop);
    form.Show();
    auto onTop = [&form] { return form.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint); };
    auto programActive = [](bool active) {
      QApplicationStateChangeEvent event(active ? Qt::ApplicationActive : Qt::ApplicationInactive);
      QCoreApplication::sendEvent(qApp, &event);
    };
    programActive(true);
    EXPECT_TRUE(onTop());
    programActive(false);
    EXPECT_FALSE(onTop());
    programActive(true);
    EXPECT_TRUE(onTop());
    std::vector<bool> whileUp;
    const auto closeLater = [&] {
      QTimer::singleShot(0, [&] {
        whileUp.push_back(onTop());
        QApplication::activeModalWidget()->close();
      });
    };
    closeLater();
    ShowMessage(QStringLiteral("数据已经被临时保存。"));
    closeLater();
    QString value;
    InputQuery(QStringLiteral("分组"), QStringLiteral("名称"), value);
    EXPECT_EQ(whileUp, (std::vector<bool>{false, false}));
    programActive(true);
    EXPECT_TRUE(onTop());
  }
  InstallHooks(previous);
}

// Texts from a file, a path or a person are shown as they are in every box: markup in them
// is never read (so no picture is loaded from the file it names) and a huge text is cut
// short; a label inside a message becomes one short line.
TEST(DesktopHooks, BoxesShowHostileTextsAsPlainTextCutShort) {
  const QTemporaryDir folder;
  const QString picture = folder.filePath(QStringLiteral("watched.png"));
  ASSERT_TRUE(QImage(4, 4, QImage::Format_RGB32).save(picture));
  const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(::inotify_add_watch(watch, QFile::encodeName(picture).constData(), IN_OPEN | IN_ACCESS), 0);
  const QString hostile = QStringLiteral("<br><font size=7 color=red>系统升级：请点击“是”继续</font><img src=\"") +
                          picture + QStringLiteral("\">") + QString(1 << 20, QLatin1Char('x'));
  const QString shown = CutForShowing(hostile, kShownTextLength);
  EXPECT_EQ(shown.size(), kShownTextLength);
  EXPECT_TRUE(shown.startsWith(hostile.left(60)) && shown.endsWith(QChar(0x2026)));

  const std::unique_ptr<QMessageBox> box = MakeMessageBox(hostile, QStringLiteral("提示："), MB_YESNO);
  EXPECT_EQ(box->text(), shown);
  const std::unique_ptr<QInputDialog> input = MakeInputDialog(QStringLiteral("设置数据库标识"), hostile, QString());
  EXPECT_EQ(input->labelText(), shown);
  for (QDialog* dialog : std::initializer_list<QDialog*>{box.get(), input.get()}) {
    dialog->show();
    QCoreApplication::processEvents();
    dialog->grab();
    int labels = 0;
    for (const QLabel* label : dialog->findChildren<QLabel*>())
      if (label->text() == shown) {
        ++labels;
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
      }
    EXPECT_EQ(labels, 1);
    dialog->hide();
  }
  char events[4096];
  EXPECT_LT(::read(watch, events, sizeof events), 0) << "the picture was read";
  ::close(watch);

  EXPECT_EQ(ShownLabel(QStringLiteral("下级\r\n单位\t<br>")), QStringLiteral("下级  单位 <br>"));
  EXPECT_EQ(ShownLabel(QString(kShownLabelLength, QChar(0x6570))), QString(kShownLabelLength, QChar(0x6570)));
  const QString cut = ShownLabel(QString(1 << 18, QLatin1Char('x')));
  EXPECT_EQ(cut, QString(kShownLabelLength - 1, QLatin1Char('x')) + QChar(0x2026));
  // A character outside the basic plane is never split in two.
  const QString wide = QString(kShownLabelLength - 2, QLatin1Char('x')) + QStringLiteral("😀y");
  EXPECT_EQ(ShownLabel(wide), QString(kShownLabelLength - 2, QLatin1Char('x')) + QChar(0x2026));
}

TEST(Dialogs, InputQueryKeepsTheValueWhenCancelled) {
  fwtest::ScriptedHooks hooks;
  hooks.InputAnswers = {QString(), QStringLiteral("新名称")};
  QString value = "旧";
  EXPECT_FALSE(InputQuery("标题", "提示", value));
  EXPECT_EQ(value, "旧");
  EXPECT_TRUE(InputQuery("标题", "提示", value));
  EXPECT_EQ(value, "新名称");
}

TEST(Fonts, WindowsNamesResolveToInstalledFonts) {
  InstallFontSubstitutions();
  EXPECT_TRUE(SubstitutedNames().contains(QStringLiteral("宋体")));
  EXPECT_TRUE(SubstitutedNames().contains(QStringLiteral("Times New Roman")));
  for (const char* name : {"宋体", "Tahoma", "MS Sans Serif", "Arial", "黑体"})
    EXPECT_TRUE(SubstitutedFamily(QString::fromUtf8(name)).startsWith("Noto Sans CJK")) << name;
}

} // namespace
