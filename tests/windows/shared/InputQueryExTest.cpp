// InputQueryEx, GetAveCharSize and HasAlnum.
#include "windows/shared/InputQueryEx.h"

#include "platform/ui/Bitmap.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Form.h"

#include <gtest/gtest.h>

using namespace fw;

namespace {
TEdit* EditOf(TForm& form) {
  for (int i = 0; i < form.ControlCount(); ++i)
    if (auto* e = dynamic_cast<TEdit*>(form.Controls(i))) return e;
  return nullptr;
}
} // namespace

TEST(InputQueryEx, OkTakesTheTextCancelLeavesTheValue) {
  QString value = QStringLiteral("原值");
  {
    ScopedModalScript script([](TForm& form) {
      TEdit* edit = EditOf(form);
      EXPECT_EQ(edit->Text(), QStringLiteral("原值"));
      EXPECT_EQ(edit->MaxLength(), 255);
      edit->SetText(QStringLiteral("新值"));
      return int(mrCancel);
    });
    EXPECT_FALSE(InputQueryEx(QStringLiteral("改名"), QStringLiteral("新名称："), value));
  }
  EXPECT_EQ(value, QStringLiteral("原值"));
  {
    ScopedModalScript script([](TForm& form) {
      EXPECT_EQ(form.Caption(), QStringLiteral("改名"));
      EditOf(form)->SetText(QStringLiteral("新值"));
      return int(mrOk);
    });
    EXPECT_TRUE(InputQueryEx(QStringLiteral("改名"), QStringLiteral("新名称："), value));
  }
  EXPECT_EQ(value, QStringLiteral("新值"));
}

TEST(InputQueryEx, AverageCharacterSizeIsTheLettersWidthDiv52) {
  TBitmap bitmap(1, 1);
  const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  TPoint size;
  GetAveCharSize(bitmap.Canvas(), size);
  EXPECT_EQ(size.X, bitmap.Canvas().TextWidth(letters) / 52);
  EXPECT_EQ(size.Y, bitmap.Canvas().TextHeight(letters));
  EXPECT_GT(size.X, 0);
}

TEST(InputQueryEx, HasAlnumLooksForLatinLettersAndDigits) {
  struct Case {
    const char* text;
    bool has;
  };
  for (const Case c : {Case{"", false}, Case{"工会组织", false}, Case{"工会3组织", true}, Case{"ｚ全角", false},
                       Case{"-_ ,.", false}, Case{"a", true}, Case{"Z", true}, Case{"９", false}}) {
    EXPECT_EQ(HasAlnum(QString::fromUtf8(c.text)), c.has) << c.text;
  }
}
