// Paints both grouping dialogs over a scheme of three items and checks their size and
// the sorted title (pictures for looking at go to FW_SHOTS when it is set:
// fw_group_list.png, fw_group_item.png).
#include "windows/dialogs/GroupItemForm.h"
#include "windows/dialogs/GroupListForm.h"

#include "platform/ui/DBGrid.h"
#include "tests/windows/dialogs/GroupDialogsSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace fw;

QImage Save(QWidget& widget, const char* name) {
  const QImage image = widget.grab().toImage();
  fwtest::SaveShot(image, QString::fromUtf8(name));
  return image;
}

// Whether a row of the picture, between two columns, holds a pixel of the colour.
bool RowHasColor(const QImage& image, int y, int fromX, int toX, QColor color) {
  for (int x = fromX; x < toX; ++x)
    if (image.pixelColor(x, y) == color) return true;
  return false;
}

TEST(GroupDialogsPicture, BothDialogsWithASchemeOfThreeItems) {
  fwtest::ScriptedHooks hooks;
  fwtest::GroupDatabase db;
  const int id = db.AddScheme(QStringLiteral("按地区分组"), fwtest::kThreeItems);
  db.AddScheme(QStringLiteral("按行业分组"));

  std::unique_ptr<TdlgGroupListForm> list(NewForm<TdlgGroupListForm>(nullptr, &db.Connection));
  list->Show();
  const QImage listImage = Save(*list, "fw_group_list.png");
  EXPECT_EQ(listImage.width(), 553);

  std::unique_ptr<TdlgGroupItemForm> editor(NewForm<TdlgGroupItemForm>(nullptr, &db.Connection));
  editor->GroupID = id;
  editor->SchemeName = QStringLiteral("按地区分组");
  editor->Show();
  editor->DBGrid1TitleClick(editor->DBGrid1->Columns()[1]);
  const QImage itemImage = Save(*editor, "fw_group_item.png");
  EXPECT_EQ(itemImage.width(), 600);
  // The sorted column's title is lime.
  const TRect cell = editor->DBGrid1->CellRect(1, 0);
  const int titleY = editor->DBGrid1->Top() + editor->DBGrid1->TitleHeight() / 2 + 1;
  EXPECT_TRUE(RowHasColor(itemImage, titleY, editor->DBGrid1->Left() + cell.Left + 2,
                          editor->DBGrid1->Left() + cell.Right - 2, QColor(0, 255, 0)));
}

} // namespace
