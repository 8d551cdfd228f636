#include "platform/ui/AlignLayout.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/Panel.h"

#include <gtest/gtest.h>

namespace {

using namespace fw;

struct AlignCase {
  const char* Name;
  std::vector<TAlignItem> Items;
  std::vector<TRect> Expected;
};

TEST(AlignLayout, PlacesInTheFixedOrder) {
  const TRect client{0, 0, 200, 100};
  const std::vector<AlignCase> cases = {
      {"top, bottom, left, right, client",
       {{TAlign::alClient, Bounds(0, 0, 10, 10)},
        {TAlign::alRight, Bounds(0, 0, 30, 10)},
        {TAlign::alLeft, Bounds(0, 0, 20, 10)},
        {TAlign::alBottom, Bounds(0, 0, 10, 15)},
        {TAlign::alTop, Bounds(0, 0, 10, 10)}},
       {Rect(20, 10, 170, 85), Rect(170, 10, 200, 85), Rect(0, 10, 20, 85), Rect(0, 85, 200, 100),
        Rect(0, 0, 200, 10)}},
      {"two tops stack by their Top, ties in order",
       {{TAlign::alTop, Bounds(0, 50, 10, 10)}, {TAlign::alTop, Bounds(0, 0, 10, 20)},
        {TAlign::alTop, Bounds(0, 50, 10, 5)}},
       {Rect(0, 20, 200, 30), Rect(0, 0, 200, 20), Rect(0, 30, 200, 35)}},
      {"hidden children take no room and stay",
       {{TAlign::alTop, Bounds(3, 4, 10, 10), false}, {TAlign::alTop, Bounds(0, 0, 10, 10)},
        {TAlign::alNone, Bounds(5, 5, 5, 5)}},
       {Bounds(3, 4, 10, 10), Rect(0, 0, 200, 10), Bounds(5, 5, 5, 5)}},
      {"client never gets a negative size",
       {{TAlign::alLeft, Bounds(0, 0, 150, 10)}, {TAlign::alRight, Bounds(0, 0, 150, 10)},
        {TAlign::alClient, Bounds(0, 0, 1, 1)}},
       {Rect(0, 0, 150, 100), Rect(50, 0, 200, 100), Rect(150, 0, 150, 100)}},
  };
  for (const AlignCase& c : cases) EXPECT_EQ(LayOutAligned(client, c.Items), c.Expected) << c.Name;
}

TEST(AlignLayout, ControlsFollowResizeVisibilityAndSize) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  auto* top = new TPanel(&form);
  top->SetHeight(18);
  top->SetAlign(TAlign::alTop);
  top->SetParent(&form);
  auto* status = new TPanel(&form);
  status->SetHeight(20);
  status->SetAlign(TAlign::alBottom);
  status->SetParent(&form);
  auto* left = new TPanel(&form);
  left->SetWidth(108);
  left->SetAlign(TAlign::alLeft);
  left->SetParent(&form);
  auto* client = new TPanel(&form);
  client->SetAlign(TAlign::alClient);
  client->SetParent(&form);

  EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 300, 18));
  EXPECT_EQ(status->BoundsRect(), Rect(0, 180, 300, 200));
  EXPECT_EQ(left->BoundsRect(), Rect(0, 18, 108, 180));
  EXPECT_EQ(client->BoundsRect(), Rect(108, 18, 300, 180));

  form.SetBounds(0, 0, 400, 300);
  EXPECT_EQ(client->BoundsRect(), Rect(108, 18, 400, 280));

  top->Hide();
  EXPECT_EQ(left->BoundsRect(), Rect(0, 0, 108, 280));
  EXPECT_EQ(client->BoundsRect(), Rect(108, 0, 400, 280));

  left->SetWidth(50);
  EXPECT_EQ(client->BoundsRect(), Rect(50, 0, 400, 280));
}

TEST(AlignLayout, PanelBevelShrinksItsClientArea) {
  TPanel panel(nullptr);
  panel.resize(100, 50);
  panel.SetBevelOuter(TPanelBevel::bvRaised);
  panel.SetBorderWidth(2);
  auto* child = new TLabel(&panel);
  child->SetAutoSize(false);
  child->SetAlign(TAlign::alClient);
  child->SetParent(&panel);
  EXPECT_EQ(child->BoundsRect(), Rect(3, 3, 97, 47));
}

} // namespace
