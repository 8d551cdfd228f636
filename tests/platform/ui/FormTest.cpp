#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Form.h"
#include "platform/ui/MainMenu.h"
#include "platform/ui/Panel.h"
#include "support/TestSupport.h"

#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QTest>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using namespace fw;

class DialogForm : public TForm {
public:
  explicit DialogForm(TComponent* owner) : TForm(owner) {
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetPosition(TPosition::poScreenCenter);
    Edit = new TEdit(this);
    Edit->SetParent(this);
    Ok = new TButton(this);
    Ok->SetParent(this);
    Ok->SetModalResult(mrOk);
    Ok->SetDefault(true);
    Cancel = new TButton(this);
    Cancel->SetParent(this);
    Cancel->SetModalResult(mrCancel);
    Cancel->SetCancel(true);
  }
  TEdit* Edit;
  TButton* Ok;
  TButton* Cancel;
};

TEST(Form, ScriptedModalReturnsTheScriptsResult) {
  DialogForm form(nullptr);
  int shows = 0;
  form.OnShow = [&](TObject*) { ++shows; };
  TCloseAction seen = TCloseAction::caNone;
  form.OnClose = [&](TObject*, TCloseAction& action) { seen = action; };
  {
    ScopedModalScript script([](TForm& f) {
      static_cast<DialogForm&>(f).Edit->SetText("甲");
      return mrYes;
    });
    EXPECT_EQ(form.ShowModal(), mrYes);
  }
  EXPECT_EQ(form.Edit->Text(), "甲");
  EXPECT_EQ(shows, 1);
  EXPECT_EQ(seen, TCloseAction::caHide);
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(form.Modal());
}

TEST(Form, ButtonsAndKeysEndTheScriptedModal) {
  DialogForm form(nullptr);
  struct Case {
    const char* Name;
    std::function<void(DialogForm&)> Act;
    int Expected;
  };
  const std::vector<Case> cases = {
      {"click OK", [](DialogForm& f) { QTest::mouseClick(f.Ok->Widget(), Qt::LeftButton); }, mrOk},
      {"Enter in the edit clicks the default button",
       [](DialogForm& f) { QTest::keyClick(f.Edit->Widget(), Qt::Key_Return); }, mrOk},
      {"Escape clicks the cancel button", [](DialogForm& f) { QTest::keyClick(f.Edit->Widget(), Qt::Key_Escape); },
       mrCancel},
      {"Close() cancels", [](DialogForm& f) { f.Close(); }, mrCancel},
  };
  for (const Case& c : cases) {
    ScopedModalScript script([&](TForm& f) {
      c.Act(static_cast<DialogForm&>(f));
      return mrNone;
    });
    EXPECT_EQ(form.ShowModal(), c.Expected) << c.Name;
  }
}

TEST(Form, CloseQueryCanRefuseTheModalEnd) {
  DialogForm form(nullptr);
  form.OnCloseQuery = [](TObject*, bool& canClose) { canClose = false; };
  ScopedModalScript script([](TForm&) { return mrOk; });
  EXPECT_EQ(form.ShowModal(), mrNone);
}

TEST(Form, RealModalLoopEndsWithModalResult) {
  DialogForm form(nullptr);
  QTimer::singleShot(0, [&] { form.Ok->Click(); });
  EXPECT_EQ(form.ShowModal(), mrOk);
  EXPECT_FALSE(form.isVisible());
}

TEST(Form, ScreenCentredFormAndActiveControl) {
  DialogForm form(nullptr);
  form.SetBounds(0, 0, 451, 135);
  form.SetActiveControl(form.Edit);
  form.Show();
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  // Centred up to the window frame the desktop adds around the client area.
  EXPECT_LE(std::abs(form.geometry().center().x() - screen.center().x()), 3);
  EXPECT_LE(std::abs(form.geometry().center().y() - screen.center().y()), 3);
  EXPECT_EQ(form.ActiveControl(), form.Edit);
  EXPECT_EQ(form.focusWidget(), form.Edit->Widget());
}

// A dialog's frame does not size it, though the program still does; a sizeable border
// lets the frame size it again.
TEST(Form, DialogBorderKeepsTheSizeTheProgramGives) {
  DialogForm form(nullptr);
  form.SetClientWidth(300);
  form.SetClientHeight(120);
  form.SetVisible(true);
  EXPECT_EQ(form.minimumSize(), QSize(300, 120));
  EXPECT_EQ(form.maximumSize(), QSize(300, 120));
  form.SetClientHeight(200);
  EXPECT_EQ(form.ClientHeight(), 200);
  EXPECT_EQ(form.maximumSize(), QSize(300, 200));
  form.SetBorderStyle(TFormBorderStyle::bsSizeable);
  EXPECT_EQ(form.minimumSize(), QSize(0, 0));
  EXPECT_EQ(form.maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}

TEST(Form, ShowModalOfAVisibleFormIsRefused) {
  DialogForm form(nullptr);
  form.Show();
  EXPECT_THROW(form.ShowModal(), std::logic_error);
}

TEST(Form, KeyPreviewSeesKeysFirstAndMaySwallowThem) {
  DialogForm form(nullptr);
  form.SetKeyPreview(true);
  std::vector<std::string> order;
  form.OnKeyDown = [&](TObject*, WORD& key, TShiftState shift) {
    if (key == VK_CONTROL) return;
    order.push_back("form");
    if (key == 'L' && (shift & ssCtrl)) key = 0;
  };
  form.Edit->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
    if (key != VK_CONTROL) order.push_back("edit");
  };
  QTest::keyClick(form.Edit->Widget(), Qt::Key_A);
  EXPECT_EQ(order, (std::vector<std::string>{"form", "edit"}));
  order.clear();
  QTest::keyClick(form.Edit->Widget(), Qt::Key_L, Qt::ControlModifier);
  EXPECT_EQ(order, std::vector<std::string>{"form"});
  EXPECT_EQ(form.Edit->Text(), "a");
}

// A window key that opens a modal window (keys are typed there before it closes) reaches
// the window's handler once: the key, not swallowed, travelling on to the form
// afterwards is still recognised as the one already seen.
TEST(Form, KeyPreviewSeesAKeyOnceWhenItsHandlerRunsAModalWindow) {
  DialogForm form(nullptr);
  form.SetKeyPreview(true);
  DialogForm modal(nullptr);
  int opened = 0;
  form.OnKeyDown = [&](TObject*, WORD& key, TShiftState shift) {
    if (key != 'F' || !(shift & ssCtrl)) return;
    ++opened;
    QTest::keyClick(modal.Edit->Widget(), Qt::Key_A); // typed in the modal window
  };
  QTest::keyClick(form.Edit->Widget(), Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(modal.Edit->Text(), "a");
}

class OrderForm : public TForm {
public:
  OrderForm(TComponent* owner) : TForm(owner) {
    OnCreate = [this](TObject*) { Log().push_back(Caption().isEmpty() ? "created" : "?"); };
    OnDestroy = [this](TObject*) { Log().push_back("destroyed"); };
  }
  static std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
  }
};

TEST(Application, CreatesFormsInOrderAndTerminateStopsStartUp) {
  OrderForm::Log().clear();
  {
    TApplication app;
    ASSERT_EQ(Application, &app);
    OrderForm* first = nullptr;
    OrderForm* second = nullptr;
    OrderForm* third = nullptr;
    app.CreateForm(first);
    EXPECT_EQ(app.MainForm(), first);
    app.CreateForm(second);
    EXPECT_EQ(second->Owner(), &app);
    app.Terminate();
    app.SetExitCode(1);
    // After the end was requested nothing more is created and Run returns at once.
    EXPECT_EQ(app.CreateForm(third), nullptr);
    EXPECT_EQ(third, nullptr);
    EXPECT_EQ(app.Run(), 1);
    EXPECT_FALSE(first->isVisible());
  }
  EXPECT_EQ(Application, nullptr);
  EXPECT_EQ(OrderForm::Log(), (std::vector<std::string>{"created", "created", "destroyed", "destroyed"}));
}

TEST(Application, ClosingTheMainFormEndsRun) {
  TApplication app;
  OrderForm* main = nullptr;
  app.CreateForm(main);
  QTimer::singleShot(0, [&] { main->Close(); });
  EXPECT_EQ(app.Run(), 0);
  EXPECT_TRUE(app.Terminated());
}

TEST(Application, ModalLoopEndsWhenTheProgramEnds) {
  TApplication app;
  DialogForm form(nullptr);
  QTimer::singleShot(0, [&] { app.Terminate(); });
  EXPECT_EQ(form.ShowModal(), mrCancel);
}

TEST(Application, StatusTipsBecomeTheApplicationHint) {
  TApplication app;
  DialogForm form(nullptr);
  form.Ok->SetHint("确定|保存并关闭");
  QStringList hints;
  app.OnHint = [&](TObject*) { hints << app.Hint(); };
  form.Show();
  QStatusTipEvent tip(form.Ok->Widget()->statusTip());
  QCoreApplication::sendEvent(&form, &tip);
  EXPECT_EQ(hints, QStringList{"保存并关闭"});
}

TEST(Application, ProgramDirEndsWithSlash) {
  TApplication app;
  app.SetProgramDir("/tmp/prog");
  EXPECT_EQ(app.ProgramDir(), "/tmp/prog/");
}

} // namespace

namespace {

using namespace fw;

TEST(Form, CloseFollowsCloseQueryAndTheCloseAction) {
  struct Case {
    const char* Name;
    bool CanClose;
    TCloseAction Action;
    bool VisibleAfter;
    bool FreedAfterEvents;
  };
  const std::vector<Case> cases = {
      {"hide", true, TCloseAction::caHide, false, false},
      {"refused by OnCloseQuery", false, TCloseAction::caHide, true, false},
      {"caNone keeps it", true, TCloseAction::caNone, true, false},
      {"caFree frees it after the event", true, TCloseAction::caFree, true, true},
  };
  for (const Case& c : cases) {
    QPointer<TForm> form = new TForm(nullptr);
    form->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = c.CanClose; };
    form->OnClose = [&](TObject*, TCloseAction& action) { action = c.Action; };
    form->Show();
    form->Close();
    ASSERT_TRUE(form) << c.Name; // never freed inside Close
    EXPECT_EQ(form->isVisible(), c.VisibleAfter) << c.Name;
    QCoreApplication::processEvents();
    EXPECT_EQ(form.isNull(), c.FreedAfterEvents) << c.Name;
    delete form.data();
  }
}

TEST(Form, MainMenuTakesTheTopOfTheClientArea) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  auto* menu = new TMainMenu(&form);
  auto* item = new TMenuItem(&form);
  item->SetCaption("关于");
  menu->Items()->Add(item);
  form.SetMenu(menu);
  auto* client = new TPanel(&form);
  client->SetAlign(TAlign::alClient);
  client->SetParent(&form);
  const int barHeight = menu->MenuBar()->sizeHint().height();
  EXPECT_GT(barHeight, 0);
  EXPECT_EQ(client->BoundsRect(), Rect(0, barHeight, 300, 200));
  EXPECT_EQ(form.ClientHeight(), 200 - barHeight);
  menu->Free();
  EXPECT_EQ(form.Menu(), nullptr);
  EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 300, 200));
}

// The main form's creation handler finds it cannot go on (its database is missing):
// the end is requested there, no later form is created and Run gives the exit code.
class FailingMainForm : public TForm {
public:
  explicit FailingMainForm(TComponent* owner) : TForm(owner) {
    OnCreate = [](TObject*) {
      Application->SetExitCode(1);
      Application->Terminate();
    };
  }
};

TEST(Application, TerminateInTheMainFormsCreationStopsStartUp) {
  TApplication app;
  FailingMainForm* main = nullptr;
  DialogForm* later = nullptr;
  app.CreateForm(main);
  ASSERT_NE(main, nullptr);
  app.CreateForm(later);
  EXPECT_EQ(later, nullptr);
  EXPECT_EQ(app.Run(), 1);
  EXPECT_FALSE(main->isVisible());
}

} // namespace

namespace {

using namespace fw;

class CountingForm : public TForm {
public:
  explicit CountingForm(TComponent* owner) : TForm(owner) {
    OnCreate = [this](TObject*) { ++Creates; };
  }
  int Creates = 0;
};

TEST(Form, CreationHandlerRunsOnceWhicheverWayTheFormIsMade) {
  TComponent owner(nullptr);
  auto* made = NewForm<CountingForm>(&owner);
  EXPECT_EQ(made->Creates, 1);
  auto* plain = new CountingForm(&owner);
  EXPECT_EQ(plain->Creates, 0);
  ScopedModalScript script([](TForm&) { return mrOk; });
  plain->ShowModal();
  plain->ShowModal();
  made->ShowModal();
  EXPECT_EQ(plain->Creates, 1);
  EXPECT_EQ(made->Creates, 1);
}

} // namespace
