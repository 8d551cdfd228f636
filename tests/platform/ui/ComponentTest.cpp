#include "platform/ui/Component.h"
#include "platform/ui/Form.h"
#include "platform/ui/Panel.h"
#include "platform/ui/PopupMenu.h"

#include <gtest/gtest.h>
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace fw;

// Records its destruction in a shared log.
class Probe : public TComponent {
public:
  Probe(TComponent* owner, std::string name, std::vector<std::string>& log)
      : TComponent(owner), name_(std::move(name)), log_(log) {}
  ~Probe() override { log_.push_back(name_); }

private:
  std::string name_;
  std::vector<std::string>& log_;
};

class ProbePanel : public TPanel {
public:
  ProbePanel(TComponent* owner, std::string name, std::vector<std::string>& log)
      : TPanel(owner), name_(std::move(name)), log_(log) {}
  ~ProbePanel() override { log_.push_back(name_); }

private:
  std::string name_;
  std::vector<std::string>& log_;
};

TEST(Component, OwnerFreesOwnedInReverseOrder) {
  std::vector<std::string> log;
  auto* owner = new TComponent(nullptr);
  new Probe(owner, "a", log);
  new Probe(owner, "b", log);
  auto* c = new Probe(owner, "c", log);
  new Probe(c, "c1", log);
  delete owner;
  // A component's own destructor body runs before it frees what it owns.
  EXPECT_EQ(log, (std::vector<std::string>{"c", "c1", "b", "a"}));
}

TEST(Component, FreedComponentLeavesItsOwner) {
  std::vector<std::string> log;
  TComponent owner(nullptr);
  auto* a = new Probe(&owner, "a", log);
  new Probe(&owner, "b", log);
  a->Free();
  ASSERT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(log, std::vector<std::string>{"a"});
}

TEST(Component, FindComponentIgnoresCase) {
  TComponent owner(nullptr);
  auto* edit = new TComponent(&owner);
  edit->SetName("C101");
  auto* other = new TComponent(&owner);
  other->SetName("RecordGrid");
  EXPECT_EQ(owner.FindComponent("c101"), edit);
  EXPECT_EQ(owner.FindComponent("RECORDGRID"), other);
  EXPECT_EQ(owner.FindComponent("c102"), nullptr);
  EXPECT_EQ(owner.FindComponent(""), nullptr);
  // Names are unique within an owner, whatever the case.
  auto* third = new TComponent(&owner);
  EXPECT_THROW(third->SetName("recordgrid"), std::runtime_error);
}

// A control owned by the form sits inside a panel; whichever of form, panel and
// control goes first, each object is deleted exactly once (an address sanitizer or a
// crash would show a second delete; the log shows the count).
TEST(Component, FormPanelAndChildEachDeletedOnce) {
  for (int variant = 0; variant < 3; ++variant) {
    std::vector<std::string> log;
    auto* form = new TForm(nullptr);
    auto* panel = new ProbePanel(form, "panel", log);
    panel->SetParent(form);
    auto* child = new ProbePanel(form, "child", log);
    child->SetParent(panel);
    if (variant == 0) delete form;                      // owner frees both
    if (variant == 1) { delete panel; delete form; }    // Qt parent deletes the child first
    if (variant == 2) { child->Free(); delete form; }   // the child goes on its own
    std::sort(log.begin(), log.end());
    EXPECT_EQ(log, (std::vector<std::string>{"child", "panel"})) << "variant " << variant;
  }
}

TEST(Component, PanelDeletedByQtLeavesFormList) {
  auto* form = new TForm(nullptr);
  auto* outer = new TPanel(form);
  outer->SetParent(form);
  auto* inner = new TPanel(form);
  inner->SetParent(outer);
  ASSERT_EQ(form->ComponentCount(), 2);
  delete outer; // deletes inner as its Qt child
  EXPECT_EQ(form->ComponentCount(), 0);
  EXPECT_EQ(form->ControlCount(), 0);
  delete form;
}

TEST(Component, FreedPopupMenuLeavesNoDanglingPointer) {
  TForm form(nullptr);
  auto* panel = new TPanel(&form);
  auto* menu = new TPopupMenu(&form);
  panel->SetPopupMenu(menu);
  menu->Free();
  EXPECT_EQ(panel->PopupMenu(), nullptr);
}

class LoadProbe : public TComponent {
public:
  LoadProbe(TComponent* owner, std::string name, std::vector<std::string>& log)
      : TComponent(owner), name_(std::move(name)), log_(log) {}

protected:
  void Loaded() override { log_.push_back(name_ + (Loading() ? "?" : "")); }

private:
  std::string name_;
  std::vector<std::string>& log_;
};

TEST(Component, EndLoadRunsLoadedInCreationOrder) {
  std::vector<std::string> log;
  LoadProbe form(nullptr, "form", log);
  auto* a = new LoadProbe(&form, "a", log);
  form.BeginLoad();
  new LoadProbe(a, "a1", log);
  new LoadProbe(&form, "b", log);
  EXPECT_TRUE(a->Loading());
  form.EndLoad();
  EXPECT_EQ(log, (std::vector<std::string>{"a1", "a", "b", "form"}));
  EXPECT_FALSE(a->Loading());
  form.EndLoad(); // nothing is loaded twice
  EXPECT_EQ(log.size(), 4u);
}

TEST(Component, FreeAndNilClearsFirst) {
  std::vector<std::string> log;
  TComponent owner(nullptr);
  Probe* p = new Probe(&owner, "p", log);
  FreeAndNil(p);
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(owner.ComponentCount(), 0);
}

} // namespace
