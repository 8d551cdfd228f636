// The region picker over the shipped CT_CityName: the three lists follow the starting
// code, clicks and arrow keys, and OK, double click, cancel and Esc give what the
// caller reads.
#include "windows/shared/CityNameForm.h"

#include "controls/common/FwToolButton.h"
#include "controls/common/FwToolbar.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/AdoTable.h"
#include "platform/db/Field.h"
#include "platform/ui/DBGrid.h"
#include "tests/core/WorkingDatabase.h"
#include "tests/windows/shared/BarLooks.h"

#include <QAbstractItemModel>
#include <QTableView>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

using namespace fw;

int Int(TDataSet* data, const char* field) { return data->FieldByName(QString::fromLatin1(field))->AsInteger(); }

// Clicks the row of the grid whose data-set row is `row` (0-based).
void ClickRow(TDBGrid* grid, int row, bool twice = false) {
  QTableView* view = grid->View();
  const QRect rect = view->visualRect(view->model()->index(row, 0));
  if (twice) QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, rect.center());
  else QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
}

// The 0-based row of the data set whose field has the value.
int RowOf(TDataSet* data, const char* field, int value) {
  for (int row = 0; row < data->RecordCount(); ++row) {
    data->SetRecNo(row + 1);
    if (Int(data, field) == value) return row;
  }
  return -1;
}

class CityNameFormTest : public ::testing::Test {
protected:
  // Shows the picker from `start` (none: its default), runs the script on it and gives
  // the modal result; Code and CombName are read afterwards from `form`.
  int Show(std::function<void(TCityNameForm&)> script, int start = 0) {
    form = std::make_unique<TCityNameForm>(nullptr, &Db.Connection);
    if (start) form->Code = start;
    ScopedModalScript modal([&](TForm& shown) {
      script(static_cast<TCityNameForm&>(shown));
      return mrNone;
    });
    return form->ShowModal();
  }

  fwtest::ScriptedHooks Hooks;
  fwtest::WorkingDatabase Db;
  std::unique_ptr<TCityNameForm> form;
};

TEST_F(CityNameFormTest, DefaultOpensOnBeijingAndConfirmsIt) {
  const int result = Show([](TCityNameForm& f) {
    EXPECT_EQ(Int(f.ADOTable1, "Code1"), 11);
    EXPECT_EQ(Int(f.ADOQuery1, "Code2"), 1);
    EXPECT_EQ(f.ADOQuery2->RecNo(), 1);
    // Both buttons share one row of the tool bar.
    EXPECT_EQ(f.tbCancel->Top(), f.tbOK->Top());
    EXPECT_GE(f.tbCancel->Left(), f.tbOK->Left() + f.tbOK->Width());
    f.tbOK->Click();
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(form->Code, 110100);
  EXPECT_EQ(form->CombName, "北京市");
  EXPECT_FALSE(form->ADOQuery2->Active()); // the data sets are closed on OK
}

TEST_F(CityNameFormTest, StartingCodeSelectsItsThreeRows) {
  const int result = Show([](TCityNameForm& f) {
    EXPECT_EQ(Int(f.ADOTable1, "Code1"), 50);
    EXPECT_EQ(Int(f.ADOQuery1, "Code2"), 1);
    EXPECT_EQ(Int(f.ADOQuery2, "ID"), 500102);
    f.tbOK->Click();
  }, 500102);
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(form->Code, 500102);
  EXPECT_EQ(form->CombName, "重庆市涪陵区");
}

TEST_F(CityNameFormTest, WalkProvinceCityCountyByMouseAndKeys) {
  int secondCity = 0, chosen = 0;
  const int result = Show([&](TCityNameForm& f) {
    // A click on Hebei lists its cities with city 1 current and the counties of city 1.
    ClickRow(f.CityName1, RowOf(f.ADOTable1, "Code1", 13));
    EXPECT_EQ(Int(f.ADOTable1, "Code1"), 13);
    EXPECT_EQ(Int(f.ADOQuery1, "Code1"), 13);
    EXPECT_EQ(Int(f.ADOQuery1, "Code2"), 1);
    EXPECT_EQ(Int(f.ADOQuery2, "ID") / 100, 1301);
    // Down in the city list moves to the next city and lists its counties.
    f.CityName2->View()->setFocus();
    QTest::keyClick(f.CityName2->View(), Qt::Key_Down);
    secondCity = Int(f.ADOQuery1, "Code2");
    EXPECT_GT(secondCity, 1);
    EXPECT_EQ(Int(f.ADOQuery2, "Code2"), secondCity);
    EXPECT_EQ(Int(f.ADOQuery2, "Code1"), 13);
    // A double click on a county takes it.
    const int row = f.ADOQuery2->RecordCount() - 1;
    f.ADOQuery2->SetRecNo(row + 1);
    chosen = Int(f.ADOQuery2, "ID");
    ClickRow(f.CityName3, row, true);
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(form->Code, chosen);
  EXPECT_EQ(form->Code / 100, 1300 + secondCity);
  EXPECT_TRUE(form->CombName.startsWith("河北省"));
}

TEST_F(CityNameFormTest, ArrowKeyInProvinceListFollowsTheProvince) {
  Show([](TCityNameForm& f) {
    f.CityName1->View()->setFocus();
    QTest::keyClick(f.CityName1->View(), Qt::Key_Down);
    const int province = Int(f.ADOTable1, "Code1");
    EXPECT_GT(province, 11);
    EXPECT_EQ(Int(f.ADOQuery1, "Code1"), province);
    EXPECT_EQ(Int(f.ADOQuery2, "Code1"), province);
    f.tbCancel->Click();
  });
}

TEST_F(CityNameFormTest, ProvinceWithoutCitiesConfirmsTheProvince) {
  const int result = Show([](TCityNameForm& f) {
    ClickRow(f.CityName1, RowOf(f.ADOTable1, "Code1", 81));
    EXPECT_TRUE(f.ADOQuery1->IsEmpty());
    EXPECT_TRUE(f.ADOQuery2->IsEmpty());
    f.tbOK->Click();
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(form->Code, 810000);
  EXPECT_FALSE(form->CombName.isEmpty());
}

TEST_F(CityNameFormTest, CancelAndEscLeaveTheCode) {
  EXPECT_EQ(Show([](TCityNameForm& f) {
              ClickRow(f.CityName1, RowOf(f.ADOTable1, "Code1", 13));
              f.tbCancel->Click();
            }, 500102),
            mrCancel);
  EXPECT_EQ(form->Code, 500102);
  EXPECT_EQ(Show([](TCityNameForm& f) { QTest::keyClick(f.CityName3->View(), Qt::Key_Escape); }), mrCancel);
  EXPECT_EQ(form->Code, 110100);
  EXPECT_EQ(form->CombName, "北京市");
}

TEST_F(CityNameFormTest, ShowsAgainAfterClosing) {
  form = std::make_unique<TCityNameForm>(nullptr, &Db.Connection);
  {
    ScopedModalScript modal([](TForm& shown) {
      static_cast<TCityNameForm&>(shown).tbCancel->Click();
      return mrNone;
    });
    EXPECT_EQ(form->ShowModal(), mrCancel);
  }
  form->Code = 500101;
  ScopedModalScript modal([](TForm& shown) {
    auto& f = static_cast<TCityNameForm&>(shown);
    EXPECT_EQ(Int(f.ADOQuery2, "ID"), 500101);
    f.tbOK->Click();
    return mrNone;
  });
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_EQ(form->CombName, "重庆市万州区");
}

} // namespace

TEST_F(CityNameFormTest, ConfirmAndCancelCarryPicturesOnAClassicBar) {
  form = std::make_unique<TCityNameForm>(nullptr, &Db.Connection);
  fwtest::ExpectBars(*form, {{"FwToolbar2", TAlign::alNone, TFwToolbarTextOptions::ttoCustom, false, TFrameStyleEx::fsNone, 1, 0, 0}});
  fwtest::ExpectButtons(*form, {{"tbOK", 0, blkHot, true, false, true}, {"tbCancel", 0, blkHot, true, false, false}});
}
