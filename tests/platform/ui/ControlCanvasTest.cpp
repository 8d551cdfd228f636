// Controls that paint themselves draw through Canvas(), bound to the paint in progress.
#include "platform/ui/CustomControl.h"
#include "platform/ui/Form.h"
#include "platform/ui/GraphicControl.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace fw;

template <class Base>
class Painted : public Base {
public:
  explicit Painted(TComponent* owner) : Base(owner) {}
  bool painting = false;
  TColor startBrush = clNone;

protected:
  void Paint() override {
    TCanvas& canvas = this->Canvas();
    startBrush = canvas.Brush().Color();
    painting = canvas.Painter() != nullptr;
    canvas.Brush().SetColor(clRed);
    canvas.FillRect(Rect(2, 2, 6, 6));
  }
};

TEST(ControlCanvas, PaintDrawsOnTheActivePainterOfBothKinds) {
  TForm form(nullptr);
  form.resize(100, 100);
  auto* windowed = new Painted<TCustomControl>(&form);
  windowed->SetParent(&form);
  windowed->SetBounds(0, 0, 20, 20);
  windowed->SetColor(clYellow);
  auto* graphic = new Painted<TGraphicControl>(&form);
  graphic->SetParent(&form);
  graphic->SetBounds(40, 0, 20, 20);
  // Outside painting the canvas is on nothing but measures text.
  EXPECT_EQ(windowed->Canvas().Painter(), nullptr);
  EXPECT_GT(windowed->Canvas().TextWidth("宋体"), 0);

  for (QWidget* control : std::initializer_list<QWidget*>{windowed, graphic}) {
    const QImage image = control->grab().toImage();
    EXPECT_EQ(QColor(image.pixel(3, 3)), QColor(Qt::red));
    EXPECT_NE(QColor(image.pixel(10, 10)), QColor(Qt::red));
  }
  EXPECT_TRUE(windowed->painting);
  EXPECT_TRUE(graphic->painting);
  EXPECT_EQ(windowed->startBrush, clYellow);  // the canvas starts with the control's colour
  EXPECT_EQ(windowed->Canvas().Painter(), nullptr);
}

} // namespace
