// Pictures of the entry form with a loaded record (opt-in, FW_SHOTS), for looking at the
// pages as a user filling in the paper form would, and at the message list over the form
// after a check.
#include "EntryFormFixture.h"

#include "controls/common/FwToolButton.h"
#include "controls/navigation/FwPageControl.h"

#include <QPainter>

namespace {

using namespace fwtest;

class SurveyDataFormPictureTest : public EntryFormFixture {};

TEST_F(SurveyDataFormPictureTest, PagesWithLoadedRecord) {
  if (ShotsFolder().isEmpty()) GTEST_SKIP() << "FW_SHOTS names no folder";
  AddRecord(110101000001LL, QStringLiteral("北京市东城区总工会"));
  AddRecord(110101000002LL);
  Open(false, 1);
  EXPECT_EQ(form->ClientWidth(), 994);
  EXPECT_EQ(form->ClientHeight(), 726);
  const std::pair<int, const char*> pages[] = {{0, "cover"}, {1, "sheet1"}, {4, "sheet4"}, {9, "sheet8"},
                                               {5, "sheet4b"}, {8, "sheet7"}, {12, "sheet11"}};
  for (auto [page, name] : pages) {
    form->DataPage->SetActivePageIndex(page);
    QApplication::processEvents();
    SaveShot(form->grab().toImage(), QStringLiteral("entry-%1.png").arg(QString::fromLatin1(name)));
  }
}

class SurveyDataFormListPictureTest : public EntryFormWithRulesFixture {
protected:
  // The windows as the screen shows them: each window's grab at its place on the screen,
  // later ones over earlier ones, with a line where the window frame would be.
  static QImage Screen(std::initializer_list<QWidget*> windows) {
    QRect area;
    for (QWidget* w : windows) area |= QRect(w->mapToGlobal(QPoint()), w->size()).adjusted(-1, -1, 1, 1);
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(Qt::darkGray);
    QPainter painter(&image);
    for (QWidget* w : windows) {
      const QPoint at = w->mapToGlobal(QPoint()) - area.topLeft();
      painter.drawPixmap(at, w->grab());
      painter.setPen(Qt::black);
      painter.drawRect(QRect(at, w->size()).adjusted(-1, -1, 0, 0));
    }
    return image;
  }
};

TEST_F(SurveyDataFormListPictureTest, MessageListOverTheFormAfterCheck) {
  if (ShotsFolder().isEmpty()) GTEST_SKIP() << "FW_SHOTS names no folder";
  // One broken rule each on pages 1, 3 and 4.
  AddRuleRecord(110101000001LL, CleanWith({{"z003", 12}, {"p006", 5}, {"b029", 5}}));
  Open(false, 1);
  form->DataPage->SetActivePageIndex(1);
  form->tbCheck->Click();
  ASSERT_TRUE(list->isVisible());
  ASSERT_EQ(ListedRows().size(), 3u);
  QApplication::processEvents();
  SaveShot(Screen({form.get(), list.get()}), QStringLiteral("entry-message-list.png"));
}

} // namespace
