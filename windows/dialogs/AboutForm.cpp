#include "windows/dialogs/AboutForm.h"

#include "controls/common/FwLabel.h"
#include "controls/common/FwURLLabel.h"
#include "controls/navigation/FwBackground.h"
#include "controls/navigation/FwProgressBar.h"
#include "core/Messages.h"
#include "core/ProductVersion.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/DbError.h"
#include "platform/shell/Folders.h"
#include "platform/ui/Timer.h"
#include "windows/main/MainData.h"
#include "windows/shared/GridProcedures.h"

namespace fw {

TdlgAboutForm* dlgAboutForm = nullptr;

namespace {

constexpr int kClientWidth = 550;
constexpr int kClientHeight = 300;
constexpr int kSplashTotal = 100;
// The texts stand right of the picture's emblem.
constexpr int kTextLeft = 172;
constexpr TColor kTitleColor = RGB(0, 60, 165);
constexpr TColor kTextColor = RGB(16, 40, 96);
constexpr TColor kGradientStart = RGB(227, 239, 255);
constexpr TColor kGradientStop = RGB(153, 187, 234);

const QString kApprovalText = QStringLiteral("经主管部门审定，供2014年度基层以上工会调查表离线填报使用");
const QString kWebAddress = QStringLiteral("www.brackwater.example");

} // namespace

QString AboutVersionText(int build) { return QStringLiteral("版本：1.0 (Build ") + QString::number(build) + ')'; }

bool SplashWanted() { return !qEnvironmentVariableIsSet("FENWRIGHT_NO_SPLASH"); }

TdlgAboutForm::TdlgAboutForm(TComponent* owner) : TForm(owner) {
  SetName(QStringLiteral("dlgAboutForm"));
  BeginLoad();
  SetBorderStyle(TFormBorderStyle::bsNone);
  SetBorderIcons(0);
  SetPosition(TPosition::poDesktopCenter);
  Font().SetName(QStringLiteral("宋体"));
  Font().SetSize(9);
  SetClientWidth(kClientWidth);
  SetClientHeight(kClientHeight);
  CreateBackground();
  CreateLabels();

  FwProgressBar1 = new TFwProgressBar(this);
  FwProgressBar1->SetName(QStringLiteral("FwProgressBar1"));
  FwProgressBar1->SetParent(this);
  FwProgressBar1->SetBounds(kTextLeft, 252, 330, 12);
  FwProgressBar1->SetShowPercent(false);
  FwProgressBar1->SetTotalParts(kSplashTotal);
  FwProgressBar1->SetVisible(false);

  Timer1 = new TTimer(this);
  Timer1->SetName(QStringLiteral("Timer1"));
  Timer1->SetEnabled(false);
  Timer1->SetInterval(kSplashInterval);
  Timer1->OnTimer = [this](TObject*) { Timer1Timer(); };
  EndLoad();
}

TdlgAboutForm::~TdlgAboutForm() {
  if (dlgAboutForm == this) dlgAboutForm = nullptr;
}

void TdlgAboutForm::CreateBackground() {
  FwBackground1 = new TFwBackground(this);
  FwBackground1->SetName(QStringLiteral("FwBackground1"));
  FwBackground1->SetParent(this);
  FwBackground1->SetAlign(TAlign::alClient);
  FwBackground1->SetActive(true);
  FwBackground1->SetFrameStyle(TFrameStyle::fsRaised);
  FwBackground1->SetGradientColorStart(kGradientStart);
  FwBackground1->SetGradientColorStop(kGradientStop);
  FwBackground1->SetGradientDirection(TGradientDirection::gdVerticalEnd);
  // A missing picture leaves the gradient alone.
  FwBackground1->LoadImage(ProgramFile(kAboutPictureName));
  FwBackground1->SetImageStyle(TImageStyle::isCenter);
  FwBackground1->SetShowGradient(true);
  FwBackground1->SetShowImage(true);
  FwBackground1->SetShowTexture(false);
  FwBackground1->OnClick = [this](TObject*) { Close(); };
  FwBackground1->OnDblClick = FwBackground1->OnClick;
}

void TdlgAboutForm::CreateLabels() {
  // Every text is shadowed over the card; the web address stays plain underlined text.
  auto label = [this](auto* l, const char* name, int top, const QString& caption) {
    l->SetName(QString::fromLatin1(name));
    l->SetParent(this);
    l->SetTransparent(true);
    l->SetTextStyle(TTextStyle::tsShadow);
    l->SetShadowColor(kGradientStop);
    l->SetBounds(kTextLeft, top, 0, 0);
    l->SetCaption(caption);
    l->Font().SetColor(kTextColor);
    return l;
  };
  NameLabel = label(new TFwLabel(this), "NameLabel", 44, kAboutProductName);
  NameLabel->Font().SetName(QStringLiteral("Arial"));
  NameLabel->Font().SetSize(30);
  NameLabel->Font().SetStyle(fsBold);
  NameLabel->Font().SetColor(kTitleColor);
  NameLabel->OnMouseDown = [this](TObject*, TMouseButton, TShiftState shift, int, int) { NameLabelMouseDown(shift); };

  ApprovalLabel = label(new TFwLabel(this), "ApprovalLabel", 112, kApprovalText);
  MakerLabel = label(new TFwLabel(this), "MakerLabel", 140, kAboutMakerText);
  WebLabel = new TFwURLLabel(this);
  label(WebLabel, "WebLabel", 162, kWebAddress);
  WebLabel->SetTextStyle(TTextStyle::tsNormal);
  WebLabel->Font().SetColor(WebLabel->UnvisitedColor());
  WebLabel->SetURL(QStringLiteral("https://") + kWebAddress + '/');
  VersionLabel = label(new TFwLabel(this), "VersionLabel", 184, AboutVersionText(ProgramVersion.Build));
}

void TdlgAboutForm::StartSplash() {
  FwProgressBar1->SetVisible(true);
  Timer1->SetEnabled(true);
}

void TdlgAboutForm::Timer1Timer() {
  FwProgressBar1->StepBy(kSplashStep);
  if (FwProgressBar1->PartsComplete() < FwProgressBar1->TotalParts()) return;
  Timer1->SetEnabled(false);
  Close();
}

void TdlgAboutForm::NameLabelMouseDown(TShiftState shift) {
  const bool wanted = (shift & ssCtrl) && (shift & ssAlt) && !(shift & ssShift) && (shift & ssDouble);
  if (wanted) MarkAllRecordsChecked();
}

void TdlgAboutForm::MarkAllRecordsChecked() {
  if (TMainData* data = MainData()) {
    try {
      data->AppQuery->Close();
      data->AppQuery->SetSQL(QStringLiteral("update dt_data set RecordState=1"));
      data->AppQuery->ExecSQL();
      RequeryKeepingPlace(*data->ReportQuery);
    } catch (const EDatabaseError& e) {
      ShowRuntimeError(e.Message());
    }
  }
  Close();
}

} // namespace fw
