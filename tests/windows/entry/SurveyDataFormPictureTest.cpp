// Pictures of the entry form with a loaded record, written as PNG files to the folder
// named by FW_ENTRY_SHOTS (skipped without it), for looking at the pages as a user
// filling in the paper form would.
#include "EntryFormFixture.h"

#include "controls/navigation/FwPageControl.h"

#include <QDir>

namespace {

using namespace fwtest;

class SurveyDataFormPictureTest : public EntryFormFixture {};

TEST_F(SurveyDataFormPictureTest, PagesWithLoadedRecord) {
  const QString folder = qEnvironmentVariable("FW_ENTRY_SHOTS");
  if (folder.isEmpty()) GTEST_SKIP() << "FW_ENTRY_SHOTS names no folder";
  QDir().mkpath(folder);
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
    form->grab().save(QDir(folder).filePath(QString::fromLatin1(name) + ".png"));
  }
}

} // namespace
