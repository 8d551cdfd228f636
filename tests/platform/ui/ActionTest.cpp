#include "platform/ui/ActionList.h"
#include "platform/ui/Button.h"
#include "platform/ui/Form.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/MainMenu.h"
#include "platform/ui/PopupMenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

namespace {

using namespace fw;

TMenuItem* NewItem(TComponent* owner, TMenuItem* parent, TAction* action) {
  auto* item = new TMenuItem(owner);
  item->SetAction(action);
  parent->Add(item);
  return item;
}

TEST(Action, MenuItemsAndButtonsFollowTheAction) {
  TForm form(nullptr);
  auto* list = new TActionList(&form);
  auto* act = new TAction(&form);
  act->SetActionList(list);
  act->SetCaption("修改选中的记录");
  act->SetShortCut(ShortCut('M', ssCtrl));
  auto* menu = new TMainMenu(&form);
  auto* records = new TMenuItem(&form);
  records->SetCaption("数据记录");
  menu->Items()->Add(records);
  TMenuItem* item = NewItem(&form, records, act);
  auto* popup = new TPopupMenu(&form);
  TMenuItem* popupItem = NewItem(&form, popup->Items(), act);
  auto* button = new TButton(&form);
  button->SetParent(&form);
  button->SetAction(act);

  EXPECT_EQ(item->Caption(), "修改选中的记录");
  EXPECT_EQ(item->QtAction()->text(), "修改选中的记录");
  EXPECT_EQ(item->QtAction()->shortcut(), QKeySequence("Ctrl+M"));
  EXPECT_EQ(button->Caption(), "修改选中的记录");

  act->SetEnabled(false);
  act->SetCaption("改");
  act->SetChecked(true);
  for (TMenuItem* i : {item, popupItem}) {
    EXPECT_FALSE(i->Enabled());
    EXPECT_FALSE(i->QtAction()->isEnabled());
    EXPECT_EQ(i->Caption(), "改");
    EXPECT_TRUE(i->QtAction()->isChecked());
  }
  EXPECT_FALSE(button->Enabled());
  EXPECT_EQ(button->Caption(), "改");

  act->SetVisible(false);
  EXPECT_FALSE(item->QtAction()->isVisible());
  EXPECT_FALSE(button->Visible());

  // The menu bar shows the top item, the item's menu shows the entry.
  form.SetMenu(menu);
  ASSERT_EQ(menu->MenuBar()->actions().size(), 1);
  ASSERT_NE(records->QtMenu(), nullptr);
  EXPECT_EQ(records->QtMenu()->actions().front(), item->QtAction());
}

TEST(Action, ClicksExecuteOnlyWhenEnabled) {
  TForm form(nullptr);
  auto* act = new TAction(&form);
  int runs = 0;
  act->OnExecute = [&](TBasicAction*) { ++runs; };
  auto* popup = new TPopupMenu(&form);
  TMenuItem* item = NewItem(&form, popup->Items(), act);
  auto* button = new TButton(&form);
  button->SetParent(&form);
  button->SetAction(act);

  item->QtAction()->trigger();
  button->Click();
  EXPECT_EQ(runs, 2);
  act->SetEnabled(false);
  EXPECT_FALSE(act->Execute());
  item->Click();
  EXPECT_EQ(runs, 2);
  // An explicit OnClick of the item wins over the action.
  act->SetEnabled(true);
  int clicks = 0;
  item->OnClick = [&](TObject*) { ++clicks; };
  item->Click();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(runs, 2);
}

TEST(Action, UpdateRunsBeforeExecuteAndListMayHandleIt) {
  TForm form(nullptr);
  auto* list = new TActionList(&form);
  auto* act = new TAction(&form);
  act->SetActionList(list);
  bool hasRecords = false;
  act->OnUpdate = [&](TBasicAction* a) { static_cast<TAction*>(a)->SetEnabled(hasRecords); };
  int runs = 0;
  act->OnExecute = [&](TBasicAction*) { ++runs; };
  EXPECT_FALSE(act->Execute());
  hasRecords = true;
  EXPECT_TRUE(act->Execute());
  EXPECT_EQ(runs, 1);

  int listUpdates = 0;
  list->OnUpdate = [&](TBasicAction*, bool& handled) {
    ++listUpdates;
    handled = true;
  };
  hasRecords = false;
  list->UpdateActions();
  EXPECT_EQ(listUpdates, 1);
  EXPECT_TRUE(act->Enabled()); // the action's own OnUpdate did not run
}

TEST(Action, FreedActionAndItemsLeaveNoDanglingLinks) {
  TForm form(nullptr);
  auto* act = new TAction(&form);
  auto* popup = new TPopupMenu(&form);
  TMenuItem* item = NewItem(&form, popup->Items(), act);
  TMenuItem* other = NewItem(&form, popup->Items(), act);
  EXPECT_EQ(act->ClientCount(), 2);
  other->Free();
  EXPECT_EQ(act->ClientCount(), 1);
  EXPECT_EQ(popup->Items()->Count(), 1);
  act->Free();
  EXPECT_EQ(item->Action(), nullptr);
  item->Click(); // nothing to run, no crash
}

TEST(Menu, ItemsAddInsertDeleteClear) {
  TForm form(nullptr);
  auto* popup = new TPopupMenu(&form);
  TMenuItem* root = popup->Items();
  auto make = [&](const QString& caption) {
    auto* item = new TMenuItem(&form);
    item->SetCaption(caption);
    return item;
  };
  TMenuItem* a = make("&A");
  TMenuItem* line = make("-");
  TMenuItem* b = make("B");
  root->Add(a);
  root->Add(b);
  root->Insert(1, line);
  ASSERT_EQ(root->Count(), 3);
  EXPECT_EQ(root->Items(1), line);
  EXPECT_TRUE(popup->Menu()->actions().at(1)->isSeparator());
  EXPECT_TRUE(popup->Menu()->actions().at(1)->text().isEmpty());  // else shown as a heading
  EXPECT_EQ(line->Caption(), QStringLiteral("-"));
  EXPECT_EQ(b->MenuIndex(), 2);
  EXPECT_THROW(root->Add(a), std::logic_error);

  root->Delete(0); // out of the menu, not freed
  EXPECT_EQ(root->Count(), 2);
  EXPECT_EQ(a->Parent(), nullptr);
  EXPECT_EQ(popup->Menu()->actions().size(), 2);
  a->Free();

  const int before = form.ComponentCount();
  root->Clear();
  EXPECT_EQ(root->Count(), 0);
  EXPECT_EQ(form.ComponentCount(), before - 2);
}

TEST(Menu, ItemImagesComeFromTheMenuImages) {
  TForm form(nullptr);
  auto* images = new TImageList(&form);
  QImage red(16, 16, QImage::Format_ARGB32);
  red.fill(Qt::red);
  images->Add(red);
  auto* popup = new TPopupMenu(&form);
  auto* item = new TMenuItem(&form);
  item->SetImageIndex(0);
  popup->Items()->Add(item);
  EXPECT_TRUE(item->QtAction()->icon().isNull());
  popup->SetImages(images);
  EXPECT_FALSE(item->QtAction()->icon().isNull());
  images->Free();
  EXPECT_EQ(popup->Images(), nullptr);
}

TEST(Menu, PopupRaisesOnPopupAndUpdatesActions) {
  TForm form(nullptr);
  auto* act = new TAction(&form);
  int updates = 0;
  act->OnUpdate = [&](TBasicAction*) { ++updates; };
  auto* popup = new TPopupMenu(&form);
  NewItem(&form, popup->Items(), act);
  int popups = 0;
  popup->OnPopup = [&](TObject*) { ++popups; };
  popup->Popup(10, 10);
  popup->Menu()->hide();
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(updates, 1);
}

} // namespace

// A value set on the client itself is the client's own until the two agree again.
TEST(Action, ClientValuesFollowOnlyWhileTheyAgree) {
  TForm form(nullptr);
  TAction act(&form);
  act.SetCaption(QStringLiteral("保存"));
  act.SetHint(QStringLiteral("保存记录"));
  auto* button = new TButton(&form);
  button->SetParent(&form);
  button->SetAction(&act);
  auto* popup = new TPopupMenu(&form);
  TMenuItem* item = NewItem(&form, popup->Items(), &act);
  ASSERT_EQ(button->Caption(), QStringLiteral("保存"));

  button->SetCaption(QStringLiteral("存"));
  button->SetEnabled(false);
  item->SetChecked(true);
  act.SetCaption(QStringLiteral("保存记录"));
  act.SetHint(QStringLiteral("保存当前记录"));
  act.SetEnabled(false);
  act.SetChecked(true);
  EXPECT_EQ(button->Caption(), QStringLiteral("存"));
  EXPECT_FALSE(button->Enabled());
  EXPECT_EQ(button->Hint(), QStringLiteral("保存当前记录"));
  EXPECT_EQ(item->Caption(), QStringLiteral("保存记录"));
  EXPECT_TRUE(item->Checked());

  // The action's last change made the two agree (both checked): from there the item
  // follows again.
  act.SetChecked(false);
  EXPECT_FALSE(item->Checked());
}

TEST(Action, LinkingWhileLoadingKeepsValuesSetBefore) {
  TForm form(nullptr);
  TAction act(&form);
  act.SetCaption(QStringLiteral("退出"));
  act.SetEnabled(false);
  auto* own = new TButton(&form);
  own->SetCaption(QStringLiteral("关闭"));
  auto* blank = new TButton(&form);
  own->BeginLoad();
  blank->BeginLoad();
  own->SetAction(&act);
  blank->SetAction(&act);
  own->EndLoad();
  blank->EndLoad();
  EXPECT_EQ(own->Caption(), QStringLiteral("关闭"));
  EXPECT_EQ(blank->Caption(), QStringLiteral("退出"));
  EXPECT_FALSE(own->Enabled());  // still at its default, so it takes the action's
}

TEST(ImageList, ChangeLinksHearEveryChangeUntilTheyLeave) {
  int first = 0, second = 0;
  auto images = std::make_unique<TImageList>(nullptr);
  TChangeLink a([&] { ++first; });
  auto b = std::make_unique<TChangeLink>([&] { ++second; });
  a.SetSender(images.get());
  b->SetSender(images.get());
  images->Add(QImage(16, 16, QImage::Format_ARGB32));
  images->SetWidth(8);  // a new size empties the list
  EXPECT_EQ(first, 2);
  EXPECT_EQ(second, 2);
  b.reset();  // a destroyed link leaves the list
  images->Delete(0);
  images->Clear();
  images->Add(QImage(8, 16, QImage::Format_ARGB32));
  EXPECT_EQ(first, 3);
  images.reset();  // a destroyed list leaves its links without a sender
  EXPECT_EQ(a.Sender(), nullptr);
}
