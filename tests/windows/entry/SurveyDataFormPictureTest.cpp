// Pictures of the entry form with a loaded record (opt-in, FW_SHOTS), for looking at the
// pages as a user filling in the paper form would.
#include "EntryFormFixture.h"

#include "controls/navigation/FwPageControl.h"

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

} // namespace
