#include "platform/ui/DesktopHooks.h"

#include "platform/shell/DesktopOpener.h"
#include "platform/shell/Hooks.h"
#include "platform/shell/ShownText.h"
#include "platform/ui/Application.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpacerItem>
#include <QStandardPaths>
#include <vector>

namespace fw {

namespace {

// Answers not named in Hooks.h.
constexpr int kIdRetry = 4;
constexpr int kIdIgnore = 5;
constexpr int kMbAbortRetryIgnore = 0x2;
constexpr int kMbRetryCancel = 0x5;
// The MB_DEFBUTTON* bits.
constexpr int kDefaultButtonMask = 0xF00;

struct BoxButton {
  QString Text;
  int Answer;
};

std::vector<BoxButton> MessageButtons(int flags) {
  switch (flags & 0xF) {
  case MB_OKCANCEL: return {{"确定", IDOK}, {"取消", IDCANCEL}};
  case kMbAbortRetryIgnore: return {{"中止", IDABORT}, {"重试", kIdRetry}, {"忽略", kIdIgnore}};
  case MB_YESNOCANCEL: return {{"是", IDYES}, {"否", IDNO}, {"取消", IDCANCEL}};
  case MB_YESNO: return {{"是", IDYES}, {"否", IDNO}};
  case kMbRetryCancel: return {{"重试", kIdRetry}, {"取消", IDCANCEL}};
  default: return {{"确定", IDOK}};
  }
}

QMessageBox::Icon MessageIcon(int flags) {
  switch (flags & 0xF0) {
  case MB_ICONERROR: return QMessageBox::Critical;
  case MB_ICONQUESTION: return QMessageBox::Question;
  case MB_ICONWARNING: return QMessageBox::Warning;
  case MB_ICONINFORMATION: return QMessageBox::Information;
  default: return QMessageBox::NoIcon;
  }
}

// The index among the box's buttons of the one that Enter presses (MB_DEFBUTTON1..).
int DefaultButtonIndex(int flags) { return (flags & kDefaultButtonMask) >> 8; }

// Room in a title bar beside the caption: the window's icon and its buttons.
constexpr int kTitleBarRoom = 120;

// Widens the box (through its layout, which the box sizes itself by) so that the title
// bar shows the whole caption, however short the text and however few the buttons.
void FitCaption(QMessageBox& box) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (!grid) return;
  const int wanted = box.fontMetrics().horizontalAdvance(box.windowTitle()) + kTitleBarRoom;
  grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                grid->columnCount());
}

// Runs a box with the given buttons; Enter presses the one at defaultIndex (the first
// when there is none at that index); the escape answer is given when the box is closed.
int RunBox(QMessageBox& box, const std::vector<BoxButton>& buttonsWanted, int defaultIndex, int escapeAnswer) {
  std::vector<QPushButton*> buttons;
  for (const BoxButton& wanted : buttonsWanted) buttons.push_back(box.addButton(wanted.Text, QMessageBox::AcceptRole));
  if (defaultIndex < 0 || defaultIndex >= static_cast<int>(buttons.size())) defaultIndex = 0;
  if (!buttons.empty()) box.setDefaultButton(buttons[static_cast<size_t>(defaultIndex)]);
  for (size_t i = 0; i < buttonsWanted.size(); ++i)
    if (buttonsWanted[i].Answer == escapeAnswer) box.setEscapeButton(buttons[i]);
  const TNormalizedTopMosts boxOnTop;
  box.exec();
  for (size_t i = 0; i < buttons.size(); ++i)
    if (box.clickedButton() == buttons[i]) return buttonsWanted[i].Answer;
  return escapeAnswer;
}

int EscapeAnswer(int flags) {
  switch (flags & 0xF) {
  case MB_OK: return IDOK;
  case MB_YESNO: return IDNO;
  case kMbAbortRetryIgnore: return IDABORT;
  default: return IDCANCEL;
  }
}

int DesktopMessageBox(const QString& text, const QString& caption, int flags) {
  const std::unique_ptr<QMessageBox> box = MakeMessageBox(text, caption, flags);
  return RunBox(*box, MessageButtons(flags), DefaultButtonIndex(flags), EscapeAnswer(flags));
}

int DesktopQuestion(const QString& text, int bits) {
  const std::unique_ptr<QMessageBox> box = MakeMessageBox(text, QStringLiteral("提示信息"), MB_ICONQUESTION);
  std::vector<BoxButton> buttonsWanted;
  const char* captions[] = {"是", "否", "全都是", "全都否"};
  for (int i = 0; i < 4; ++i)
    if (bits & (1 << i)) buttonsWanted.push_back({QString::fromUtf8(captions[i]), QuestionAnswerForBit(1 << i)});
  if (buttonsWanted.empty()) buttonsWanted.push_back({QStringLiteral("是"), IDYES});
  return RunBox(*box, buttonsWanted, DefaultButtonIndex(bits), IDCANCEL);
}

bool DesktopInputBox(const QString& caption, const QString& prompt, QString& value) {
  const std::unique_ptr<QInputDialog> dialog = MakeInputDialog(caption, prompt, value);
  const TNormalizedTopMosts dialogOnTop;
  if (dialog->exec() != QDialog::Accepted) return false;
  value = dialog->textValue();
  return true;
}

FileDialogResult RunFileDialog(const FileDialogRequest& request, bool save) {
  const std::unique_ptr<QFileDialog> dialog = MakeFileDialog(request, save);
  FileDialogResult result;
  const TNormalizedTopMosts dialogOnTop;
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return result;
  result.Accepted = true;
  result.FileName = dialog->selectedFiles().first();
  result.FilterIndex = std::max(0, static_cast<int>(dialog->nameFilters().indexOf(dialog->selectedNameFilter()))) + 1;
  return result;
}

bool DesktopChooseColor(std::int32_t& color) {
  const TColor rgb = ColorToRGB(color);
  const QColor initial(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
  const TNormalizedTopMosts dialogOnTop;
  const QColor chosen =
      QColorDialog::getColor(initial, QApplication::activeWindow(), QString(), QColorDialog::DontUseNativeDialog);
  if (!chosen.isValid()) return false;
  color = chosen.red() | (chosen.green() << 8) | (chosen.blue() << 16);
  return true;
}

bool DesktopOpenWithDefault(const QString& path) {
  // Tests must never start another program.
  if (qEnvironmentVariableIsSet("FENWRIGHT_NO_OPEN")) return true;
  return OpenWithDesktopOpener(path);
}

} // namespace

std::unique_ptr<QFileDialog> MakeFileDialog(const FileDialogRequest& request, bool save) {
  auto dialog = std::make_unique<QFileDialog>(QApplication::activeWindow(), request.Title);
  // Qt's own dialog, in the program's language; the desktop's would follow the system's.
  dialog->setOption(QFileDialog::DontUseNativeDialog, true);
  dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // The program asks itself (ConfirmOverwrite), about the name with the ending it adds.
  dialog->setOption(QFileDialog::DontConfirmOverwrite, true);
  const QStringList filters = ConvertFileFilter(request.Filter);
  if (!filters.isEmpty()) {
    dialog->setNameFilters(filters);
    const int index = std::clamp(request.FilterIndex, 1, static_cast<int>(filters.size())) - 1;
    dialog->selectNameFilter(filters.at(index));
  }
  const QString folder = request.InitialDir.isEmpty()
                             ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                             : request.InitialDir;
  dialog->setDirectory(folder);
  if (!request.DefaultExt.isEmpty()) dialog->setDefaultSuffix(request.DefaultExt);
  if (!request.FileName.isEmpty()) dialog->selectFile(request.FileName);
  return dialog;
}

std::unique_ptr<QMessageBox> MakeMessageBox(const QString& text, const QString& caption, int flags) {
  auto box = std::make_unique<QMessageBox>(MessageIcon(flags), caption.isEmpty() ? kProgramTitle : caption, QString(),
                                           QMessageBox::NoButton, QApplication::activeWindow());
  // Names, labels and paths in a message are shown as they are, never read as markup.
  box->setTextFormat(Qt::PlainText);
  box->setText(CutForShowing(text, kShownTextLength));
  // A path or an error in a message can be copied from it.
  box->setTextInteractionFlags(Qt::TextSelectableByMouse);
  FitCaption(*box);
  return box;
}

std::unique_ptr<QInputDialog> MakeInputDialog(const QString& caption, const QString& prompt, const QString& value) {
  auto dialog = std::make_unique<QInputDialog>(QApplication::activeWindow());
  dialog->setWindowTitle(caption);
  dialog->setLabelText(CutForShowing(prompt, kShownTextLength));
  // The prompt is shown as it is, never read as markup.
  for (QLabel* label : dialog->findChildren<QLabel*>()) label->setTextFormat(Qt::PlainText);
  dialog->setTextValue(value);
  dialog->setOkButtonText(QStringLiteral("确定"));
  dialog->setCancelButtonText(QStringLiteral("取消"));
  return dialog;
}

int QuestionAnswerForBit(int bit) {
  switch (bit) {
  case 1: return IDYES;
  case 2: return IDNO;
  case 4: return IDYESTOALL;
  case 8: return IDNOTOALL;
  default: return IDCANCEL;
  }
}

QStringList ConvertFileFilter(const QString& filter) {
  QStringList result;
  const QStringList parts = filter.split(QLatin1Char('|'));
  static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns;
    for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      const QString pattern = p.trimmed();
      if (pattern.isEmpty()) continue;
      patterns << (pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
    }
    if (patterns.isEmpty()) continue;
    // The description may show its patterns itself; Qt reads them from the last brackets.
    QString description = parts[i].trimmed();
    description.remove(trailingPatterns);
    if (description.isEmpty()) description = patterns.join(QLatin1Char(' '));
    result << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return result;
}

void InstallDesktopHooks() {
  Hooks hooks;
  hooks.MessageBox = DesktopMessageBox;
  hooks.Question = DesktopQuestion;
  hooks.InputBox = DesktopInputBox;
  hooks.OpenFileDialog = [](const FileDialogRequest& r) { return RunFileDialog(r, false); };
  hooks.SaveFileDialog = [](const FileDialogRequest& r) { return RunFileDialog(r, true); };
  hooks.OpenWithDefault = DesktopOpenWithDefault;
  hooks.ChooseColor = DesktopChooseColor;
  hooks.Beep = [] { QApplication::beep(); };
  hooks.Now = [] { return QDateTime::currentDateTime(); };
  InstallHooks(std::move(hooks));
}

} // namespace fw
