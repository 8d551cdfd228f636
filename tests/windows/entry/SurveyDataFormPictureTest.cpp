// The looks of the entry form: the fields' frames and colours from the form's two frame
// controllers, checked on pixels; and pictures of the form with a loaded record (opt-in,
// FW_SHOTS), for looking at the pages as a user filling in the paper form would, and at
// the message list over the form after a check.
#include "EntryFormFixture.h"

#include "controls/common/FwButtonEdit.h"
#include "controls/common/FwCustomPanel.h"
#include "controls/common/FwFrameController.h"
#include "controls/common/FwLabel.h"
#include "controls/common/FwNumericEdit.h"
#include "controls/common/FwToolButton.h"
#include "controls/navigation/FwPageControl.h"
#include "tests/controls/common/PixelTools.h"
#include "windows/shared/VKValidEdit.h"

#include <QPainter>

namespace {

using namespace fwtest;

class SurveyDataFormPictureTest : public EntryFormFixture {
protected:
  static void Hover(QWidget* control, bool in) {
    QEvent event(in ? QEvent::Enter : QEvent::Leave);
    QCoreApplication::sendEvent(control, &event);
  }
  // The sheet editors of a page, in the order they were built.
  std::vector<fw::TFwNumericEdit*> PageEditors(int page) const {
    std::vector<fw::TFwNumericEdit*> editors;
    for (fw::TFwNumericEdit* edit : form->SheetEditors())
      if (edit->Parent() == form->PagePanel(page)) editors.push_back(edit);
    return editors;
  }
  static QImage Grab(QWidget* control) {
    QApplication::processEvents();
    return control->grab().toImage();
  }
};

// Boxed fields and table cells take their look from BoxFrameController, underlined cover
// fields from LineFrameController: the settings, who registered, and what shows.
TEST_F(SurveyDataFormPictureTest, FieldsTakeTheirLookFromTheTwoControllers) {
  using namespace fw;
  AddRecord(110101000001LL);
  Open(false, 1);
  struct Settings {
    const char* name;
    TFwFrameController* controller;
    TColor disabled, readOnly;
    bool readOnlyOnFocus, parentColor;
    TColor frame, hot;
    TFrameStyle hotStyle;
    TSides sides;
  };
  const Settings settings[] = {
      {"box", form->BoxFrameController, clGray, clTeal, true, true, clBtnText, clRed, TFrameStyle::fsLowered, sdAll},
      {"line", form->LineFrameController, clBtnFace, clInfoBk, false, false, clBlack, clBlue, TFrameStyle::fsFlat,
       sdBottom},
  };
  for (const Settings& s : settings) {
    const TFwFrameController& c = *s.controller;
    EXPECT_EQ(c.DisabledColor(), s.disabled) << s.name;
    EXPECT_EQ(c.ReadOnlyColor(), s.readOnly) << s.name;
    EXPECT_EQ(c.ReadOnlyColorOnFocus(), s.readOnlyOnFocus) << s.name;
    EXPECT_EQ(c.ParentColor(), s.parentColor) << s.name;
    EXPECT_EQ(c.FrameColor(), s.frame) << s.name;
    EXPECT_EQ(c.FrameHotColor(), s.hot) << s.name;
    EXPECT_EQ(c.FrameHotStyle(), s.hotStyle) << s.name;
    EXPECT_EQ(c.FrameSides(), s.sides) << s.name;
    EXPECT_EQ(c.FocusColor(), clWindow) << s.name;
    EXPECT_EQ(c.FrameStyle(), TFrameStyle::fsFlat) << s.name;
    EXPECT_TRUE(c.FrameHotTrack() && c.FrameVisible()) << s.name;
    EXPECT_EQ(c.FramingPreference(), TFramingPreference::fpCustomFraming) << s.name;
  }
  // Every framed cell of the pages is on the box controller with the 156 values; the
  // cover's seven editors and three pickers are on the line controller.
  int cells = 0;
  for (int page = 0; page < kEntryPageCount; ++page)
    for (QObject* child : form->PagePanel(page)->children())
      if (auto* label = dynamic_cast<TFwLabel*>(child); label && label->BorderOuter() != TFrameStyleEx::fsNone) {
        EXPECT_EQ(label->FrameController(), form->BoxFrameController) << label->Caption().toStdString();
        ++cells;
      }
  EXPECT_GT(cells, 3 * 156);
  EXPECT_EQ(form->BoxFrameController->ControlCount(), cells + 156);
  EXPECT_EQ(form->LineFrameController->ControlCount(), 10);

  // A cell, on a sheet or on the cover: the frame in the text colour on the page's colour.
  TFwLabel* coverCell = nullptr;
  for (QObject* child : form->PagePanel(0)->children())
    if (auto* label = dynamic_cast<TFwLabel*>(child); label && label->Caption() == QStringLiteral("填 表 人")) coverCell = label;
  ASSERT_TRUE(coverCell);
  for (TFwLabel* cell : {dynamic_cast<TFwLabel*>(form->FindComponent(QStringLiteral("Caption_z001"))), coverCell}) {
    ASSERT_TRUE(cell);
    EXPECT_TRUE(cell->ParentColor());
    EXPECT_EQ(cell->Color(), clWhite);
    EXPECT_EQ(cell->FlatColor(), clBtnText);
    const QImage cellImage = Grab(cell);
    EXPECT_EQ(At(cellImage, 0, cell->Height() / 2), ColorToRGB(clBtnText)) << cell->Caption().toStdString();
    EXPECT_EQ(At(cellImage, cell->Width() / 2, 0), ColorToRGB(clBtnText)) << cell->Caption().toStdString();
  }
  // The cover's raised frame ends dark along the bottom, the tables' groove light.
  for (auto [page, outer] : {std::pair{0, cl3DDkShadow}, std::pair{1, clBtnHighlight}}) {
    const QImage panel = Grab(form->PagePanel(page));
    EXPECT_EQ(At(panel, panel.width() / 2, panel.height() - 1), ColorToRGB(outer)) << page;
    EXPECT_EQ(At(panel, panel.width() / 2, panel.height() - 2), ColorToRGB(clBtnShadow)) << page;
  }

  // A box: the same frame, sunk in while the mouse is over it; grey when disabled, teal
  // when read-only, with the focus too.
  form->DataPage->SetActivePageIndex(1);
  const std::vector<TFwNumericEdit*> boxes = PageEditors(1);
  TFwNumericEdit* box = boxes.back();
  TFwNumericEdit* elsewhere = boxes.front();
  const int w = box->Width(), h = box->Height();
  struct BoxState {
    const char* name;
    bool hovered, enabled, readOnly, focused;
    TColor top, bottom, inside;
  };
  const TColor white = clWhite, sunk = DarkerColor(clWhite, 50);
  const BoxState states[] = {
      {"plain", false, true, false, false, ColorToRGB(clBtnText), ColorToRGB(clBtnText), white},
      {"hot", true, true, false, false, sunk, white, white},
      {"disabled", false, false, false, false, ColorToRGB(clBtnText), ColorToRGB(clBtnText), clGray},
      {"read-only", false, true, true, false, ColorToRGB(clBtnText), ColorToRGB(clBtnText), clTeal},
      {"read-only, focused", false, true, true, true, DarkerColor(clTeal, 50), LighterColor(clTeal, 100), clTeal},
  };
  for (const BoxState& k : states) {
    elsewhere->SetFocus();
    box->SetEnabled(k.enabled);
    box->SetReadOnly(k.readOnly);
    if (k.focused) box->SetFocus();
    Hover(box, k.hovered);
    const QImage image = Grab(box);
    EXPECT_EQ(At(image, w / 2, 0), k.top) << k.name;
    EXPECT_EQ(At(image, w / 2, h - 1), k.bottom) << k.name;
    EXPECT_EQ(At(image, 4, h / 2), k.inside) << k.name;
    Hover(box, false);
    elsewhere->SetFocus();
  }
  box->SetReadOnly(false);

  // A line: black along the bottom only, blue while the mouse is over it.
  form->DataPage->SetActivePageIndex(0);
  for (bool hot : {false, true}) {
    Hover(form->c902, hot);
    const QImage image = Grab(form->c902);
    EXPECT_EQ(At(image, form->c902->Width() / 2, form->c902->Height() - 1), hot ? clBlue : clBlack) << hot;
    EXPECT_EQ(At(image, form->c902->Width() / 2, 0), white) << hot;
  }
}

// What the pages are built with: white panels whose grid is set but not shown, the
// tables in a grooved frame and the cover in the panel's own raised one; every numeric
// and button edit 21 high, the sheets' values following the page's colour; item names
// read from the left and every other cell centred, the cover's captions too, wrapping
// only at a line break of its caption; decimals only for the amounts the field list reads
// as real numbers.
TEST_F(SurveyDataFormPictureTest, PagesEditorsAndCellsKeepTheFormsSettings) {
  using namespace fw;
  AddRecord(110101000001LL);
  Open(false, 1);
  for (int page = 0; page < kEntryPageCount; ++page) {
    const TFwCustomPanel* panel = form->PagePanel(page);
    const bool table = page > 0;
    EXPECT_EQ(panel->Align(), TAlign::alClient) << page;
    EXPECT_EQ(panel->Color(), clWhite) << page;
    EXPECT_EQ(panel->BorderColor(), TColor(0x00F5F6F7)) << page;
    EXPECT_EQ(panel->BorderOuter(), table ? TFrameStyleEx::fsGroove : TFrameStyleEx::fsRaised) << page;
    EXPECT_EQ(panel->GridStyle(), table ? TFwGridStyle::gsDottedLines : TFwGridStyle::gsDots) << page;
    EXPECT_EQ(panel->GridXSize(), 10) << page;
    EXPECT_EQ(panel->GridYSize(), 10) << page;
    EXPECT_FALSE(panel->ShowGrid()) << page;
  }
  // The tab rows keep the 19 pixels the form fixes, whatever the font's line height.
  EXPECT_EQ(form->DataPage->RowHeight(), 19);
  EXPECT_EQ(form->DataPage->TabDrawRect(1).Height(), 19);

  int edits = 0;
  for (QWidget* child : form->findChildren<QWidget*>())
    if (dynamic_cast<TFwNumericEdit*>(child) || dynamic_cast<TFwButtonEdit*>(child)) {
      EXPECT_EQ(dynamic_cast<TControl*>(child)->Height(), 21) << child->objectName().toStdString();
      ++edits;
    }
  EXPECT_EQ(edits, 156 + 4 + 3);
  // The sheets' values follow the page's colour, but for those a level rule closes, which
  // take the disabled colour instead.
  for (const TFwNumericEdit* edit : form->SheetEditors())
    EXPECT_EQ(edit->ParentColor(), edit->Enabled()) << edit->Name().toStdString();

  // The cover's captions are framed cells, the foot's without a colon; the titles above
  // them are centred in their lines.
  QStringList coverCells;
  for (QObject* child : form->PagePanel(0)->children())
    if (auto* label = dynamic_cast<TFwLabel*>(child)) {
      if (label->BorderOuter() == TFrameStyleEx::fsFlat) coverCells << label->Caption();
      else EXPECT_EQ(label->Layout(), TTextLayout::tlCenter) << label->Caption().toStdString();
    }
  EXPECT_EQ(coverCells, (QStringList{"901. 本级工会统计编码", "902. 本级工会名称", "903. 本级工会所在地行政区划代码",
                                     "904. 本级工会层次代码", "907. 基层以上工会本年度的填报状态", "填 表 人", "联系电话"}));

  int names = 0;
  for (int page = 0; page < kEntryPageCount; ++page)
    for (QObject* child : form->PagePanel(page)->children())
      if (auto* cell = dynamic_cast<TFwLabel*>(child); cell && cell->BorderOuter() != TFrameStyleEx::fsNone) {
        const bool name = cell->Name().startsWith(QStringLiteral("Caption_"));
        names += name;
        EXPECT_EQ(cell->Alignment(), name ? TAlignment::taLeftJustify : TAlignment::taCenter) << cell->Caption().toStdString();
        EXPECT_EQ(cell->Layout(), TTextLayout::tlCenter) << cell->Caption().toStdString();
        EXPECT_EQ(cell->WordWrap(), cell->Caption().contains(QLatin1Char('\n'))) << cell->Caption().toStdString();
        if (name) {
          EXPECT_EQ(cell->Height(), 21) << cell->Caption().toStdString();
        }
      }
  EXPECT_EQ(names, 156);

  const struct {
    const char* field;
    const char* format;
    bool integersOnly;
  } formats[] = {
      {"b004", ",#.##", false}, {"b022", ",#.##", false}, {"b025", ",#.##", false}, {"b029", ",#.##", false},
      {"j021", ",#.##", false}, {"b024", ",#", true},     {"z001", ",#", true},     {"b003", ",#", true},
  };
  for (const auto& f : formats) {
    auto* edit = dynamic_cast<TFwNumericEdit*>(form->FindComponent(QString::fromLatin1(f.field)));
    ASSERT_TRUE(edit) << f.field;
    EXPECT_EQ(edit->DisplayFormat(), QString::fromLatin1(f.format)) << f.field;
    EXPECT_EQ(edit->IntegersOnly(), f.integersOnly) << f.field;
  }
  int decimals = 0;
  for (TFwNumericEdit* edit : form->SheetEditors()) decimals += !edit->IntegersOnly();
  EXPECT_EQ(decimals, 10);
}

TEST_F(SurveyDataFormPictureTest, PagesWithLoadedRecord) {
  if (ShotsFolder().isEmpty()) GTEST_SKIP() << "FW_SHOTS names no folder";
  AddRecord(110101000001LL, QStringLiteral("北京市东城区总工会"));
  AddRecord(110101000002LL);
  Open(false, 1);
  EXPECT_EQ(form->ClientWidth(), 994);
  EXPECT_EQ(form->ClientHeight(), 726);
  // Named after the sheets: the cover, sheet1 to sheet11, and sheet4b after sheet4.
  for (int page = 0; page < fw::kEntryPageCount; ++page) {
    const QString name = page == 0 ? QStringLiteral("cover")
                         : page == 5 ? QStringLiteral("sheet4b")
                                     : QStringLiteral("sheet%1").arg(page < 5 ? page : page - 1);
    form->DataPage->SetActivePageIndex(page);
    QApplication::processEvents();
    SaveShot(form->grab().toImage(), QStringLiteral("entry-%1.png").arg(name));
  }
}

// The cover and 表4 with the mouse over a field, a read-only and a disabled one.
TEST_F(SurveyDataFormPictureTest, HotReadOnlyAndDisabledFields) {
  if (ShotsFolder().isEmpty()) GTEST_SKIP() << "FW_SHOTS names no folder";
  AddRecord(110101000001LL, QStringLiteral("北京市东城区总工会"));
  Open(false, 1);
  struct Shot {
    int page;
    fw::TFwCustomEdit *hot, *readOnly, *disabled;
    const char* name;
  };
  const std::vector<fw::TFwNumericEdit*> sheet4 = PageEditors(4);
  const Shot shots[] = {{0, form->c902, form->c903, form->c904, "entry-looks-cover.png"},
                        {4, sheet4.at(1), sheet4.at(3), sheet4.at(5), "entry-looks-sheet4.png"}};
  for (const Shot& shot : shots) {
    form->DataPage->SetActivePageIndex(shot.page);
    shot.readOnly->SetReadOnly(true);
    shot.disabled->SetEnabled(false);
    Hover(shot.hot, true);
    QApplication::processEvents();
    SaveShot(form->grab().toImage(), QString::fromLatin1(shot.name));
    Hover(shot.hot, false);
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
