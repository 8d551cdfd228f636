#include "windows/shared/InputQueryEx.h"

#include "core/CoverValidation.h"

#include "platform/ui/Application.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Button.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"

#include <memory>

namespace fw {

void GetAveCharSize(TCanvas& canvas, TPoint& size) {
  const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  size.X = canvas.TextWidth(letters) / 52;
  size.Y = canvas.TextHeight(letters);
}

bool HasAlnum(const QString& text) { return HasAsciiAlnum(text); }

namespace {
int MulDiv(int a, int b, int c) { return int((qint64(a) * b + c / 2) / c); }
} // namespace

bool InputQueryEx(const QString& caption, const QString& prompt, QString& value) {
  auto form = std::make_unique<TForm>(nullptr);
  if (Application && Application->MainForm()) form->SetFont(Application->MainForm()->Font());
  form->SetBorderStyle(TFormBorderStyle::bsDialog);
  form->SetCaption(caption);
  form->SetPosition(TPosition::poScreenCenter);

  // Dialog units: a quarter of the average character width, an eighth of its height.
  TBitmap measure(1, 1);
  measure.Canvas().Font().Assign(form->Font());
  TPoint units;
  GetAveCharSize(measure.Canvas(), units);
  const auto dx = [&](int n) { return MulDiv(n, units.X, 4); };
  const auto dy = [&](int n) { return MulDiv(n, units.Y, 8); };

  form->SetClientWidth(dx(180));
  auto* label = new TLabel(form.get());
  label->SetParent(form.get());
  label->SetWordWrap(true);
  label->SetBounds(dx(8), dy(8), dx(164), 0);
  label->SetCaption(prompt);

  auto* edit = new TEdit(form.get());
  edit->SetParent(form.get());
  edit->SetBounds(dx(8), label->Top() + label->Height() + 5, dx(164), edit->Height());
  edit->SetMaxLength(255);
  edit->SetText(value);
  edit->SelectAll();

  const int top = edit->Top() + edit->Height() + 15;
  auto* ok = new TButton(form.get());
  ok->SetParent(form.get());
  ok->SetCaption(QStringLiteral("确定"));
  ok->SetModalResult(mrOk);
  ok->SetDefault(true);
  ok->SetBounds(dx(38), top, dx(50), dy(14));
  auto* cancel = new TButton(form.get());
  cancel->SetParent(form.get());
  cancel->SetCaption(QStringLiteral("取消"));
  cancel->SetModalResult(mrCancel);
  cancel->SetCancel(true);
  cancel->SetBounds(dx(92), top, dx(50), dy(14));
  form->SetClientHeight(top + ok->Height() + 13);
  form->SetActiveControl(edit);

  form->AfterConstruction();
  if (form->ShowModal() != mrOk) return false;
  value = edit->Text();
  return true;
}

} // namespace fw
