#include "windows/dialogs/CheckForm.h"

#include "controls/common/FwCheckBox.h"
#include "controls/common/FwRadioButton.h"
#include "controls/common/FwToolButton.h"
#include "controls/common/FwToolbar.h"
#include "controls/navigation/FwAnimator.h"
#include "controls/navigation/FwProgressBar.h"
#include "core/LogicCheck.h"
#include "core/Messages.h"
#include "platform/db/DbError.h"
#include "platform/shell/Hooks.h"
#include "platform/ui/Application.h"
#include "platform/ui/GroupBox.h"
#include "platform/ui/Label.h"
#include "platform/ui/Timer.h"
#include "windows/main/MainData.h"
#include "windows/shared/DialogParts.h"
#include "windows/shared/ProgressParts.h"
#include "windows/shared/VKValidEdit.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>

namespace fw {

TdlgCheckForm* dlgCheckForm = nullptr;

namespace {

constexpr int kClientWidth = 484;
constexpr int kButtonWidth = 75;
// Below the scope group; while a run goes the bar at the bottom is below it.
constexpr int kProgressTop = 102;


TVKValidEdit* AddCodeEdit(TGroupBox* group, const QString& name, int left, int top) {
  auto* edit = new TVKValidEdit(group->ParentForm());
  edit->SetName(name);
  edit->SetParent(group);
  edit->SetBounds(left, top, 120, 21);
  edit->SetCheckType(TCheckType::tcValidate);
  edit->SetValidChars(QStringLiteral("0123456789"));
  return edit;
}

// A code typed into a range edit; an empty edit reads as "0".
double RangeCode(TVKValidEdit* edit) {
  if (edit->Text().trimmed().isEmpty()) edit->SetText(QStringLiteral("0"));
  return edit->Text().trimmed().toDouble();
}

} // namespace

TdlgCheckForm::TdlgCheckForm(TComponent* owner, TADOConnection* connection)
    : TForm(owner), PumpIntervalMs(kCheckPumpIntervalMs), connection_(ConnectionOrProgram(connection)) {
  SetUpDialog(*this, QStringLiteral("dlgCheckForm"), QStringLiteral("选择检查的方式"), kClientWidth, kCheckFormIdleHeight);
  SetBorderIcons(biSystemMenu);
  CreateScope();
  CreateButtons();
  CreateProgress();
  EnterWaiting();
}

TdlgCheckForm::~TdlgCheckForm() {
  if (dlgCheckForm == this) dlgCheckForm = nullptr;
}

// A showing starts as a new dialog would: waiting on the scope 选中的数据 with empty
// range edits, the bar, the counts and the flags of an earlier run cleared.
void TdlgCheckForm::DoShow() {
  if (!running_) {
    Selected->SetChecked(true);
    c901_1->SetText(QString());
    c901_2->SetText(QString());
    FwProgressBar1->SetPartsComplete(0);
    for (TLabel* label : {Label1, Label2, Label3}) label->SetVisible(false);
    paused_ = cancelled_ = closeAfterRun_ = false;
    ticks_ = 0;
    estimate_ = -1;
    EnterWaiting();
    StartAtFirstControl(*this);
  }
  TForm::DoShow();
}

void TdlgCheckForm::CreateScope() {
  GroupBox1 = new TGroupBox(this);
  GroupBox1->SetName(QStringLiteral("GroupBox1"));
  GroupBox1->SetParent(this);
  GroupBox1->SetBounds(8, 6, kClientWidth - 16, 88);
  GroupBox1->SetCaption(QStringLiteral("检查的内容"));
  Selected = AddRadioButton(GroupBox1, QStringLiteral("Selected"), QStringLiteral("选中的数据"), Bounds(16, 26, 140, 20));
  AllRecord = AddRadioButton(GroupBox1, QStringLiteral("AllRecord"), QStringLiteral("所有的数据"), Bounds(170, 26, 140, 20));
  Range = AddRadioButton(GroupBox1, QStringLiteral("Range"), QStringLiteral("指定单位编号的范围"), Bounds(16, 56, 140, 20));
  Selected->SetChecked(true);
  AddLabel(GroupBox1, 168, 60, QStringLiteral("从"));
  c901_1 = AddCodeEdit(GroupBox1, QStringLiteral("c901_1"), 188, 56);
  AddLabel(GroupBox1, 318, 60, QStringLiteral("到"));
  c901_2 = AddCodeEdit(GroupBox1, QStringLiteral("c901_2"), 338, 56);

  ChangeState = new TFwCheckBox(this);
  ChangeState->SetName(QStringLiteral("ChangeState"));
  ChangeState->SetParent(this);
  ChangeState->SetBounds(16, 108, 160, 20);
  ChangeState->SetCaption(QStringLiteral("标记逻辑合格的数据"));
  DressGlyphButton(*ChangeState);
  ChangeState->SetChecked(true);
  ChangeState->SetVisible(false);
}

void TdlgCheckForm::CreateButtons() {
  // The bar sits at the bottom of the window, below the progress while a run goes.
  FwToolbar1 = AddBottomButtonBar(*this);
  FwToolbar1->SetAlign(TAlign::alBottom);
  constexpr unsigned looks = blkHot | blkDisabled;
  tbCheck = AddBarButton(FwToolbar1, QStringLiteral("tbCheck"), QStringLiteral("检  查"),
                         {.Icon = BarIcon::Check, .Hint = "检查数据的逻辑|按选中的方式检查数据的逻辑关系",
                          .Width = kButtonWidth, .Looks = looks},
                         [this] { tbCheckClick(); });
  AddBarSpacer(FwToolbar1);
  tbPause = AddBarButton(FwToolbar1, QStringLiteral("tbPause"), QStringLiteral("暂  停"),
                         {.Icon = BarIcon::Pause, .Hint = "暂停检查", .Width = kButtonWidth, .Looks = looks},
                         [this] { tbPauseClick(); });
  AddHiddenBarSpacer(FwToolbar1);  // 暂停 and 继续 stand together
  tbResume = AddBarButton(FwToolbar1, QStringLiteral("tbResume"), QStringLiteral("继  续"),
                          {.Icon = BarIcon::Resume, .Hint = "继续暂停的检查", .Width = kButtonWidth, .Looks = looks},
                          [this] { tbResumeClick(); });
  AddBarSpacer(FwToolbar1);
  tbReturn = AddBarButton(FwToolbar1, QStringLiteral("tbReturn"), QStringLiteral("返  回"),
                          {.Icon = BarIcon::Return, .Hint = "关闭本窗口|正在进行的检查在当前记录后停止",
                           .Width = kButtonWidth, .Looks = looks},
                          [this] { tbReturnClick(); });
}

void TdlgCheckForm::CreateProgress() {
  GroupBox2 = new TGroupBox(this);
  GroupBox2->SetName(QStringLiteral("GroupBox2"));
  GroupBox2->SetParent(this);
  GroupBox2->SetBounds(8, kProgressTop, kClientWidth - 16, 78);
  GroupBox2->SetCaption(QStringLiteral("检查进度"));

  FwAnimator1 = AddBusyAnimator(this, GroupBox2, 12, 26);
  FwAnimator1->SetName(QStringLiteral("FwAnimator1"));

  FwProgressBar1 = new TFwProgressBar(this);
  FwProgressBar1->SetName(QStringLiteral("FwProgressBar1"));
  FwProgressBar1->SetParent(GroupBox2);
  FwProgressBar1->SetBounds(54, 26, kClientWidth - 16 - 66, 20);
  FwProgressBar1->SetNumSegments(100);
  FwProgressBar1->SetInteriorOffset(0);

  // Shown over the bar while the records are read, before the first count.
  Label1 = new TLabel(this);
  Label1->SetName(QStringLiteral("Label1"));
  Label1->SetParent(GroupBox2);
  Label1->SetTransparent(false);
  Label1->SetColor(RGB(10, 36, 106));
  Label1->Font().SetColor(clWhite);
  Label1->SetBounds(56, 29, 0, 0);
  Label1->SetCaption(QStringLiteral("正在准备数据 ..."));
  Label1->SetVisible(false);

  Label2 = AddLabel(GroupBox2, 56, 54, QString());
  Label2->SetName(QStringLiteral("Label2"));
  Label2->SetVisible(false);
  Label3 = AddLabel(GroupBox2, 260, 54, QString());
  Label3->SetName(QStringLiteral("Label3"));
  Label3->SetVisible(false);

  Timer1 = new TTimer(this);
  Timer1->SetName(QStringLiteral("Timer1"));
  Timer1->SetInterval(100);
  Timer1->SetEnabled(false);
  Timer1->OnTimer = [this](TObject*) { Timer1Timer(); };
}

// ---- States ------------------------------------------------------------------------

void TdlgCheckForm::EnterWaiting() {
  SetClientHeight(kCheckFormIdleHeight);
  GroupBox2->SetVisible(false);
  Timer1->SetEnabled(false);
  FwAnimator1->SetAnimate(false);
  tbCheck->SetEnabled(true);
  tbReturn->SetEnabled(true);
  tbPause->SetEnabled(false);
  tbResume->SetEnabled(false);
  for (TFwRadioButton* radio : {Selected, AllRecord, Range}) radio->SetEnabled(true);
}

void TdlgCheckForm::EnterPreparing() {
  for (TFwRadioButton* radio : {Selected, AllRecord, Range}) radio->SetEnabled(false);
  FwProgressBar1->SetPartsComplete(0);
  Label1->SetVisible(true);
  Label2->SetVisible(false);
  Label3->SetVisible(false);
  SetClientHeight(kCheckFormRunningHeight);
  GroupBox2->SetVisible(true);
  tbCheck->SetEnabled(false);
  tbPause->SetEnabled(false);
  tbResume->SetEnabled(false);
  tbReturn->SetEnabled(false);
  FwAnimator1->SetAnimate(true);
  // The window shows its new state before the records are read.
  ProcessMessages();
}

// ---- Buttons -----------------------------------------------------------------------

void TdlgCheckForm::tbCheckClick() {
  if (running_) return;
  {
    // However the run ends, an error out of the scope's statement included, the dialog
    // waits again: left "running" it could neither check nor close any more.
    struct TBackToWaiting {
      TdlgCheckForm& form;
      ~TBackToWaiting() {
        form.running_ = false;
        form.EnterWaiting();
      }
    } backToWaiting{*this};
    running_ = true;
    paused_ = cancelled_ = closeAfterRun_ = false;
    EnterPreparing();
    if (!closeAfterRun_) CheckScope();  // the window may have been closed while it was repainted
    if (ChangeState->Checked() && RefreshList) {
      try {
        RefreshList();
      } catch (const EDatabaseError&) {
        // The list shows the old states until it is next refreshed; the check is done.
      }
    }
  }
  if (closeAfterRun_) Close();
}

void TdlgCheckForm::CheckScope() {
  if (Selected->Checked()) {
    const QString statement = SelectedStatement ? SelectedStatement() : QString();
    if (!statement.isEmpty()) CheckStatement(statement, true);
  } else if (AllRecord->Checked()) {
    CheckStatement(kCheckAllStatement, ChangeState->Checked());
  } else {
    CheckRange();
  }
}

// The range from the two codes. A bound that is empty or below 1 (a code is a twelve-
// digit number; only a paste can bring anything else) asks for the range again instead
// of checking nothing; a first code above the second checks the first code alone.
void TdlgCheckForm::CheckRange() {
  const double from = RangeCode(c901_1);
  double to = RangeCode(c901_2);
  if (from < 1 || to < 1) {
    ShowMessage(kCheckRangeMissing);
    return;
  }
  if (from > to) {
    to = from;
    c901_2->SetText(c901_1->Text());
  }
  CheckStatement(kCheckAllStatement + QStringLiteral(" and c901>=") + QString::number(from, 'f', 2) +
                     QStringLiteral(" and c901<=") + QString::number(to, 'f', 2),
                 ChangeState->Checked());
}

void TdlgCheckForm::CheckStatement(const QString& sql, bool setPassed) {
  if (!connection_) return;
  RunLogicCheck(*connection_, sql, setPassed, *this, PumpIntervalMs);
}

void TdlgCheckForm::tbReturnClick() {
  cancelled_ = true;
  if (running_) closeAfterRun_ = true;  // the check stops at its next look, then the window closes
  else Close();
}

void TdlgCheckForm::tbPauseClick() {
  Timer1->SetEnabled(false);
  FwAnimator1->SetAnimate(false);
  paused_ = true;
  tbPause->SetEnabled(false);
  tbResume->SetEnabled(true);
}

void TdlgCheckForm::tbResumeClick() {
  paused_ = false;
  Timer1->SetEnabled(true);
  FwAnimator1->SetAnimate(true);
  tbPause->SetEnabled(true);
  tbResume->SetEnabled(false);
}

bool TdlgCheckForm::DialogKey(QKeyEvent& event, QWidget* origin) {
  if (event.key() == Qt::Key_Escape && !(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
    tbReturnClick();
    return true;
  }
  return TForm::DialogKey(event, origin);
}

void TdlgCheckForm::closeEvent(QCloseEvent* event) {
  event->ignore();
  tbReturnClick();
}

// ---- Progress ----------------------------------------------------------------------

void TdlgCheckForm::StartCheckProgress(int total, int position) {
  Label1->SetVisible(false);
  paused_ = false;
  cancelled_ = closeAfterRun_;
  tbPause->SetEnabled(true);
  tbReturn->SetEnabled(true);
  FwProgressBar1->SetTotalParts(unsigned(std::max(total, 0)));
  FwProgressBar1->SetPartsComplete(unsigned(std::max(position, 0)));
  ticks_ = 0;
  estimate_ = -1;
  ShowTimes();
  Label2->SetVisible(true);
  Label3->SetVisible(true);
  Timer1->SetEnabled(true);
}

void TdlgCheckForm::StepCheckProgress() {
  FwProgressBar1->StepIt();
  if (FwProgressBar1->PartsComplete() < FwProgressBar1->TotalParts()) return;
  Timer1->SetEnabled(false);
  // The last counts stand while the report is shown: a run shorter than one tick would
  // otherwise leave the counts of its start beside a full bar.
  ShowTimes();
}

bool TdlgCheckForm::Cancelled() const { return cancelled_ || (Application && Application->Terminated()); }

void TdlgCheckForm::ProcessMessages() {
  if (Application) Application->ProcessMessages();
  else QCoreApplication::processEvents();
}

void TdlgCheckForm::WaitForMessages() {
  if (Application) Application->HandleMessage();
  else QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void TdlgCheckForm::Timer1Timer() {
  ++ticks_;
  ShowTimes();
}

void TdlgCheckForm::ShowTimes() {
  const TProgressTexts texts =
      ProgressTexts(ticks_, int(FwProgressBar1->PartsComplete()), int(FwProgressBar1->TotalParts()), estimate_);
  Label2->SetCaption(texts.Done);
  Label3->SetCaption(texts.Left);
}

} // namespace fw
