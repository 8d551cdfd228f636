// Paints the summary dialog and the locate and search dialogs for looking at after a
// change (written to FW_SHOTS when it is set: fw_sum.png, ...).
#include "windows/dialogs/SumForm.h"

#include "controls/common/FwCheckList.h"
#include "tests/windows/dialogs/GroupDialogsSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace fw;

QImage Save(QWidget& widget, const char* name) {
  const QImage image = widget.grab().toImage();
  fwtest::SaveShot(image, QString::fromUtf8(name));
  return image;
}

TEST(SumSearchPicture, SummaryDialogWithAGroup) {
  if (fwtest::ShotsFolder().isEmpty()) GTEST_SKIP() << "pictures only with FW_SHOTS";
  fwtest::ScopedUserFolders folders;
  fwtest::ScriptedHooks hooks;
  fwtest::GroupDatabase db;
  db.AddScheme(QStringLiteral("按地区分组"), fwtest::kThreeItems);
  std::unique_ptr<TdlgSumForm> form(NewForm<TdlgSumForm>(nullptr, &db.Connection));
  form->Show();
  form->TableList->SetItemIndex(3);
  const QImage image = Save(*form, "fw_sum.png");
  EXPECT_EQ(image.width(), form->Width());
}

} // namespace
