// Paints the summary dialog and the locate and search dialogs into pictures under the
// build folder (fw_sum.png, ...), to be looked at after a change.
#include "windows/dialogs/SumForm.h"

#include "controls/common/FwCheckList.h"
#include "tests/windows/dialogs/GroupDialogsSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <gtest/gtest.h>

namespace {

using namespace fw;

QImage Save(QWidget& widget, const char* name) {
  const QImage image = widget.grab().toImage();
  const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromUtf8(name));
  EXPECT_TRUE(image.save(path)) << path.toStdString();
  return image;
}

TEST(SumSearchPicture, SummaryDialogWithAGroup) {
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
