// Balloon hints: the size of a balloon from its text, where it goes and where its stem
// points for each corner (flipping at the screen's edges), the show and hide waits, the
// hint text taken, and the painted balloon.
#include "controls/navigation/FwBalloonHints.h"
#include "controls/navigation/FwCustomHintWindow.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Form.h"
#include "platform/ui/Timer.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

using namespace fw;

namespace {

QRect ScreenRect() { return QGuiApplication::primaryScreen()->geometry(); }

// A form with one edit that carries a hint, placed so that the edit's top-left lies at
// `editAt` on the screen.
struct HintedEdit {
  explicit HintedEdit(QPoint editAt, const QString& hint = QStringLiteral("Name|Type the organisation's name")) {
    form.SetBounds(editAt.x() - 10, editAt.y() - 10, 140, 60);
    edit.SetParent(&form);
    edit.SetBounds(10, 10, 120, 22);
    edit.SetHint(hint);
    form.Show();
    QCoreApplication::processEvents();
  }
  // Rests the pointer on the edit at `p` (edit coordinates) and lets the hint show.
  void PointAt(QPoint p) {
    // Qt drops a move to where the pointer already is, so come from somewhere else.
    QTest::mouseMove(&edit, p + QPoint(1, 1));
    QTest::mouseMove(&edit, p);
  }
  QPoint Global(QPoint p) const { return edit.mapToGlobal(p); }

  TForm form{nullptr};
  TEdit edit{&form};
};

TFwCustomHintWindow& Window(TFwBalloonHints& hints) { return *hints.HintWindow(); }

// The box of the painted (non-transparent) pixels of a row band or of the whole image.
QRect PaintedBox(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) != 0) box |= QRect(x, y, 1, 1);
  return box;
}
std::vector<int> PaintedXs(const QImage& image, int y) {
  std::vector<int> xs;
  for (int x = 0; x < image.width(); ++x)
    if (qAlpha(image.pixel(x, y)) != 0) xs.push_back(x);
  return xs;
}

// The balloon as painted, with what lies outside its shape transparent. The window on
// the screen shows exactly these pixels inside the shape (checked once below).
QImage Painted(TFwCustomHintWindow& window) {
  return window.RenderImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

TEST(FwBalloonHints, SizeFollowsTheTextWrappedAtCaptionWidth) {
  TFwBalloonHints hints(nullptr);
  TFwCustomHintWindow& w = Window(hints);
  TCanvas measure;
  measure.Font().Assign(hints.Font());
  const int line = measure.TextHeight(QStringLiteral("Ag"));
  const QString longText = QStringLiteral("the return of every organisation above the grassroots level");
  struct Case {
    QString text;
    int captionWidth;
    bool shadow;
    int lines;  // expected lines of text; 0: only "at least two"
  } cases[] = {
      {QStringLiteral("OK"), 100, false, 1},
      {QStringLiteral("OK"), 100, true, 1},
      {longText, 400, false, 1},
      {longText, 100, false, 0},
      {QStringLiteral("基层以上工会组织年度统计报表的填报说明"), 100, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.toStdString() + " @" + std::to_string(c.captionWidth));
    hints.SetCaptionWidth(c.captionWidth);
    hints.SetShadow(c.shadow);
    const TRect text = w.CalcHintRect(c.captionWidth, c.text);
    EXPECT_LE(text.Width(), c.captionWidth + 6);
    if (c.lines == 1) EXPECT_EQ(text.Height(), line + 2);
    else EXPECT_GE(text.Height(), 2 * line + 2);

    w.move(300, 300);  // without a hint control the stem points at the window's place
    w.ActivateHint(Bounds(300, 300, text.Width(), text.Height()), c.text);
    ASSERT_EQ(w.CornerInEffect(), TFwHintCorner::hcUpperRight);
    // Upper corner: 28 for the stem, 2 all round, 2 right for the shadow.
    const int wantW = std::max(TFwCustomHintWindow::MinWidth, text.Width() + 4 + (c.shadow ? 2 : 0));
    EXPECT_EQ(w.width(), wantW);
    EXPECT_EQ(w.height(), text.Height() + 28 + 4);
    EXPECT_EQ(w.Caption(), c.text);
    w.ReleaseHint();
  }
}

TEST(FwBalloonHints, SizingEventsAdjustTheWindowButNotBelowTheMinimumWidth) {
  TFwBalloonHints hints(nullptr);
  hints.OnSetHintWinSize = [](TObject*, TCanvas&, int& width, int& height, const QString&, TFwHintCorner) {
    width = 10;
    height += 5;
  };
  TFwCustomHintWindow& w = Window(hints);
  const TRect text = w.CalcHintRect(100, QStringLiteral("OK"));
  w.move(300, 300);
  w.ActivateHint(Bounds(300, 300, text.Width(), text.Height()), QStringLiteral("OK"));
  EXPECT_EQ(w.width(), TFwCustomHintWindow::MinWidth);
  EXPECT_EQ(w.height(), text.Height() + 28 + 4 + 5);
}

// For each corner and each place of the edit on the screen: the corner in effect, the
// balloon fully on the screen, and the stem's tip right beside the pointer.
TEST(FwBalloonHints, BalloonSitsByItsCornerAndFlipsAtTheScreenEdges) {
  const QRect screen = ScreenRect();
  using C = TFwHintCorner;
  struct Case {
    const char* name;
    C corner;
    QPoint editAt;  // top-left of the edit on the screen
    C inEffect;
    int atX = 110;  // the pointer's x in the edit
  } cases[] = {
      {"upper right, middle", C::hcUpperRight, {300, 300}, C::hcUpperRight},
      {"upper left, middle", C::hcUpperLeft, {300, 300}, C::hcUpperLeft},
      {"lower right, middle", C::hcLowerRight, {300, 300}, C::hcLowerRight},
      {"lower left, middle", C::hcLowerLeft, {300, 300}, C::hcLowerLeft},
      {"upper right at the top", C::hcUpperRight, {300, 5}, C::hcLowerRight},
      {"upper left at the top", C::hcUpperLeft, {300, 5}, C::hcLowerLeft},
      {"lower right at the bottom", C::hcLowerRight, {300, screen.bottom() - 30}, C::hcUpperRight},
      {"upper right at the right", C::hcUpperRight, {screen.right() - 125, 300}, C::hcUpperLeft},
      {"lower left at the left", C::hcLowerLeft, {12, 300}, C::hcLowerRight, 3},
      {"lower right at bottom right", C::hcLowerRight, {screen.right() - 125, screen.bottom() - 30}, C::hcUpperLeft},
      {"upper left at top left", C::hcUpperLeft, {12, 5}, C::hcLowerRight, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TFwBalloonHints hints(nullptr);
    hints.SetCorner(c.corner);
    HintedEdit e(c.editAt);
    const QPoint at(c.atX, 15);
    e.PointAt(at);
    hints.ShowTimer().Tick();
    TFwCustomHintWindow& w = Window(hints);
    ASSERT_TRUE(w.isVisible());
    EXPECT_EQ(w.CornerInEffect(), c.inEffect);
    EXPECT_TRUE(screen.contains(w.geometry())) << w.geometry().x() << "," << w.geometry().y();

    const QPoint p = e.Global(at);
    EXPECT_EQ(QPoint(w.AnchorPos().X, w.AnchorPos().Y), p);
    // The stem's tip: the single painted pixel of the top row (lower corners) or of the
    // bottom row (upper corners).
    const QImage image = Painted(w);
    const bool lower = IsLowerCorner(c.inEffect);
    const int tipRow = lower ? 0 : w.height() - 1;
    const std::vector<int> xs = PaintedXs(image, tipRow);
    ASSERT_EQ(xs.size(), 1u);
    const QPoint tip = w.mapToGlobal(QPoint(xs[0], tipRow));
    EXPECT_EQ(tip.y(), lower ? p.y() : p.y() - 1);
    if (IsLeftCorner(c.inEffect)) {
      EXPECT_LT(tip.x(), p.x());
      EXPECT_EQ(w.geometry().right(), p.x() - 2);
    } else {
      EXPECT_GT(tip.x(), p.x());
      EXPECT_EQ(w.geometry().left(), p.x() + 1);
    }
    EXPECT_LE(std::abs(tip.x() - p.x()), 14);
  }
}

TEST(FwBalloonHints, WaitsHintPauseThenHidesAfterTheHidePause) {
  TFwBalloonHints hints(nullptr);
  hints.SetHintPause(250);
  hints.SetHintShortPause(40);
  HintedEdit e({300, 300});
  TEdit other(&e.form);
  other.SetParent(&e.form);
  other.SetBounds(10, 34, 120, 22);
  other.SetHint(QStringLiteral("Code"));
  TFwCustomHintWindow& w = Window(hints);

  e.PointAt({20, 10});
  EXPECT_TRUE(hints.ShowTimer().Running());
  EXPECT_EQ(hints.ShowTimer().Interval(), 250);
  EXPECT_FALSE(w.isVisible());
  hints.ShowTimer().Tick();
  EXPECT_TRUE(w.isVisible());
  EXPECT_FALSE(hints.ShowTimer().Running());
  EXPECT_TRUE(hints.HideTimer().Running());
  EXPECT_EQ(hints.HideTimer().Interval(), 2500);

  // Resting on the same control keeps the hint; moving on to another hint takes the
  // short pause.
  e.PointAt({21, 10});
  EXPECT_TRUE(w.isVisible());
  QTest::mouseMove(&other, {20, 10});
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(hints.ShowTimer().Interval(), 40);
  hints.ShowTimer().Tick();
  EXPECT_EQ(w.Caption(), QStringLiteral("Code"));

  // The hide pause ends it, and it does not come back while the pointer stays.
  hints.HideTimer().Tick();
  EXPECT_FALSE(w.isVisible());
  QTest::mouseMove(&other, {22, 11});
  EXPECT_FALSE(hints.ShowTimer().Running());

  // A click ends a hint, and it stays away while the pointer stays.
  e.PointAt({20, 10});
  EXPECT_EQ(hints.ShowTimer().Interval(), 250);
  hints.ShowTimer().Tick();
  ASSERT_TRUE(w.isVisible());
  QTest::mousePress(&e.edit, Qt::LeftButton, Qt::NoModifier, {20, 10});
  QTest::mouseRelease(&e.edit, Qt::LeftButton, Qt::NoModifier, {20, 10});
  EXPECT_FALSE(w.isVisible());
  e.PointAt({24, 10});
  EXPECT_FALSE(hints.ShowTimer().Running());
  EXPECT_FALSE(w.isVisible());

  // Closing the form takes its hint along.
  QTest::mouseMove(&other, {30, 10});
  hints.ShowTimer().Tick();
  ASSERT_TRUE(w.isVisible());
  e.form.Hide();
  EXPECT_FALSE(w.isVisible());
  EXPECT_FALSE(hints.HideTimer().Running());
}

TEST(FwBalloonHints, ShowsTheShortHintAndLetsOnShowHintChangeOrRefuseIt) {
  TFwBalloonHints hints(nullptr);
  HintedEdit e({300, 300}, QStringLiteral("单位名称|请输入单位的全称"));
  TFwCustomHintWindow& w = Window(hints);
  e.PointAt({20, 10});
  hints.ShowTimer().Tick();
  EXPECT_EQ(w.Caption(), QStringLiteral("单位名称"));
  hints.CancelHint();

  QWidget* seen = nullptr;
  hints.OnShowHint = [&](QString& text, bool& canShow, THintInfo& info) {
    seen = info.HintControl;
    EXPECT_EQ(info.HintMaxWidth, 100);
    text += QStringLiteral("!");
  };
  e.PointAt({21, 10});
  hints.ShowTimer().Tick();
  EXPECT_EQ(seen, &e.edit);
  EXPECT_EQ(w.Caption(), QStringLiteral("单位名称!"));
  hints.CancelHint();

  hints.OnShowHint = [](QString&, bool& canShow, THintInfo&) { canShow = false; };
  e.PointAt({22, 10});
  hints.ShowTimer().Tick();
  EXPECT_FALSE(w.isVisible());
  hints.CancelHint();
  hints.OnShowHint = nullptr;

  // The plain tool tip never shows beside the balloon.
  QHelpEvent tip(QEvent::ToolTip, QPoint(23, 10), e.Global({23, 10}));
  QCoreApplication::sendEvent(&e.edit, &tip);
  EXPECT_FALSE(QToolTip::isVisible());

  // A control that shows no hint gives none.
  e.edit.SetShowHint(false);
  e.PointAt({23, 10});
  EXPECT_FALSE(hints.ShowTimer().Running());
}

TEST(FwBalloonHints, TheLastComponentMadeIsInCharge) {
  auto* first = new TFwBalloonHints(nullptr);
  {
    TFwBalloonHints second(nullptr);
    EXPECT_FALSE(first->InCharge());
    EXPECT_TRUE(second.InCharge());
    HintedEdit e({300, 300});
    e.PointAt({20, 10});
    EXPECT_FALSE(first->ShowTimer().Running());
    EXPECT_TRUE(second.ShowTimer().Running());
  }
  EXPECT_TRUE(first->InCharge());
  delete first;
}

// Painting: body and frame colours, the shadow, the rounded corners left out, and the
// plain rectangle without the balloon look.
TEST(FwBalloonHints, PaintsARoundedBodyWithStemShadowAndFrame) {
  TFwBalloonHints hints(nullptr);
  hints.SetColor(clYellow);
  hints.SetFrameColor(clBlue);
  hints.SetShadow(true);
  HintedEdit e({300, 300}, QStringLiteral("OK"));
  e.PointAt({20, 10});
  hints.ShowTimer().Tick();
  TFwCustomHintWindow& w = Window(hints);
  ASSERT_EQ(w.CornerInEffect(), TFwHintCorner::hcUpperRight);
  const QImage image = Painted(w);
  // The window shows the painted balloon.
  const QImage grabbed = w.grab().toImage().convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(grabbed.size(), image.size());
  int differing = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) == 255 && grabbed.pixel(x, y) != image.pixel(x, y)) ++differing;
  EXPECT_EQ(differing, 0);
  const int W = w.width(), H = w.height();
  const int bodyBottom = H - 22;  // stem 20 and shadow 2 below the body

  auto rgb = [](const QImage& i, int x, int y) { return i.pixel(x, y) & 0xFFFFFF; };
  auto want = [](TColor c) { return ToQColor(c).rgb() & 0xFFFFFF; };
  EXPECT_EQ(PaintedBox(image), QRect(0, 0, W, H));
  EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);          // rounded corner left out
  EXPECT_EQ(qAlpha(image.pixel(W - 1, H - 1)), 0);  // beside the stem
  EXPECT_EQ(rgb(image, W - 8, 6), want(clYellow));  // inside the body, clear of the text
  EXPECT_EQ(rgb(image, 0, bodyBottom / 2), want(clBlue));  // left frame
  EXPECT_EQ(rgb(image, W - 3, bodyBottom / 2), want(clBlue));
  EXPECT_EQ(rgb(image, W - 2, bodyBottom / 2), want(cl3DDkShadow));
  EXPECT_EQ(rgb(image, W - 1, bodyBottom / 2), want(clBtnShadow));
  // The stem joins the body: no frame under its base, a frame along its upright edge.
  EXPECT_EQ(rgb(image, 15, bodyBottom - 1), want(clYellow));
  EXPECT_EQ(rgb(image, 10, bodyBottom + 5), want(clBlue));
  EXPECT_EQ(rgb(image, 11, bodyBottom + 5), want(clYellow));
  // The text lies inside the body.
  QRect ink;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x)
      if (qAlpha(image.pixel(x, y)) && rgb(image, x, y) != want(clYellow) && rgb(image, x, y) != want(clBlue) &&
          rgb(image, x, y) != want(cl3DDkShadow) && rgb(image, x, y) != want(clBtnShadow))
        ink |= QRect(x, y, 1, 1);
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_TRUE(QRect(4, 4, W - 10, bodyBottom - 8).contains(ink));

  // Without the balloon look: a framed rectangle below-right of the pointer, no stem.
  hints.CancelHint();
  hints.SetShowBalloon(false);
  hints.SetShadow(false);
  e.PointAt({22, 10});
  hints.ShowTimer().Tick();
  const QPoint p = e.Global({22, 10});
  EXPECT_EQ(w.CornerInEffect(), TFwHintCorner::hcLowerRight);
  EXPECT_EQ(w.geometry().topLeft(), p + QPoint(1, 16));
  EXPECT_EQ(w.width(), TFwCustomHintWindow::MinWidth);
  const QImage plain = Painted(w);
  EXPECT_EQ(PaintedBox(plain), QRect(0, 0, w.width(), w.height()));
  EXPECT_EQ(rgb(plain, 0, 0), want(clBlue));
  EXPECT_EQ(rgb(plain, w.width() - 1, w.height() - 1), want(clBlue));
  EXPECT_EQ(rgb(plain, w.width() - 3, 2), want(clYellow));
}

// The pointer over the balloon: within 2 pixels of where the hint was shown it stays;
// further away it goes. The moves reach the hinted control.
TEST(FwBalloonHints, PointerOverTheBalloonPassesMovesOnAndLeavingTheBoxCancels) {
  TFwBalloonHints hints(nullptr);
  hints.SetCorner(TFwHintCorner::hcLowerRight);
  HintedEdit e({300, 300});
  std::vector<QPoint> moves;
  e.edit.OnMouseMove = [&](TObject*, TShiftState, int x, int y) { moves.push_back({x, y}); };
  e.PointAt({20, 10});
  hints.ShowTimer().Tick();
  TFwCustomHintWindow& w = Window(hints);
  ASSERT_TRUE(w.isVisible());
  const QPoint anchor(w.AnchorPos().X, w.AnchorPos().Y);
  auto moveOver = [&](QPoint global) {
    QMouseEvent move(QEvent::MouseMove, QPointF(w.mapFromGlobal(global)), QPointF(global), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &move);
  };
  moves.clear();
  moveOver(anchor + QPoint(2, 2));
  EXPECT_TRUE(w.isVisible());
  ASSERT_FALSE(moves.empty());
  EXPECT_EQ(moves.back(), QPoint(22, 12));
  moveOver(anchor + QPoint(3, 1));
  EXPECT_FALSE(w.isVisible());
}

// Pictures replace the drawn balloon, stretched over the window with the transparent
// colour left out; a hint text changed under the resting pointer shows as it is now.
TEST(FwBalloonHints, PicturesReplaceTheDrawnBalloon) {
  TFwBalloonHints hints(nullptr);
  TBitmap picture(10, 10);
  picture.Canvas().Brush().SetColor(clOlive);
  picture.Canvas().FillRect(Rect(0, 0, 10, 10));
  picture.Canvas().Brush().SetColor(clRed);
  picture.Canvas().FillRect(Rect(0, 0, 5, 10));
  hints.Bitmaps().SetUpperRight(picture);
  HintedEdit e({300, 300});
  e.PointAt({20, 10});
  e.edit.SetHint(QStringLiteral("Changed"));
  hints.ShowTimer().Tick();
  TFwCustomHintWindow& w = Window(hints);
  EXPECT_EQ(w.Caption(), QStringLiteral("Changed"));
  const QImage image = Painted(w);
  EXPECT_EQ(image.pixel(0, w.height() - 1) & 0xFFFFFF, ToQColor(clRed).rgb() & 0xFFFFFF);
  EXPECT_EQ(qAlpha(image.pixel(w.width() - 1, 0)), 0);
  EXPECT_EQ(qAlpha(image.pixel(w.width() - 1, w.height() - 1)), 0);
}
