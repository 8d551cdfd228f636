#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/Panel.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/VirtualKeys.h"

#include <QKeyEvent>
#include <QTest>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

using namespace fw;

TEST(Hint, ShortAndLongParts) {
  const std::vector<std::tuple<QString, QString, QString>> cases = {
      {"保存|保存当前记录", "保存", "保存当前记录"},
      {"只有一段", "只有一段", "只有一段"},
      {"|仅状态栏", "", "仅状态栏"},
      {"a|b|c", "a", "b|c"},
      {"", "", ""},
  };
  for (const auto& [hint, shortHint, longHint] : cases) {
    EXPECT_EQ(GetShortHint(hint), shortHint) << hint.toStdString();
    EXPECT_EQ(GetLongHint(hint), longHint) << hint.toStdString();
  }
  TPanel panel(nullptr);
  panel.SetHint("提示|状态");
  EXPECT_EQ(panel.toolTip(), "提示");
  EXPECT_EQ(panel.statusTip(), "状态");
  panel.SetShowHint(false);
  EXPECT_EQ(panel.toolTip(), "");
  EXPECT_EQ(panel.statusTip(), "状态");
  // A hint that looks like markup shows its characters as they are.
  panel.SetShowHint(true);
  for (const QString& hint : {QStringLiteral("<b>粗</b>  <img src=\"missing.png\">"), QStringLiteral("a < b && c > d")}) {
    panel.SetHint(hint);
    QTextDocument shown;
    if (Qt::mightBeRichText(panel.toolTip())) shown.setHtml(panel.toolTip());
    else shown.setPlainText(panel.toolTip());
    EXPECT_EQ(shown.toPlainText(), hint);
  }
}

TEST(VirtualKeys, QtKeysMapToTheDesktopCodes) {
  const std::vector<std::tuple<int, Qt::KeyboardModifiers, WORD>> cases = {
      {Qt::Key_Return, Qt::NoModifier, VK_RETURN}, {Qt::Key_Enter, Qt::KeypadModifier, VK_RETURN},
      {Qt::Key_Insert, Qt::NoModifier, VK_INSERT}, {Qt::Key_Delete, Qt::NoModifier, VK_DELETE},
      {Qt::Key_Up, Qt::NoModifier, VK_UP},         {Qt::Key_Down, Qt::NoModifier, VK_DOWN},
      {Qt::Key_Escape, Qt::NoModifier, VK_ESCAPE}, {Qt::Key_F1, Qt::NoModifier, VK_F1},
      {Qt::Key_F12, Qt::NoModifier, VK_F12},       {Qt::Key_L, Qt::ControlModifier, 'L'},
      {Qt::Key_5, Qt::NoModifier, '5'},            {Qt::Key_5, Qt::KeypadModifier, VK_NUMPAD0 + 5},
      {Qt::Key_Minus, Qt::NoModifier, VK_OEM_MINUS}, {Qt::Key_Period, Qt::KeypadModifier, VK_DECIMAL},
  };
  for (const auto& [qt, mods, vk] : cases) EXPECT_EQ(VirtualKeyFromQt(qt, mods), vk) << qt;
  EXPECT_EQ(ShortCutToKeySequence(ShortCut('F', ssCtrl)), QKeySequence("Ctrl+F"));
  EXPECT_EQ(ShortCutToKeySequence(ShortCut(VK_DELETE, ssShift)), QKeySequence("Shift+Del"));
}

// A control that records the notices it receives.
class NoticePanel : public TPanel {
public:
  using TPanel::TPanel;
  std::vector<UINT> Notices;
  int Enters = 0;

protected:
  void WndProc(TMessage& message) override {
    Notices.push_back(message.Msg);
    if (message.Msg == 0xB3EF) message.Result = 42;
    TPanel::WndProc(message);
  }
  void MouseEnter() override { ++Enters; }
};

TEST(Control, NoticesTravelThroughWndProc) {
  TForm form(nullptr);
  auto* panel = new NoticePanel(&form);
  panel->SetParent(&form);
  panel->Notices.clear();
  EXPECT_EQ(panel->Perform(0xB3EF, 1, 2), 42);
  panel->SetEnabled(false);
  panel->SetCaption("x");
  QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  QCoreApplication::sendEvent(panel, &enter);
  EXPECT_EQ(panel->Notices, (std::vector<UINT>{0xB3EF, CM_ENABLEDCHANGED, CM_TEXTCHANGED, CM_MOUSEENTER}));
  EXPECT_EQ(panel->Enters, 1);
}

// A control under the mouse when its window closes hears the mouse leave: a tool button
// clicked to close a dialog is not hot when the dialog shows again.
TEST(Control, HidingAControlUnderTheMouseLeavesIt) {
  TForm form(nullptr);
  auto* panel = new NoticePanel(&form);
  panel->SetParent(&form);
  form.Show();
  QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  QCoreApplication::sendEvent(panel, &enter);
  panel->Notices.clear();
  form.Hide();
  EXPECT_EQ(panel->Notices, (std::vector<UINT>{CM_MOUSELEAVE}));
  // Left already: a later leave from the window system is not passed on twice.
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(panel, &leave);
  form.Show();
  form.Hide();
  EXPECT_EQ(panel->Notices, (std::vector<UINT>{CM_MOUSELEAVE}));
}

TEST(Control, ParentFontAndColorFlowToChildren) {
  TForm form(nullptr);
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  auto* label = new TLabel(&form);
  label->SetParent(panel);
  panel->Font().SetSize(12);
  EXPECT_EQ(label->Font().Size(), 12);
  EXPECT_TRUE(label->ParentFont());
  label->Font().SetStyle(fsBold);
  EXPECT_FALSE(label->ParentFont());
  panel->Font().SetSize(14);
  EXPECT_EQ(label->Font().Size(), 12);

  panel->SetColor(RGB(193, 216, 249));
  EXPECT_EQ(label->Color(), RGB(193, 216, 249));
  label->SetColor(clWhite);
  panel->SetColor(clRed);
  EXPECT_EQ(label->Color(), clWhite);
}

TEST(Control, ClicksAndDoubleClicksFromTheMouse) {
  TForm form(nullptr);
  form.resize(200, 100);
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  std::vector<std::string> events;
  panel->OnClick = [&](TObject*) { events.push_back("click"); };
  panel->OnDblClick = [&](TObject*) { events.push_back("dbl"); };
  panel->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState s, int x, int y) {
    events.push_back(std::string("down") + (b == TMouseButton::mbRight ? "R" : "L") + ((s & ssDouble) ? "2" : "") +
                     "@" + std::to_string(x) + "," + std::to_string(y));
  };
  QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(5, 6));
  QTest::mouseDClick(panel, Qt::LeftButton, {}, QPoint(5, 6));
  QTest::mouseClick(panel, Qt::RightButton, {}, QPoint(7, 8));
  EXPECT_EQ(events, (std::vector<std::string>{"downL@5,6", "click", "dbl", "downL2@5,6", "downR@7,8"}));
}

TEST(Control, GraphicControlsTakeNoFocusAndStayBeneathWindowedOnes) {
  TForm form(nullptr);
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  auto* label = new TLabel(&form);
  label->SetParent(&form);
  EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
  const QObjectList& children = form.children();
  EXPECT_LT(children.indexOf(label), children.indexOf(panel));
}

TEST(Control, LabelSizesItselfToItsText) {
  TLabel label(nullptr);
  label.SetCaption("开发单位");
  const int narrow = label.Width();
  label.SetCaption("开发单位：Brackwater");
  EXPECT_GT(label.Width(), narrow);
  EXPECT_GT(label.Height(), 0);
}

TEST(Control, StatusBarLastPanelReachesTheRightEdge) {
  TForm form(nullptr);
  form.resize(300, 200);
  auto* bar = new TStatusBar(&form);
  bar->SetParent(&form);
  TStatusPanel* version = bar->AddPanel();
  version->SetWidth(180);
  bar->AddPanel()->SetWidth(104);
  EXPECT_EQ(bar->BoundsRect(), Rect(0, 181, 300, 200));
  EXPECT_EQ(bar->PanelRect(1), Rect(180, 0, 300, 19));
}

} // namespace

namespace {

// A control hidden before it gets its parent stays hidden when the parent is shown.
TEST(Control, HiddenChildStaysHiddenWhenItsParentShows) {
  fw::TForm form(nullptr);
  fw::TPanel hidden(nullptr), shown(nullptr);
  hidden.SetVisible(false);
  hidden.SetParent(&form);
  shown.SetParent(&form);
  form.Show();
  EXPECT_FALSE(hidden.isVisible());
  EXPECT_TRUE(shown.isVisible());
  hidden.SetVisible(true);
  EXPECT_TRUE(hidden.isVisible());
}

} // namespace
