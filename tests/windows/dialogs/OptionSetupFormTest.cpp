// The options dialog: the page shows the settings in force without storing anything, a
// window style is stored at the click and stays after 取消, 确定 stores the input method
// and the import choice, and the input-method list drops down without losing the text.
#include "windows/dialogs/OptionSetupForm.h"

#include "platform/ime/InputMethods.h"

#include "controls/common/FwComboBox.h"
#include "controls/common/FwRadioButton.h"
#include "controls/common/FwToolButton.h"
#include "core/RegistrySettings.h"
#include "platform/ui/PageControl.h"
#include "platform/ui/TabSheet.h"
#include "tests/windows/main/MainFormFixture.h"
#include "tests/windows/shared/BarLooks.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QSettings>
#include <QTest>

namespace {

using namespace fw;

class OptionSetupFormTest : public ::testing::Test {
protected:
  void SetUp() override {
    ImePrefer = QStringLiteral("五笔");
    InputWndStyle = false;
    ImportPrinciple = 0;
    previousBackend_ = InstallInputMethodBackend(
        {[] { return TInputMethodList{{"pinyin", "拼音"}, {"wbx", "五笔"}, {"odd", "拼音'"}}; }, nullptr});
  }
  void TearDown() override {
    InstallInputMethodBackend(previousBackend_);
    ImePrefer.clear();
    InputWndStyle = false;
    ImportPrinciple = 0;
  }

  // Every value stored under HKEY_LOCAL_MACHINE, as "name=value" (the store keeps names
  // in lower case and marks its keys with entries of its own, left out here).
  QStringList Stored() const {
    QSettings store(QDir(users.RegistryDir()).filePath("HKEY_LOCAL_MACHINE.ini"), QSettings::IniFormat);
    QStringList values;
    for (const QString& key : store.allKeys()) {
      const QString name = key.section('/', -1);
      if (!name.startsWith('.')) values << name + '=' + store.value(key).toString();
    }
    return values;
  }

  // Shows the dialog, runs `steps` on it while it is shown, returns the modal result.
  int Run(const std::function<void(TdlgOptionSetupForm&)>& steps) {
    std::unique_ptr<TdlgOptionSetupForm> dialog(NewForm<TdlgOptionSetupForm>(nullptr));
    ScopedModalScript modal([&](TForm& form) {
      // A radio button takes the focus on a click, which needs the window active.
      QApplication::setActiveWindow(&form);
      EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
      steps(dynamic_cast<TdlgOptionSetupForm&>(form));
      return int(mrNone);
    });
    return dialog->ShowModal();
  }

  fwtest::ScopedUserFolders users;
  fwtest::ScriptedHooks hooks;
  TInputMethodBackend previousBackend_;
};

TEST_F(OptionSetupFormTest, ThePageShowsTheSettingsAndStoresNothing) {
  for (const bool set : {false, true}) {
    InputWndStyle = set;
    ImportPrinciple = set ? 1 : 0;
    // An input method no longer installed stays the choice shown.
    ImePrefer = set ? QStringLiteral("五笔") : QStringLiteral("郑码");
    const int result = Run([&](TdlgOptionSetupForm& d) {
      EXPECT_EQ(d.Caption(), QStringLiteral("软件参数设置"));
      // One page on the desktop's own page control.
      EXPECT_EQ(d.PageControl1->PageCount(), 1);
      EXPECT_EQ(d.PageControl1->ActivePage(), d.TabSheet1);
      EXPECT_EQ(d.TabSheet1->Caption(), QStringLiteral("软件环境"));
      // A pick list of the installed input methods, listed before the page shows.
      EXPECT_EQ(d.cbIme->Style(), TComboBoxStyle::csDropDownList);
      EXPECT_FALSE(d.cbIme->AllowEdit());
      EXPECT_EQ(d.cbIme->ItemHeight(), 12);
      EXPECT_EQ(d.cbIme->Widget()->view()->sizeHintForRow(0), 12);
      EXPECT_EQ(d.cbIme->Items(), set ? (QStringList{"拼音", "五笔", "拼音'"}) : (QStringList{"拼音", "五笔", "拼音'", "郑码"}));
      EXPECT_EQ(d.cbIme->Text(), ImePrefer);
      EXPECT_EQ(d.InputWndStyle2->Checked(), set);
      EXPECT_EQ(d.InputWndStyle->Checked(), !set);
      EXPECT_EQ(d.discardWrongItem->Checked(), set);
      EXPECT_EQ(d.CancelAll->Checked(), !set);
      if (set) fwtest::SaveShot(d.grab().toImage(), QStringLiteral("fw_options.png"));
      QTest::mouseClick(d.CancelBtn, Qt::LeftButton);
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(Stored(), QStringList());
  }
}

TEST_F(OptionSetupFormTest, AWindowStyleIsStoredAtTheClickAndStaysAfterCancel) {
  const int result = Run([&](TdlgOptionSetupForm& d) {
    QTest::mouseClick(d.InputWndStyle2, Qt::LeftButton);
    EXPECT_TRUE(InputWndStyle);
    EXPECT_EQ(Stored(), QStringList{"inputwndstyle=1"});
    d.cbIme->SetText(QStringLiteral("拼音"));
    QTest::mouseClick(d.discardWrongItem, Qt::LeftButton);
    QTest::mouseClick(d.CancelBtn, Qt::LeftButton);
  });
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(Stored(), QStringList{"inputwndstyle=1"});
  EXPECT_TRUE(InputWndStyle);
  EXPECT_EQ(ImePrefer, QStringLiteral("五笔"));
  EXPECT_EQ(ImportPrinciple, 0);

  Run([&](TdlgOptionSetupForm& d) {
    EXPECT_TRUE(d.InputWndStyle2->Checked());
    QTest::mouseClick(d.InputWndStyle, Qt::LeftButton);
    QTest::mouseClick(d.CancelBtn, Qt::LeftButton);
  });
  EXPECT_EQ(Stored(), QStringList{"inputwndstyle=0"});
  EXPECT_FALSE(InputWndStyle);
}

TEST_F(OptionSetupFormTest, OkStoresTheInputMethodAndTheImportChoice) {
  for (const int principle : {1, 0}) {
    const int result = Run([&](TdlgOptionSetupForm& d) {
      d.cbIme->SetText(principle ? QStringLiteral("拼音'") : QString());
      QTest::mouseClick(principle ? d.discardWrongItem : d.CancelAll, Qt::LeftButton);
      QTest::mouseClick(d.OKBtn, Qt::LeftButton);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(ImportPrinciple, principle);
    EXPECT_EQ(ImePrefer, principle ? QStringLiteral("拼音'") : QString());
    QString stored;
    RegReadString("ImePrefer", "none", TRootKey::HKEY_LOCAL_MACHINE, stored, ProductKey(kProductName) + kEnvSettingSubKey);
    EXPECT_EQ(stored, principle ? QStringLiteral("拼音'") : QStringLiteral("none"));
    EXPECT_EQ(RegReadInteger("ImportPrinciple", -1, TRootKey::HKEY_LOCAL_MACHINE, ProductKey(kProductName) + kEnvSettingSubKey),
              principle);
    EXPECT_EQ(Stored().filter("inputwndstyle").size(), 0);
  }
}

// Settings that cannot be stored: each write names its value in the registry's error,
// and the choices still hold for this run.
TEST_F(OptionSetupFormTest, AFailedWriteIsShownAndTheChoicesStillHold) {
  users.MakeMachineSettingsUnwritable();
  const int result = Run([&](TdlgOptionSetupForm& d) {
    QTest::mouseClick(d.InputWndStyle2, Qt::LeftButton);
    d.cbIme->SetText(QStringLiteral("拼音"));
    QTest::mouseClick(d.discardWrongItem, Qt::LeftButton);
    QTest::mouseClick(d.OKBtn, Qt::LeftButton);
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(hooks.MessageTexts(), (QStringList{"Failed to set data for 'InputWndStyle'", "Failed to set data for 'ImePrefer'",
                                              "Failed to set data for 'ImportPrinciple'"}));
  EXPECT_TRUE(InputWndStyle);
  EXPECT_EQ(ImePrefer, QStringLiteral("拼音"));
  EXPECT_EQ(ImportPrinciple, 1);
}

// The list holds the desktop's input methods; the stored name stays shown.
TEST_F(OptionSetupFormTest, TheListDropsDownWithoutLosingTheText) {
  InstallInputMethodBackend({[] { return TInputMethodList{{"pinyin", "拼音"}, {"wbx", "五笔"}}; }, nullptr});
  Run([&](TdlgOptionSetupForm& d) {
    EXPECT_EQ(d.cbIme->Items(), (QStringList{"拼音", "五笔"}));
    d.cbImeDropDown();
    EXPECT_EQ(d.cbIme->Items(), (QStringList{"拼音", "五笔"}));
    d.cbIme->SetDroppedDown(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(d.cbIme->Text(), QStringLiteral("五笔"));
    d.cbIme->SetDroppedDown(false);
    QCoreApplication::processEvents();
    EXPECT_EQ(d.cbIme->Text(), QStringLiteral("五笔"));
  });
}

} // namespace

TEST_F(OptionSetupFormTest, ButtonsWithPicturesAndHints) {
  std::unique_ptr<TdlgOptionSetupForm> dialog(NewForm<TdlgOptionSetupForm>(nullptr));
  fwtest::ExpectBars(*dialog, {{"FwToolbar1", TAlign::alNone, TFwToolbarTextOptions::ttoCustom, true, TFrameStyleEx::fsNone, 1, 0, 0}});
  fwtest::ExpectButtons(*dialog, {{"OKBtn", 0, blkHot, false, false, false}, {"CancelBtn", 0, blkHot, false, false, false}});
}
