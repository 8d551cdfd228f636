#pragma once
// TdlgCheckForm ("选择检查的方式"): the batch logic check over the records selected in the
// main window's list, over all records, or over a range of unit codes, with its progress
// (counts, then the seconds used and left) and pause, resume and stop while it runs. The
// check runs inside 检  查 and reaches the dialog only through ICheckProgress; the dialog
// pumps the messages it is asked to, so its buttons and timer work during the run.
//
// 返  回, the close box and Esc stop a running check first and close the dialog once the
// check has returned; the window never goes while the check still uses it.
//
// The main window hands the dialog what only it knows: the statement of the records
// marked in its list (SelectedStatement) and how to refresh that list after the states
// changed (RefreshList).
//
// The program entry makes the dialog at start and the main window's check action shows
// it as often as it is asked for: every showing starts waiting, with the scope
// 选中的数据, empty range edits and no progress of an earlier run.

#include "core/Progress.h"
#include "platform/ui/Form.h"

#include <functional>

namespace fw {

class TADOConnection;
class TFwAnimator;
class TFwCheckBox;
class TFwProgressBar;
class TFwRadioButton;
class TFwToolbar;
class TFwToolButton;
class TGroupBox;
class TLabel;
class TTimer;
class TVKValidEdit;

inline const QString kCheckRangeMissing = QStringLiteral("请输入逻辑检查的范围");
inline const QString kCheckAllStatement = QStringLiteral("select * from dt_data where c907<=2");

// Client heights: the scope and the buttons while waiting, the progress too while a
// check runs (the window's outer heights 168 and 255).
constexpr int kCheckFormIdleHeight = 138;
constexpr int kCheckFormRunningHeight = 225;

class TdlgCheckForm : public TForm, public ICheckProgress {
public:
  // The dialog checks on the connection given, else on the program's database.
  explicit TdlgCheckForm(TComponent* owner, TADOConnection* connection = nullptr);
  ~TdlgCheckForm() override;

  // The statement of the records marked in the main window's list; empty when it has
  // none. The scope 选中的数据 checks nothing without it.
  std::function<QString()> SelectedStatement;
  // Refreshes the main window's list after a check that marked records.
  std::function<void()> RefreshList;
  // How often the check lets the dialog handle its messages, in milliseconds.
  int PumpIntervalMs;

  TGroupBox* GroupBox1 = nullptr;  // 检查的内容
  TFwRadioButton* Selected = nullptr;
  TFwRadioButton* AllRecord = nullptr;
  TFwRadioButton* Range = nullptr;
  TVKValidEdit* c901_1 = nullptr;
  TVKValidEdit* c901_2 = nullptr;
  TFwCheckBox* ChangeState = nullptr;  // always checked, never shown: clean records pass
  TGroupBox* GroupBox2 = nullptr;  // 检查进度
  TFwProgressBar* FwProgressBar1 = nullptr;
  TLabel* Label1 = nullptr;  // 正在准备数据 ...
  TLabel* Label2 = nullptr;  // done (and time used)
  TLabel* Label3 = nullptr;  // left (and time left)
  TFwAnimator* FwAnimator1 = nullptr;
  TFwToolbar* FwToolbar1 = nullptr;
  TFwToolButton* tbCheck = nullptr;
  TFwToolButton* tbPause = nullptr;
  TFwToolButton* tbResume = nullptr;
  TFwToolButton* tbReturn = nullptr;
  TTimer* Timer1 = nullptr;

  void tbCheckClick();
  void tbReturnClick();
  void tbPauseClick();
  void tbResumeClick();
  void Timer1Timer();

  bool Running() const { return running_; }
  int Ticks() const { return ticks_; }
  int Estimate() const { return estimate_; }

  // ICheckProgress.
  void StartCheckProgress(int total, int position) override;
  void StepCheckProgress() override;
  bool Paused() const override { return paused_; }
  bool Cancelled() const override;
  void ProcessMessages() override;
  void WaitForMessages() override;

protected:
  void DoShow() override;
  bool DialogKey(QKeyEvent& event, QWidget* origin) override;
  void closeEvent(QCloseEvent* event) override;

private:
  void CreateScope();
  void CreateProgress();
  void CreateButtons();
  void EnterWaiting();
  void EnterPreparing();
  void CheckScope();
  void CheckRange();
  void CheckStatement(const QString& sql, bool setPassed);
  void ShowTimes();

  TADOConnection* connection_;
  bool running_ = false;
  bool paused_ = false;
  bool cancelled_ = false;
  bool closeAfterRun_ = false;
  int ticks_ = 0;
  int estimate_ = -1;
};

// The dialog the program entry makes at start; nullptr once it is freed.
extern TdlgCheckForm* dlgCheckForm;

} // namespace fw
