// The main window's parts: the image lists, the left pane with the group bar, the right
// pane with the list header, the background picture and the record list, and the status
// bar with the version text and the date.
#include "windows/main/MainForm.h"

#include "controls/common/FwCustomPanel.h"
#include "controls/common/FwStatusBar.h"
#include "controls/navigation/FwBalloonHints.h"
#include "controls/navigation/FwClockStatus.h"
#include "controls/navigation/FwCustomStatusPane.h"
#include "controls/navigation/FwGroup.h"
#include "controls/navigation/FwGroupBar.h"
#include "controls/navigation/FwSizePanel.h"
#include "platform/shell/Folders.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/JpegImage.h"
#include "windows/shared/GridProcedures.h"
#include "windows/shared/ThemedImages.h"

#include <QDir>
#include <QFontMetrics>
#include <QIcon>
#include <QPainter>

namespace fw {

namespace {

constexpr int kLeftPaneWidth = 108;
constexpr int kSizeBarWidth = 7;
constexpr int kListHeaderHeight = 18;
constexpr int kClockPaneWidth = 104;
constexpr int kStatusBarHeight = 19;
constexpr int kLargeImageSize = 32;
constexpr int kSmallImageSize = 16;
constexpr TColor kBarGradientStart = RGB(227, 239, 255);
constexpr TColor kBarGradientStop = RGB(153, 187, 234);
constexpr TColor kGroupCaptionColor = RGB(0, 60, 165);
constexpr TColor kGroupCaptionHotColor = RGB(66, 142, 255);
// The caption pictures of the three groups, indexes into the small image list.
constexpr int kGroup1CaptionImage = 4;  // 修改选中的记录
constexpr int kGroup2CaptionImage = 21; // 数据备份
constexpr int kGroup3CaptionImage = 7;  // 参数设置
// How long the pointer rests on a control before its hint shows, in milliseconds.
constexpr int kHintPause = 250;
// The widest a hint's text runs before it wraps.
constexpr int kHintCaptionWidth = 100;

// The pictures of the image lists by index: freedesktop icon names. Indexes that no
// action uses stay empty.
const char* const kImageNames[] = {
    "document-new",         // 0 添加新记录
    "edit-find",            // 1 指标查询
    "",                     // 2
    "edit-delete",          // 3 删除记录
    "document-edit",        // 4 修改选中的记录
    "document-open",        // 5 数据导入
    "network-transmit",     // 6 上报到网络版
    "preferences-system",   // 7 参数设置
    "view-list-bullet",     // 8 自定义列表显示
    "", "", "", "", "", "", "",
    "accessories-calculator", // 16 数据汇总
    "view-grid",            // 17 数据分组
    "document-send",        // 18 上报到离线版
    "tools-check-spelling", // 19 检查数据的逻辑
    "package-x-generic",    // 20 压缩数据库文件
    "document-save",        // 21 数据备份
    "", "", "",
    "document-save-as",     // 25 导出数据列表
    "document-print",       // 26 打印选中记录的年报表
};

} // namespace

void TMainForm::CreateImages() {
  PrepareIconTheme();
  LargeImages = new TImageList(this);
  LargeImages->SetName(QStringLiteral("LargeImages"));
  LargeImages->SetWidth(kLargeImageSize);
  LargeImages->SetHeight(kLargeImageSize);
  SmallImages = new TImageList(this);
  SmallImages->SetName(QStringLiteral("SmallImages"));
  SmallImages->SetWidth(kSmallImageSize);
  SmallImages->SetHeight(kSmallImageSize);
  for (int i = 0; i < int(std::size(kImageNames)); ++i) {
    const QString name = QString::fromLatin1(kImageNames[i]);
    LargeImages->Add(ThemedImage(name, i, kLargeImageSize));
    SmallImages->Add(ThemedImage(name, i, kSmallImageSize));
  }
}

void TMainForm::CreateBalloonHints() {
  FwBalloonHints1 = new TFwBalloonHints(this);
  FwBalloonHints1->SetName(QStringLiteral("FwBalloonHints1"));
  FwBalloonHints1->SetAlignment(TAlignment::taLeftJustify);
  FwBalloonHints1->SetCaptionWidth(kHintCaptionWidth);
  FwBalloonHints1->SetColor(clInfoBk);
  FwBalloonHints1->SetFrameColor(clBlack);
  FwBalloonHints1->Font().SetName(QStringLiteral("MS Sans Serif"));
  FwBalloonHints1->Font().SetHeight(-11);
  FwBalloonHints1->Font().SetColor(clInfoText);
  FwBalloonHints1->SetHintPause(kHintPause);
  FwBalloonHints1->SetShadow(true);
}

void TMainForm::CreateWindowParts() {
  CreateStatusBar();

  FwSizePanel1 = new TFwSizePanel(this);
  FwSizePanel1->SetName(QStringLiteral("FwSizePanel1"));
  FwSizePanel1->SetParent(this);
  FwSizePanel1->SetAlign(TAlign::alLeft);
  FwSizePanel1->SetWidth(kLeftPaneWidth);
  FwSizePanel1->SetBorderOuter(TFrameStyleEx::fsNone);
  FwSizePanel1->SetSizeBarWidth(kSizeBarWidth);
  FwSizePanel1->SetSizeBarStyle(TSplitterStyle::ssBump);
  FwSizePanel1->SetRealTimeDrag(true);
  FwSizePanel1->SetHotSpotVisible(true);
  FwSizePanel1->SetVisualStyle(TFwVisualStyle::vsGradient);
  // Face, border, gradient end and hot spot all in the window's colour.
  FwSizePanel1->SetColor(kMainWindowColor);
  FwSizePanel1->SetBorderColor(kMainWindowColor);
  FwSizePanel1->SetGradientColorStop(kMainWindowColor);
  FwSizePanel1->SetHotSpotColor(kMainWindowColor);
  CreateGroupBar();

  FwPanel1 = new TFwPanel(this);
  FwPanel1->SetName(QStringLiteral("FwPanel1"));
  FwPanel1->SetParent(this);
  FwPanel1->SetAlign(TAlign::alClient);
  FwPanel1->SetBorderOuter(TFrameStyleEx::fsNone);
  FwPanel1->SetColor(kMainWindowColor);

  FwPanel2 = new TFwPanel(this);
  FwPanel2->SetName(QStringLiteral("FwPanel2"));
  FwPanel2->SetParent(FwPanel1);
  FwPanel2->SetAlign(TAlign::alTop);
  FwPanel2->SetHeight(kListHeaderHeight);
  FwPanel2->SetBorderOuter(TFrameStyleEx::fsNone);
  FwPanel2->SetColor(kMainWindowColor);

  Image1 = new TImage(this);
  Image1->SetName(QStringLiteral("Image1"));
  Image1->SetParent(FwPanel1);
  Image1->SetAlign(TAlign::alClient);
  Image1->SetStretch(true);
  LoadBackgroundPicture();
}

void TMainForm::LoadBackgroundPicture() {
  // A missing or damaged picture leaves the pane in the window's colour.
  Image1->SetPicture(LoadPictureFile(ProgramFile(kBackgroundPictureName)));
}

void TMainForm::CreateStatusBar() {
  FwStatusBar1 = new TFwStatusBar(this);
  FwStatusBar1->SetName(QStringLiteral("FwStatusBar1"));
  FwStatusBar1->SetParent(this);
  FwStatusBar1->SetAlign(TAlign::alBottom);
  // The bar is sized for the font the program shows Chinese in, whose lines may be
  // taller than the 19-pixel bar allows. The bar's automatic look would put the 19
  // pixels back on load.
  const QFontMetrics metrics(FwStatusBar1->Font().ToQFont());
  FwStatusBar1->SetAutoStyle(false);
  const int textHeight = metrics.boundingRect(QStringLiteral("开发单位Pp")).height();
  FwStatusBar1->SetHeight(std::max(kStatusBarHeight, textHeight + 6));

  FwClockStatus1 = new TFwClockStatus(this);
  FwClockStatus1->SetName(QStringLiteral("FwClockStatus1"));
  FwClockStatus1->SetParent(FwStatusBar1);
  FwClockStatus1->SetAlign(TAlign::alRight);
  // 104 pixels, widened only where the font's widest date would not fit inside the
  // pane's frame.
  FwClockStatus1->SetWidth(kClockPaneWidth);
  const TFwCustomStatusPane& pane = *FwClockStatus1;
  const int frame = kClockPaneWidth - pane.TextRect().Width();
  const QString widestDate = QStringLiteral("0000年00月00日");
  FwClockStatus1->SetWidth(std::max(kClockPaneWidth, metrics.horizontalAdvance(widestDate) + frame));
  FwClockStatus1->SetAlignment(TAlignment::taCenter);
  FwClockStatus1->SetFormat(kStatusClockFormat);

  StatusVersion = new TFwStatusPane(this);
  StatusVersion->SetName(QStringLiteral("StatusVersion"));
  StatusVersion->SetParent(FwStatusBar1);
  StatusVersion->SetAlign(TAlign::alClient);
}

void TMainForm::CreateGroupBar() {
  FwGroupBar1 = new TFwGroupBar(this);
  FwGroupBar1->SetName(QStringLiteral("FwGroupBar1"));
  FwGroupBar1->SetParent(FwSizePanel1);
  FwGroupBar1->SetAlign(TAlign::alClient);
  FwGroupBar1->SetStyle(TFwGroupBarStyle::gbsOutlook);
  FwGroupBar1->SetGradientColorStyle(TFwGradientColorStyle::gcsCustom);
  FwGroupBar1->SetGradientColorStart(kBarGradientStart);
  FwGroupBar1->SetGradientColorStop(kBarGradientStop);
  FwGroupBar1->SetGroupBorderSize(0);
  FwGroupBar1->SetColor(kBarGradientStop);
  FwGroupBar1->SetLargeImages(LargeImages);
  FwGroupBar1->SetSmallImages(SmallImages);

  // Open or closed at start is set before the group joins the bar: in an Outlook bar a
  // group can only be opened (which closes the others), never closed by itself.
  auto group = [this](const char* name, const QString& caption, int captionImage, bool opened, bool divider,
                      bool buttonFaceCaption) {
    auto* g = new TFwGroup(this);
    g->SetName(QString::fromLatin1(name));
    g->SetCaption(caption);
    g->SetCaptionImageIndex(captionImage);
    g->SetOpened(opened);
    g->SetGroupBar(FwGroupBar1);
    g->SetItemStyle(TFwItemStyle::isLarge);
    g->SetColor(kBarGradientStop);
    g->SetCaptionColorStart(kBarGradientStart);
    g->SetCaptionColorStop(kBarGradientStop);
    g->SetCaptionColorDefault(false);
    if (buttonFaceCaption) g->SetCaptionColor(clBtnFace);
    g->CaptionFont().SetName(QStringLiteral("宋体"));
    g->CaptionFont().SetHeight(-12);
    g->CaptionFont().SetColor(kGroupCaptionColor);
    g->SetCaptionHotColor(kGroupCaptionHotColor);
    g->SetDividerVisible(divider);
    return g;
  };
  // Each caption shows a small picture of its group's work.
  FwGroup1 = group("FwGroup1", QStringLiteral("数据操作"), kGroup1CaptionImage, true, true, true);
  FwGroup2 = group("FwGroup2", QStringLiteral("备份与上报"), kGroup2CaptionImage, false, false, true);
  FwGroup3 = group("FwGroup3", QStringLiteral("系统工具"), kGroup3CaptionImage, false, false, false);
}

void TMainForm::CreateRecordGrid() {
  RecordGrid = new TDBGrid(this);
  RecordGrid->SetName(QStringLiteral("RecordGrid"));
  RecordGrid->SetParent(FwPanel1);
  RecordGrid->SetAlign(TAlign::alClient);
  SetUpRecordList(*RecordGrid, kMainWindowColor);
  RecordGrid->SetPopupMenu(GridPopupMenu);
  RecordGrid->SetDataSource(data_.DataSource1.get());
  // The columns the list has before any field list is loaded.
  for (const auto& [field, title, width] : {std::tuple{"c901", "本级工会统计编码", 110}, std::tuple{"c902", "本级工会名称", 220}})
    AddListColumn(RecordGrid->Columns(), QString::fromLatin1(field), QString::fromUtf8(title), width, false);
  RecordGrid->OnTitleClick = [this](TColumn* column) { RecordGridTitleClick(column); };
  RecordGrid->OnDblClick = [this](TObject*) { actModify->Execute(); };
  RecordGrid->OnKeyUp = [this](TObject*, WORD& key, TShiftState) { RecordGridKeyUp(key); };
}

} // namespace fw
