// A gallery, run only when FW_SHOTS names a folder: the controls' less common looks in
// one picture (fw_controls_gallery.png), tabs with close and list buttons and turned
// captions, radio groups with custom glyphs and caption styles, and a check list with
// custom glyphs.
#include "controls/common/FwCheckList.h"
#include "controls/common/FwGroupButton.h"
#include "controls/common/FwRadioGroup.h"
#include "controls/navigation/FwTabControl.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Form.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QPainter>
#include <gtest/gtest.h>

using namespace fw;

namespace {

constexpr TColor kOlive = 0x00008080;  // left out of the glyph cells

// Six 13 x 13 cells on an olive ground: round (radio) or square (check) glyphs, plain,
// checked or grayed, the last three in disabled colours.
void PaintStrip(TBitmap& strip, bool round, const int (&marks)[6]) {
  strip.SetSize(6 * 13, 13);
  TCanvas& c = strip.Canvas();
  c.Brush().SetColor(kOlive);
  c.FillRect(Rect(0, 0, strip.Width(), strip.Height()));
  for (int cell = 0; cell < 6; ++cell) {
    const bool disabled = cell >= 3;
    const TRect box = Bounds(cell * 13, 0, 13, 13);
    c.Pen().SetColor(disabled ? clGray : 0x0080511C);
    c.Brush().SetColor(disabled ? clBtnFace : clWhite);
    if (round) {
      if (QPainter* p = c.Painter()) {
        p->setPen(ToQColor(c.Pen().Color()));
        p->setBrush(ToQColor(c.Brush().Color()));
        p->drawEllipse(box.Left, box.Top, 12, 12);
      }
    } else {
      c.Rectangle(box);
    }
    const TColor mark = disabled ? clGray : 0x0021A121;
    c.Brush().SetColor(mark);
    if (marks[cell] == 1) c.FillRect(Rect(box.Left + 4, box.Top + 4, box.Left + 9, box.Top + 9));
    if (marks[cell] == 2) c.FillRect(Rect(box.Left + 3, box.Top + 6, box.Left + 10, box.Top + 8));
  }
}

QImage Grab(QWidget* w) {
  QApplication::processEvents();
  return w->grab().toImage();
}

} // namespace

TEST(FwControlsGallery, PaintsTheLessCommonLooksIntoOnePicture) {
  if (fwtest::ShotsFolder().isEmpty()) GTEST_SKIP() << "pictures only with FW_SHOTS";
  TForm form(nullptr);
  form.SetBounds(0, 0, 900, 700);
  form.SetColor(clBtnFace);
  QImage sheet(900, 440, QImage::Format_RGB32);
  sheet.fill(ToQColor(clBtnFace));
  QPainter painter(&sheet);

  // Tabs with close and list buttons: a scrolling top strip, turned captions on rounded
  // tabs on the left and right and on cut-corner tabs at the bottom.
  struct TabLook {
    TFwTabOrientation orientation;
    TFwTabStyle style;
    TOrientation text;
    int x, y, w, h, count;
  } tabLooks[] = {
      {TFwTabOrientation::toTop, TFwTabStyle::tsSingleSlant, TOrientation::orHorizontal, 10, 10, 420, 120, 9},
      {TFwTabOrientation::toLeft, TFwTabStyle::tsRoundCorners, TOrientation::orVertical, 440, 10, 200, 240, 4},
      {TFwTabOrientation::toBottom, TFwTabStyle::tsCutCorner, TOrientation::orVertical, 10, 140, 420, 110, 4},
      {TFwTabOrientation::toRight, TFwTabStyle::tsRoundCorners, TOrientation::orVertical, 650, 10, 240, 240, 3},
  };
  for (const TabLook& look : tabLooks) {
    auto* tabs = new TFwCustomTabControl(&form);
    tabs->SetParent(&form);
    tabs->SetBounds(look.x, look.y, look.w, look.h);
    const QStringList captions{QStringLiteral("封面"),     QStringLiteral("表&1"),   QStringLiteral("表4续"),
                               QStringLiteral("汇总"),     QStringLiteral("表5基层"), QStringLiteral("表6基层"),
                               QStringLiteral("表7基层"), QStringLiteral("表8基层"), QStringLiteral("表9基层")};
    for (int i = 0; i < look.count; ++i) tabs->Tabs().Add().Caption = captions[i];
    tabs->RebuildTabs();
    tabs->SetTabOrientation(look.orientation);
    tabs->SetTabStyle(look.style);
    tabs->SetTextOrientation(look.text);
    tabs->SetTabOverlap(2);
    tabs->SetShowCloseButton(true);
    tabs->SetShowMenuButton(true);
    tabs->SetColor(0x00F5F6F7);
    tabs->SetFlatColor(0x009C9B91);
    tabs->SetTabIndex(1);
    tabs->show();
    painter.drawImage(look.x, look.y, Grab(tabs));
  }

  // Radio groups with custom glyphs and each caption style.
  TBitmap radioStrip;
  PaintStrip(radioStrip, true, {0, 1, 0, 1, 0, 1});
  const TTextStyle styles[] = {TTextStyle::tsNormal, TTextStyle::tsRaised, TTextStyle::tsRecessed, TTextStyle::tsShadow};
  for (int i = 0; i < 4; ++i) {
    auto* group = new TFwRadioGroup(&form);
    group->SetParent(&form);
    group->SetBounds(10 + i * 170, 270, 160, 110);
    group->SetCaption(QStringLiteral("汇总方式 %1").arg(i + 1));
    group->SetItems({QStringLiteral("照工会层次"), QStringLiteral("填报状态"), QStringLiteral("地区")});
    group->SetItemIndex(1);
    group->SetTextStyle(styles[i]);
    group->SetTextHighlightColor(clWhite);
    group->SetTextShadowColor(clGray);
    if (i % 2 == 0) group->SetCustomGlyphs(radioStrip);
    else group->SetItemHotTrack(true);
    if (i == 3) group->Button(2)->SetEnabled(false);
    group->show();
    painter.drawImage(10 + i * 170, 270, Grab(group));
  }

  // A check list with custom glyphs: checked, unchecked, grayed, a group header and
  // disabled items.
  TBitmap checkStrip;
  PaintStrip(checkStrip, false, {0, 1, 2, 0, 1, 2});
  auto* list = new TFwCheckList(&form);
  list->SetParent(&form);
  list->SetBounds(700, 270, 190, 160);
  list->SetItems({QStringLiteral("&1 1 表一 "), QStringLiteral("&1 0 表二 "), QStringLiteral("//基层组织"),
                  QStringLiteral("&1 2 表三 "), QStringLiteral("&0 1 表四 "), QStringLiteral("&0 0 表五 ")});
  list->SetGroupColor(clGradientInactiveCaption);
  list->SetCustomGlyphs(checkStrip);
  list->show();
  painter.drawImage(700, 270, Grab(list));
  painter.end();

  fwtest::SaveShot(sheet, QStringLiteral("fw_controls_gallery.png"));
}
