#include "core/RuleExplain.h"

#include "platform/db/AdoQuery.h"
#include "platform/db/DbError.h"
#include "platform/db/Field.h"
#include "platform/shell/Hooks.h"

namespace fw {

namespace {

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// Characters that end a bracketed operator together with what came before them.
bool EndsBracketToken(QChar c) { return QStringView(u" ()*+-/").contains(c); }

QString OperatorWords(const QString& token) {
  if (token == QLatin1String("<=")) return QStringLiteral("不能大于");
  if (token == QLatin1String(">=")) return QStringLiteral("不能小于");
  if (token == QLatin1String("=")) return QStringLiteral("必须等于");
  if (token == QLatin1String(">")) return QStringLiteral("必须大于");
  if (token == QLatin1String("<")) return QStringLiteral("必须小于");
  return QString();
}

} // namespace

bool IsRuleLetter(QChar c) {
  return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

TRuleExplainer::TRuleExplainer(TADOConnection& connection) : connection_(connection) {}

QString TRuleExplainer::ExplainToText(const QString& explain) {
  enum State { Outside, InWord, InBrackets };
  State state = Outside;
  QString buffer;
  QString result;
  // Appends the translated buffer (and the character that ended it) and leaves the token.
  auto flush = [&](const QString& tail = QString()) {
    result += TranslateExplainToken(buffer) + tail;
    buffer.clear();
    state = Outside;
  };
  for (const QChar c : explain) {
    if (IsRuleLetter(c)) {
      buffer += c;
      state = InWord;
    } else if (c == QLatin1Char('[')) {
      if (state == InWord) {
        result += TranslateExplainToken(buffer);
        buffer.clear();
      }
      state = InBrackets;
    } else if (IsDigit(c)) {
      (state == Outside ? result : buffer) += c;
    } else if (state == InWord) {
      flush(c == QLatin1Char(']') ? QString() : QString(c));
    } else if (state == InBrackets) {
      if (c == QLatin1Char(']')) flush();
      else if (EndsBracketToken(c)) flush(QString(c));
      else buffer += c;
    } else {
      result += c;
    }
  }
  if (!buffer.isEmpty() && state != Outside) result += TranslateExplainToken(buffer);
  return result;
}

QString TRuleExplainer::TranslateExplainToken(const QString& token) {
  if (!LoadHints(token)) return token;
  QString key = token;
  if (key.startsWith(QLatin1Char('['))) key.remove(0, 1);
  if (key.endsWith(QLatin1Char(']'))) key.chop(1);
  const QString words = OperatorWords(key);
  if (!words.isEmpty()) return words;
  const auto hint = hints_.constFind(key);
  return hint == hints_.constEnd() ? token : QLatin1Char('[') + *hint + QLatin1Char(']');
}

bool TRuleExplainer::LoadHints(const QString& token) {
  if (hintsLoaded_) return true;
  try {
    TADOQuery query(&connection_);
    query.SetSQL(QStringLiteral("select * from DT_FieldList"));
    query.Open();
    TField* name = query.FieldByName(QStringLiteral("FieldName"));
    TField* hint = query.FieldByName(QStringLiteral("Hint"));
    QHash<QString, QString> hints;
    for (; !query.Eof(); query.Next()) hints.insert(name->AsString(), hint->AsString());
    hints_ = std::move(hints);
    hintsLoaded_ = true;
    return true;
  } catch (const EDatabaseError& e) {
    ShowMessage(QStringLiteral("运行中发生错误：") + e.Message() + QStringLiteral(",当前的Key为") + token);
    return false;
  }
}

} // namespace fw
