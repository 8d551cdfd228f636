#pragma once
// TdlgAboutForm: the about box, a borderless 550 x 300 card centred on the desktop with
// the product's name, the approval text, the maker, a web address and the version over
// a framed background picture. At start-up it is also the splash: StartSplash shows its
// progress bar and starts its 40 ms timer, which closes the box after 50 ticks (about
// two seconds). A click on the background closes it at any time.
//
// A double click on the name with Ctrl and Alt held (Shift not) marks every record of
// the open database as checked (RecordState 1) without running the checks, puts the
// main window's list back on its record and closes the box.

#include "platform/ui/Form.h"

namespace fw {

class TFwBackground;
class TFwLabel;
class TFwProgressBar;
class TFwURLLabel;
class TTimer;

// The picture in the program folder, drawn at build time.
inline const QString kAboutPictureName = QStringLiteral("about.jpg");
inline const QString kAboutProductName = QStringLiteral("Fenwright");
inline const QString kAboutMakerText = QStringLiteral("开发单位：Brackwater");
// The splash's progress: parts a tick and the tick interval.
constexpr int kSplashStep = 2;
constexpr int kSplashInterval = 40;

// "版本：1.0 (Build n)".
QString AboutVersionText(int build);

// Whether start-up shows the splash: not when FENWRIGHT_NO_SPLASH is set (tests,
// benchmarks and timed runs start straight into the main window).
bool SplashWanted();

class TdlgAboutForm : public TForm {
public:
  explicit TdlgAboutForm(TComponent* owner);
  ~TdlgAboutForm() override;

  // Shows the progress bar and starts the timer.
  void StartSplash();
  // One tick of the timer: the bar advances by two parts; at its total the box closes.
  void Timer1Timer();
  // Ctrl+Alt double click on the name (see above).
  void MarkAllRecordsChecked();

  TFwBackground* FwBackground1 = nullptr;
  TFwLabel* NameLabel = nullptr;
  TFwLabel* ApprovalLabel = nullptr;
  TFwLabel* MakerLabel = nullptr;
  TFwURLLabel* WebLabel = nullptr;
  TFwLabel* VersionLabel = nullptr;
  TFwProgressBar* FwProgressBar1 = nullptr;
  TTimer* Timer1 = nullptr;

private:
  void CreateBackground();
  void CreateLabels();
  void NameLabelMouseDown(TShiftState shift);
};

// The about box created at start and by 关于 (nullptr while there is none).
extern TdlgAboutForm* dlgAboutForm;

} // namespace fw
