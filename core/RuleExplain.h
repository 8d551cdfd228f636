#pragma once
// Turns the compact explanation of a logic rule ("z003[<=]z001") into words: field codes
// become their hints from DT_FieldList in brackets, bracketed operators become Chinese
// words ("[<=]" gives "不能大于"). The page rules and the batch check explain alike.

#include <QHash>
#include <QString>

namespace fw {

class TADOConnection;

// The letters that make a field code or a word of a rule's text: A-Z and a-z only, so
// that Chinese text is never taken for part of a name.
bool IsRuleLetter(QChar c);

class TRuleExplainer {
public:
  explicit TRuleExplainer(TADOConnection& connection);

  // The explanation in words. Codes the field list does not hold stay as written.
  QString ExplainToText(const QString& explain);

  // Words for one token, with or without its brackets: an operator ("<=", ">=", "=",
  // ">", "<") in words, a field code as "[" + hint + "]", anything else unchanged. The
  // field list is read on first need and kept; a database error is shown and leaves the
  // token unchanged.
  QString TranslateExplainToken(const QString& token);

private:
  bool LoadHints(const QString& token);

  TADOConnection& connection_;
  QHash<QString, QString> hints_;  // FieldName -> Hint, compared exactly
  bool hintsLoaded_ = false;
};

} // namespace fw
