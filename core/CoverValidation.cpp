#include "core/CoverValidation.h"

#include "core/CodeLookup.h"
#include "core/Messages.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/DbError.h"
#include "platform/db/Field.h"
#include "platform/shell/Hooks.h"

#include <algorithm>
#include <limits>

namespace fw {

namespace {

const QString kUnitCode = QStringLiteral("c901");
const QString kUnitName = QStringLiteral("c902");
const QString kRegion = QStringLiteral("c903");
const QString kLevel = QStringLiteral("c904");
const QString kFiller = QStringLiteral("c905");
const QString kTelephone = QStringLiteral("c906");
const QString kFillState = QStringLiteral("c907");

bool AllDigits(const QString& text) {
  for (const QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  }
  return true;
}

// Shows the message, moves the focus and gives false, so that every test ends alike.
bool Fail(ICoverEditors& form, const QString& field, const QString& message) {
  ShowMessage(message);
  form.FocusField(field);
  return false;
}

// The number of dt_data rows with the code; -1 after a database error (already shown).
int CountRecordsWithCode(TADOQuery& query, qint64 code) {
  try {
    query.Close();
    query.SQL().Clear();
    query.SQL().Add(QStringLiteral("SELECT count(*) as TBLNUM FROM dt_data  WHERE c901=:Code"));
    query.ParamByName(QStringLiteral("Code")).SetValue(QVariant::fromValue<qint64>(code));
    query.Open();
    const int count = query.FieldByName(QStringLiteral("TBLNUM"))->AsInteger();
    query.Close();
    return count;
  } catch (const EDatabaseError& e) {
    query.Close();
    ShowRuntimeError(e.Message());
    return -1;
  }
}

QString RegionName(TADOQuery& query, qint64 code) {
  if (!query.Connection() || code < 0 || code > std::numeric_limits<int>::max()) return QString();
  return GetCityCombName(*query.Connection(), static_cast<int>(code));
}

int AsCode(qint64 value) {
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) return -1;
  return static_cast<int>(value);
}

} // namespace

bool IsValidUnitCode(const QString& text) {
  return text.size() == 12 && AllDigits(text) && text.toLongLong() >= kLowestUnitCode;
}

bool IsValidTelephone(const QString& text) {
  // The telephone's key filter lets only digits and "-" in, so the rule counts characters;
  // a text without a single digit is no number at all, however long.
  if (std::none_of(text.begin(), text.end(), [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }))
    return false;
  const qsizetype n = text.size();
  if (text.contains(QLatin1Char('-'))) return n >= 11 && n <= 13;
  return n == 7 || n == 8 || n == 11 || n == 12;
}

bool HasAsciiAlnum(const QString& text) {
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if ((u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z')) return true;
  }
  return false;
}

bool ValidateCoverData(ICoverEditors& form, TADOQuery& queryTool, const TCoverCheckState& state,
                       const TMenuItemDataArray& levelCodes, const TMenuItemDataArray& stateCodes) {
  // A numeric editor may carry blanks around the digits; the code is the digits.
  const QString code = form.FieldText(kUnitCode).trimmed();
  if (code.isEmpty()) return Fail(form, kUnitCode, QStringLiteral("必须输入工会统计编码"));
  if (!IsValidUnitCode(code))
    return Fail(form, kUnitCode, QStringLiteral("本级工会编码必须大于100000000000且必须为12位!"));

  const qint64 codeValue = code.toLongLong();
  const int count = CountRecordsWithCode(queryTool, codeValue);
  if (count < 0) {
    form.FocusField(kUnitCode);
    return false;
  }
  if (count > 0 && codeValue != state.LoadedCode) {
    const QString message = state.IsAddNew
                                ? QStringLiteral("在增加数据时，填写的本级工会编码为") + code +
                                      QStringLiteral("，该编码的数据已经存在，请改用其它编码。")
                                : QStringLiteral("在修改数据时，将本级工会编码改为") + code +
                                      QStringLiteral("，该编码的数据已经存在，请改用其它编码。");
    ShowMessage(message);
    form.CoverCodeTaken();
    form.FocusField(kUnitCode);
    return false;
  }

  if (form.FieldText(kUnitName).trimmed().isEmpty())
    return Fail(form, kUnitName, QStringLiteral("必须输入本级工会名称"));
  if (RegionName(queryTool, form.FieldIntValue(kRegion)).isEmpty())
    return Fail(form, kRegion, QStringLiteral("输入的行政区划代码错误，请重新输入，或用对话框选择"));
  if (GetCodeName(levelCodes, AsCode(form.FieldIntValue(kLevel))).isEmpty())
    return Fail(form, kLevel, QStringLiteral("输入的本级工会层次代码不合法，请重新输入或通过列表选择"));
  if (GetCodeName(stateCodes, AsCode(form.FieldIntValue(kFillState))).isEmpty())
    return Fail(form, kFillState,
                QStringLiteral("输入的基层以上工会本年度的填报状态代码不合法，请重新输入或通过列表选择"));

  const QString filler = form.FieldText(kFiller).trimmed();
  if (filler.isEmpty()) return Fail(form, kFiller, QStringLiteral("必须输入填表人"));
  if (HasAsciiAlnum(filler)) return Fail(form, kFiller, QStringLiteral("填表人必须为汉字"));

  const QString telephone = form.FieldText(kTelephone);
  if (telephone.trimmed().isEmpty()) return Fail(form, kTelephone, QStringLiteral("必须输入联系电话"));
  if (!IsValidTelephone(telephone))
    return Fail(form, kTelephone, QStringLiteral("联系电话必须是真实有效的7位、8位(可加区号)或11位!"));
  return true;
}

} // namespace fw
