#include "platform/db/JetSql.h"

#include "platform/db/DbError.h"

#include <QRegularExpression>
#include <optional>

namespace fw {

namespace {

bool IsWordStart(QChar c) { return c.isLetter() || c == QLatin1Char('_') || c.unicode() > 127; }
bool IsWordChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$') || c.unicode() > 127; }

bool WordIs(const TJetToken& t, const char* word) {
  return t.Kind == TJetTokenKind::Word && t.Text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}
bool OpIs(const TJetToken& t, const char* op) {
  return (t.Kind == TJetTokenKind::Op || t.Kind == TJetTokenKind::Punct) && t.Text == QLatin1String(op);
}
bool IsComparison(const TJetToken& t) {
  if (t.Kind != TJetTokenKind::Op) return false;
  static const QStringList ops = {"=", "==", "<>", "!=", "<", ">", "<=", ">="};
  return ops.contains(t.Text);
}

using Tokens = std::vector<TJetToken>;

// Index of the next token at or after i that is not blank; end when none.
size_t NextSig(const Tokens& t, size_t i, size_t end) {
  while (i < end && t[i].Kind == TJetTokenKind::Space) ++i;
  return i;
}
// Index of the previous non-blank token before i, or npos.
size_t PrevSig(const Tokens& t, size_t i) {
  while (i > 0) {
    --i;
    if (t[i].Kind != TJetTokenKind::Space) return i;
  }
  return std::string::npos;
}

QString BracketName(const TJetToken& t) { return t.Text.mid(1, t.Text.size() - 2); }

bool IsCrossFileBracket(const TJetToken& t) {
  return t.Kind == TJetTokenKind::Bracket && BracketName(t).trimmed().startsWith(QLatin1Char(';'));
}

QString StringValue(const TJetToken& t) {
  QString inner = t.Text.mid(1, t.Text.size() - 2);
  inner.replace(QLatin1String("''"), QLatin1String("'"));
  return inner;
}

// "[;DATABASE=<file>;PWD=<pw>;]" -> file reference.
TJetFileRef ParseCrossFile(const TJetToken& t) {
  TJetFileRef ref;
  const QStringList parts = BracketName(t).split(QLatin1Char(';'));
  for (const QString& part : parts) {
    const int eq = part.indexOf(QLatin1Char('='));
    if (eq < 0) continue;
    const QString key = part.left(eq).trimmed().toUpper();
    const QString value = part.mid(eq + 1);
    if (key == QLatin1String("DATABASE")) ref.File = value.trimmed();
    else if (key == QLatin1String("PWD")) {
      ref.Password = value;
      ref.HasPassword = true;
    }
  }
  if (ref.File.isEmpty()) throw EDatabaseError(QStringLiteral("Invalid database reference %1").arg(t.Text));
  return ref;
}

QString Resolve(const TJetAliasResolver& resolver, const TJetFileRef& ref) {
  if (!resolver) throw EDatabaseError(QStringLiteral("Another database file cannot be used here: %1").arg(ref.File));
  return resolver(ref);
}

// Table name token as SQLite text.
QString TableText(const TJetToken& t) {
  return t.Kind == TJetTokenKind::Bracket ? QuoteIdent(BracketName(t)) : t.Text;
}

// ---------------------------------------------------------------------------------
// Token rewriter for whole statements.

QString RewriteTokens(const Tokens& t, size_t begin, size_t end, const TJetAliasResolver& resolver) {
  QString out;
  int depth = 0;
  bool inSet = false;  // "UPDATE t SET a = ..." assigns: its "=" is no comparison
  for (size_t i = begin; i < end; ++i) {
    const TJetToken& tok = t[i];
    if (OpIs(tok, "(")) ++depth;
    else if (OpIs(tok, ")")) --depth;
    else if (WordIs(tok, "set")) inSet = true;
    else if (WordIs(tok, "where") || WordIs(tok, "from")) inSet = false;
    const bool assignment = inSet && depth == 0;
    const size_t next = NextSig(t, i + 1, end);
    const size_t prev = PrevSig(t, i);
    const bool prevIsDot = prev != std::string::npos && prev >= begin && OpIs(t[prev], ".");
    switch (tok.Kind) {
    case TJetTokenKind::Word:
    case TJetTokenKind::Bracket: {
      // "<table> in '<file>'": a table of another, plain, file.
      if (next < end && WordIs(t[next], "in")) {
        const size_t file = NextSig(t, next + 1, end);
        if (file < end && t[file].Kind == TJetTokenKind::String) {
          TJetFileRef ref;
          ref.File = StringValue(t[file]);
          out += Resolve(resolver, ref) + QLatin1Char('.') + TableText(tok);
          i = file;
          break;
        }
      }
      if (IsCrossFileBracket(tok)) {
        out += Resolve(resolver, ParseCrossFile(tok));
        break;
      }
      if (tok.Kind == TJetTokenKind::Bracket) {
        out += QuoteIdent(BracketName(tok));
        break;
      }
      const bool isCall = next < end && OpIs(t[next], "(");
      if (!prevIsDot && !isCall && (WordIs(tok, "true") || WordIs(tok, "false"))) {
        out += WordIs(tok, "true") ? QStringLiteral("-1") : QStringLiteral("0");
      } else if (WordIs(tok, "mod")) {
        out += QStringLiteral("%");
      } else {
        out += tok.Text;
      }
      break;
    }
    case TJetTokenKind::Op: {
      // "x = true" also matches a store that keeps 1 for true: compare with zero.
      if (!assignment && (tok.Text == QLatin1String("=") || tok.Text == QLatin1String("<>") || tok.Text == QLatin1String("!=")) &&
          next < end && (WordIs(t[next], "true") || WordIs(t[next], "false"))) {
        const size_t after = NextSig(t, next + 1, end);
        if (!(after < end && OpIs(t[after], "("))) {
          const bool equal = tok.Text == QLatin1String("=");
          const bool isTrue = WordIs(t[next], "true");
          out += (equal == isTrue) ? QStringLiteral("<> 0") : QStringLiteral("= 0");
          i = next;
          break;
        }
      }
      // Jet has no "--" comments: "5--3" is five minus minus three.
      if (tok.Text == QLatin1String("-") && out.endsWith(QLatin1Char('-'))) out += QLatin1Char(' ');
      if (tok.Text == QLatin1String("&")) out += QStringLiteral("||");
      else if (tok.Text == QLatin1String("/")) out += QStringLiteral("*1.0/");
      else if (tok.Text == QLatin1String("\\")) out += QStringLiteral("/");
      else out += tok.Text;
      break;
    }
    case TJetTokenKind::String: {
      out += tok.Text;
      // Jet compares text without regard to case.
      const bool nearComparison = !assignment && ((prev != std::string::npos && prev >= begin && IsComparison(t[prev])) ||
                                                  (next < end && IsComparison(t[next])));
      if (nearComparison) out += QStringLiteral(" COLLATE NOCASE");
      break;
    }
    default:
      out += tok.Text;
    }
  }
  return out;
}

// ---------------------------------------------------------------------------------
// Expression parser with Jet's precedence, for SELECTs without a table.

class ExprParser {
public:
  ExprParser(const Tokens& t, size_t begin, size_t end) : t_(t), i_(begin), end_(end) {}

  std::optional<QString> ParseAll() {
    auto e = Parse(0);
    Skip();
    if (!e || i_ != end_) return std::nullopt;
    return e;
  }

private:
  enum Prec { PImp = 1, PEqv, PXor, POr, PAnd, PNot, PCmp, PConcat, PAdd, PMod, PIdiv, PMul, PNeg, PPow };

  const Tokens& t_;
  size_t i_;
  size_t end_;

  void Skip() { i_ = NextSig(t_, i_, end_); }
  const TJetToken* Peek() {
    Skip();
    return i_ < end_ ? &t_[i_] : nullptr;
  }
  const TJetToken* PeekAt(size_t k) {
    size_t j = NextSig(t_, i_, end_);
    for (size_t n = 0; n < k && j < end_; ++n) j = NextSig(t_, j + 1, end_);
    return j < end_ ? &t_[j] : nullptr;
  }
  void Take() {
    Skip();
    ++i_;
  }

  // Binary operator at the cursor: its precedence and a canonical name, or 0.
  int InfixPrec(QString* name) {
    const TJetToken* tok = Peek();
    if (!tok) return 0;
    if (tok->Kind == TJetTokenKind::Op) {
      const QString& s = tok->Text;
      *name = s;
      if (s == "^") return PPow;
      if (s == "*" || s == "/") return PMul;
      if (s == "\\") return PIdiv;
      if (s == "+" || s == "-") return PAdd;
      if (s == "&") return PConcat;
      if (IsComparison(*tok)) return PCmp;
      return 0;
    }
    if (tok->Kind != TJetTokenKind::Word) return 0;
    const QString w = tok->Text.toLower();
    *name = w;
    if (w == "mod") return PMod;
    if (w == "like" || w == "is" || w == "between" || w == "in") return PCmp;
    if (w == "not") {
      const TJetToken* after = PeekAt(1);
      if (after && (WordIs(*after, "like") || WordIs(*after, "between") || WordIs(*after, "in"))) return PCmp;
      return 0;
    }
    if (w == "and") return PAnd;
    if (w == "or") return POr;
    if (w == "xor") return PXor;
    return 0;
  }

  static QString Bool(const QString& cond) { return QStringLiteral("(-(%1))").arg(cond); }

  std::optional<QString> Parse(int minPrec) {
    auto left = Prefix();
    if (!left) return std::nullopt;
    for (;;) {
      QString op;
      const int prec = InfixPrec(&op);
      if (prec == 0 || prec < minPrec) break;
      Take();
      if (prec == PCmp) {
        auto r = Comparison(*left, op);
        if (!r) return std::nullopt;
        left = r;
        continue;
      }
      auto right = Parse(prec + 1);
      if (!right) return std::nullopt;
      const QString& a = *left;
      const QString& b = *right;
      if (op == "^") left = QStringLiteral("jetpow(%1, %2)").arg(a, b);
      else if (op == "*") left = QStringLiteral("((%1) * (%2))").arg(a, b);
      else if (op == "/") left = QStringLiteral("jetdiv(%1, %2)").arg(a, b);
      else if (op == "\\") left = QStringLiteral("jetidiv(%1, %2)").arg(a, b);
      else if (op == "mod") left = QStringLiteral("jetmod(%1, %2)").arg(a, b);
      else if (op == "+" || op == "-") left = QStringLiteral("((%1) %2 (%3))").arg(a, op, b);
      else if (op == "&") left = QStringLiteral("(ifnull(%1, '') || ifnull(%2, ''))").arg(a, b);
      else if (op == "and") left = Bool(QStringLiteral("(%1) AND (%2)").arg(a, b));
      else if (op == "or") left = Bool(QStringLiteral("(%1) OR (%2)").arg(a, b));
      else if (op == "xor") left = Bool(QStringLiteral("((%1) <> 0) <> ((%2) <> 0)").arg(a, b));
      else return std::nullopt;
    }
    return left;
  }

  std::optional<QString> Comparison(const QString& left, const QString& op) {
    if (op == "is") {
      bool negate = false;
      if (Peek() && WordIs(*Peek(), "not")) {
        Take();
        negate = true;
      }
      if (!Peek() || !WordIs(*Peek(), "null")) return std::nullopt;
      Take();
      return Bool(QStringLiteral("(%1) IS %2NULL").arg(left, negate ? QStringLiteral("NOT ") : QString()));
    }
    QString word = op;
    QString notText;
    if (op == "not") {
      notText = QStringLiteral("NOT ");
      word = Peek()->Text.toLower();
      Take();
    }
    if (word == "like") {
      auto r = Parse(PCmp + 1);
      if (!r) return std::nullopt;
      return Bool(QStringLiteral("(%1) %2LIKE (%3)").arg(left, notText, *r));
    }
    if (word == "between") {
      auto low = Parse(PCmp + 1);
      if (!low || !Peek() || !WordIs(*Peek(), "and")) return std::nullopt;
      Take();
      auto high = Parse(PCmp + 1);
      if (!high) return std::nullopt;
      return Bool(QStringLiteral("(%1) %2BETWEEN (%3) AND (%4)").arg(left, notText, *low, *high));
    }
    if (word == "in") {
      if (!Peek() || !OpIs(*Peek(), "(")) return std::nullopt;
      Take();
      QStringList items;
      for (;;) {
        auto item = Parse(0);
        if (!item) return std::nullopt;
        items << *item;
        if (Peek() && OpIs(*Peek(), ",")) {
          Take();
          continue;
        }
        break;
      }
      if (!Peek() || !OpIs(*Peek(), ")")) return std::nullopt;
      Take();
      return Bool(QStringLiteral("(%1) %2IN (%3)").arg(left, notText, items.join(QStringLiteral(", "))));
    }
    auto right = Parse(PCmp + 1);
    if (!right) return std::nullopt;
    QString sqlOp = op == "==" ? QStringLiteral("=") : op;
    return Bool(QStringLiteral("(%1) %2 (%3) COLLATE NOCASE").arg(left, sqlOp, *right));
  }

  std::optional<QString> Prefix() {
    const TJetToken* tok = Peek();
    if (!tok) return std::nullopt;
    switch (tok->Kind) {
    case TJetTokenKind::Number:
    case TJetTokenKind::String:
    case TJetTokenKind::Param: {
      QString text = tok->Text;
      Take();
      return text;
    }
    case TJetTokenKind::Bracket: {
      if (IsCrossFileBracket(*tok)) return std::nullopt;
      QString text = QuoteIdent(BracketName(*tok));
      Take();
      return text;
    }
    case TJetTokenKind::Op:
    case TJetTokenKind::Punct: {
      if (tok->Text == "-" || tok->Text == "+") {
        const bool minus = tok->Text == "-";
        Take();
        auto e = Parse(PPow);
        if (!e) return std::nullopt;
        return minus ? QStringLiteral("(-(%1))").arg(*e) : *e;
      }
      if (tok->Text == "(") {
        Take();
        auto e = Parse(0);
        if (!e || !Peek() || !OpIs(*Peek(), ")")) return std::nullopt;
        Take();
        return QStringLiteral("(%1)").arg(*e);
      }
      return std::nullopt;
    }
    case TJetTokenKind::Word:
      return WordPrefix();
    default:
      return std::nullopt;
    }
  }

  std::optional<QString> WordPrefix() {
    const QString word = Peek()->Text;
    const QString lower = word.toLower();
    Take();
    if (lower == "not") {
      auto e = Parse(PCmp);
      if (!e) return std::nullopt;
      return Bool(QStringLiteral("NOT (%1)").arg(*e));
    }
    const TJetToken* next = Peek();
    if (next && OpIs(*next, "(")) return Call(lower, word);
    if (lower == "true") return QStringLiteral("-1");
    if (lower == "false") return QStringLiteral("0");
    if (lower == "null") return QStringLiteral("NULL");
    static const QStringList reserved = {"select", "from", "where", "and", "or", "as", "mod", "like", "is", "in", "between", "xor"};
    if (reserved.contains(lower)) return std::nullopt;
    QString text = word;
    while (Peek() && OpIs(*Peek(), ".")) {
      Take();
      const TJetToken* part = Peek();
      if (!part || (part->Kind != TJetTokenKind::Word && part->Kind != TJetTokenKind::Bracket)) return std::nullopt;
      text += QLatin1Char('.') + TableText(*part);
      Take();
    }
    return text;
  }

  std::optional<QString> Call(const QString& lower, const QString& name) {
    Take();  // "("
    QStringList args;
    if (Peek() && OpIs(*Peek(), ")")) {
      Take();
    } else {
      for (;;) {
        if (Peek() && OpIs(*Peek(), "*") && lower == "count") {
          Take();
          args << QStringLiteral("*");
        } else {
          auto a = Parse(0);
          if (!a) return std::nullopt;
          args << *a;
        }
        if (Peek() && OpIs(*Peek(), ",")) {
          Take();
          continue;
        }
        if (!Peek() || !OpIs(*Peek(), ")")) return std::nullopt;
        Take();
        break;
      }
    }
    if (lower == "iif") {
      if (args.size() != 3) return std::nullopt;
      return QStringLiteral("(CASE WHEN (%1) THEN (%2) ELSE (%3) END)").arg(args[0], args[1], args[2]);
    }
    return name + QLatin1Char('(') + args.join(QStringLiteral(", ")) + QLatin1Char(')');
  }
};

// Index of the first top-level word `word` in [begin, end), or end.
size_t FindTopLevelWord(const Tokens& t, size_t begin, size_t end, const char* word) {
  int depth = 0;
  for (size_t i = begin; i < end; ++i) {
    if (OpIs(t[i], "(")) ++depth;
    else if (OpIs(t[i], ")")) --depth;
    else if (depth == 0 && WordIs(t[i], word)) return i;
  }
  return end;
}

// "select <expr> [as name], ..." without FROM: each item through the expression parser.
QString RewriteTablelessSelect(const Tokens& t, size_t selectAt, size_t end, const TJetAliasResolver& resolver) {
  QString out = RewriteTokens(t, 0, selectAt + 1, resolver) + QLatin1Char(' ');
  size_t itemStart = selectAt + 1;
  int depth = 0;
  QStringList items;
  auto flush = [&](size_t itemEnd) {
    size_t exprEnd = itemEnd;
    QString alias;
    // A trailing "as <name>" names the column.
    size_t last = PrevSig(t, itemEnd);
    if (last != std::string::npos && last > itemStart) {
      size_t asAt = PrevSig(t, last);
      if (asAt != std::string::npos && asAt >= itemStart && WordIs(t[asAt], "as") &&
          (t[last].Kind == TJetTokenKind::Word || t[last].Kind == TJetTokenKind::Bracket)) {
        alias = TableText(t[last]);
        exprEnd = asAt;
      }
    }
    ExprParser parser(t, itemStart, exprEnd);
    auto expr = parser.ParseAll();
    QString text = expr ? *expr : RewriteTokens(t, itemStart, exprEnd, resolver).trimmed();
    if (!alias.isEmpty()) text += QStringLiteral(" AS ") + alias;
    items << text;
  };
  for (size_t i = selectAt + 1; i < end; ++i) {
    if (OpIs(t[i], "(")) ++depth;
    else if (OpIs(t[i], ")")) --depth;
    else if (depth == 0 && OpIs(t[i], ",")) {
      flush(i);
      itemStart = i + 1;
    }
  }
  flush(end);
  return out + items.join(QStringLiteral(", "));
}

std::optional<TJetStatement> TryAlterPassword(const QString& sql) {
  static const QRegularExpression re(
      QStringLiteral(R"(^\s*ALTER\s+DATABASE\s+PASSWORD\s+(null|\[[^\]]*\]|[^\s\[\];]+)\s+(null|\[[^\]]*\]|[^\s\[\];]+)\s*;?\s*$)"),
      QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression head(QStringLiteral(R"(^\s*ALTER\s+DATABASE\s+PASSWORD\b)"),
                                       QRegularExpression::CaseInsensitiveOption);
  if (!head.match(sql).hasMatch()) return std::nullopt;
  const auto m = re.match(sql);
  if (!m.hasMatch()) throw EDatabaseError(QStringLiteral("Syntax error in ALTER DATABASE PASSWORD statement."));
  auto value = [](const QString& text, bool* isNull) {
    *isNull = text.compare(QLatin1String("null"), Qt::CaseInsensitive) == 0;
    if (*isNull) return QString();
    if (text.startsWith(QLatin1Char('['))) return text.mid(1, text.size() - 2);
    return text;
  };
  TJetStatement st;
  st.StatementKind = TJetStatement::Kind::AlterPassword;
  st.NewPassword = value(m.captured(1), &st.NewIsNull);
  st.OldPassword = value(m.captured(2), &st.OldIsNull);
  return st;
}

// "SELECT <list> INTO <t> [IN '<file>'] FROM <rest>"
std::optional<TJetStatement> TrySelectInto(const Tokens& t, size_t selectAt, size_t end, const TJetAliasResolver& resolver) {
  const size_t into = FindTopLevelWord(t, selectAt + 1, end, "into");
  if (into == end) return std::nullopt;
  const size_t from = FindTopLevelWord(t, into + 1, end, "from");
  if (from == end) return std::nullopt;
  TJetStatement st;
  st.StatementKind = TJetStatement::Kind::SelectInto;
  const size_t target = NextSig(t, into + 1, from);
  if (target >= from || (t[target].Kind != TJetTokenKind::Word && t[target].Kind != TJetTokenKind::Bracket))
    throw EDatabaseError(QStringLiteral("Syntax error in SELECT INTO statement."));
  st.IntoTable = t[target].Kind == TJetTokenKind::Bracket ? BracketName(t[target]) : t[target].Text;
  const size_t inWord = NextSig(t, target + 1, from);
  if (inWord < from && WordIs(t[inWord], "in")) {
    const size_t file = NextSig(t, inWord + 1, from);
    if (file >= from || t[file].Kind != TJetTokenKind::String)
      throw EDatabaseError(QStringLiteral("Syntax error in SELECT INTO statement."));
    TJetFileRef ref;
    ref.File = StringValue(t[file]);
    st.IntoSchema = Resolve(resolver, ref);
  }
  st.SelectList = RewriteTokens(t, selectAt + 1, into, resolver).trimmed();
  size_t restEnd = end;
  while (restEnd > from && (t[restEnd - 1].Kind == TJetTokenKind::Space || OpIs(t[restEnd - 1], ";"))) --restEnd;
  st.FromClause = RewriteTokens(t, from + 1, restEnd, resolver).trimmed();

  // A lone table after FROM lets the connection copy its definition.
  size_t a = NextSig(t, from + 1, restEnd);
  if (a < restEnd) {
    if (IsCrossFileBracket(t[a])) {
      const size_t dot = NextSig(t, a + 1, restEnd);
      const size_t name = dot < restEnd ? NextSig(t, dot + 1, restEnd) : restEnd;
      if (dot < restEnd && OpIs(t[dot], ".") && name < restEnd && NextSig(t, name + 1, restEnd) == restEnd &&
          (t[name].Kind == TJetTokenKind::Word || t[name].Kind == TJetTokenKind::Bracket)) {
        st.SourceSchema = Resolve(resolver, ParseCrossFile(t[a]));
        st.SourceTable = t[name].Kind == TJetTokenKind::Bracket ? BracketName(t[name]) : t[name].Text;
      }
    } else if (t[a].Kind == TJetTokenKind::Word || t[a].Kind == TJetTokenKind::Bracket) {
      const QString name = t[a].Kind == TJetTokenKind::Bracket ? BracketName(t[a]) : t[a].Text;
      const size_t b = NextSig(t, a + 1, restEnd);
      if (b == restEnd) {
        st.SourceTable = name;
      } else if (OpIs(t[b], ".")) {
        // "<schema>.<table>": a table of a file the connection has attached.
        const size_t c = NextSig(t, b + 1, restEnd);
        if (c < restEnd && NextSig(t, c + 1, restEnd) == restEnd &&
            (t[c].Kind == TJetTokenKind::Word || t[c].Kind == TJetTokenKind::Bracket)) {
          st.SourceSchema = name;
          st.SourceTable = t[c].Kind == TJetTokenKind::Bracket ? BracketName(t[c]) : t[c].Text;
        }
      } else if (WordIs(t[b], "in")) {
        const size_t file = NextSig(t, b + 1, restEnd);
        if (file < restEnd && t[file].Kind == TJetTokenKind::String && NextSig(t, file + 1, restEnd) == restEnd) {
          TJetFileRef ref;
          ref.File = StringValue(t[file]);
          st.SourceSchema = Resolve(resolver, ref);
          st.SourceTable = name;
        }
      }
    }
  }
  return st;
}

} // namespace

QString QuoteIdent(const QString& name) {
  QString inner = name;
  inner.replace(QLatin1String("\""), QLatin1String("\"\""));
  return QLatin1Char('"') + inner + QLatin1Char('"');
}

QString UnquoteIdent(const QString& name) {
  if (name.size() >= 2 && (name.startsWith(QLatin1Char('"')) || name.startsWith(QLatin1Char('[')) ||
                           name.startsWith(QLatin1Char('`')))) {
    QString inner = name.mid(1, name.size() - 2);
    inner.replace(QLatin1String("\"\""), QLatin1String("\""));
    return inner;
  }
  return name;
}

bool IsJetWord(const TJetToken& token, const char* word) {
  return token.Kind == TJetTokenKind::Word && token.Text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

std::vector<TJetToken> TokenizeJet(const QString& sql) {
  std::vector<TJetToken> out;
  const int n = sql.size();
  int i = 0;
  auto push = [&](TJetTokenKind kind, int from, int to) { out.push_back({kind, sql.mid(from, to - from)}); };
  while (i < n) {
    const QChar c = sql[i];
    const int start = i;
    if (c.isSpace()) {
      while (i < n && sql[i].isSpace()) ++i;
      push(TJetTokenKind::Space, start, i);
    } else if (c == '/' && i + 1 < n && sql[i + 1] == '*') {
      const int close = sql.indexOf(QLatin1String("*/"), i + 2);
      i = close < 0 ? n : close + 2;
      push(TJetTokenKind::Space, start, i);
    } else if (c == '\'' || c == '"') {
      ++i;
      while (i < n) {
        if (sql[i] == c) {
          if (i + 1 < n && sql[i + 1] == c) {
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        ++i;
      }
      push(c == '\'' ? TJetTokenKind::String : TJetTokenKind::Quoted, start, i);
    } else if (c == '[') {
      const int close = sql.indexOf(QLatin1Char(']'), i + 1);
      i = close < 0 ? n : close + 1;
      push(TJetTokenKind::Bracket, start, i);
    } else if (c.isDigit() || (c == '.' && i + 1 < n && sql[i + 1].isDigit())) {
      while (i < n && (sql[i].isDigit() || sql[i] == '.')) ++i;
      if (i < n && (sql[i] == 'e' || sql[i] == 'E')) {
        int j = i + 1;
        if (j < n && (sql[j] == '+' || sql[j] == '-')) ++j;
        if (j < n && sql[j].isDigit()) {
          i = j;
          while (i < n && sql[i].isDigit()) ++i;
        }
      }
      push(TJetTokenKind::Number, start, i);
    } else if (IsWordStart(c)) {
      while (i < n && IsWordChar(sql[i])) ++i;
      push(TJetTokenKind::Word, start, i);
    } else if ((c == ':' || c == '@') && i + 1 < n && IsWordStart(sql[i + 1])) {
      ++i;
      while (i < n && IsWordChar(sql[i])) ++i;
      push(TJetTokenKind::Param, start, i);
    } else if (c == '?') {
      ++i;
      push(TJetTokenKind::Param, start, i);
    } else if (c == '(' || c == ')' || c == ',' || c == '.' || c == ';') {
      ++i;
      push(TJetTokenKind::Punct, start, i);
    } else {
      static const QStringList twoChar = {"<=", ">=", "<>", "!=", "==", "||", "<<", ">>"};
      if (i + 1 < n && twoChar.contains(sql.mid(i, 2))) i += 2;
      else ++i;
      push(TJetTokenKind::Op, start, i);
    }
  }
  return out;
}

TJetStatement TranslateJetStatement(const QString& sql, const TJetAliasResolver& resolver) {
  if (auto alter = TryAlterPassword(sql)) return *alter;
  const Tokens t = TokenizeJet(sql);
  const size_t end = t.size();
  const size_t first = NextSig(t, 0, end);
  if (first < end && WordIs(t[first], "select")) {
    if (auto into = TrySelectInto(t, first, end, resolver)) return *into;
    if (FindTopLevelWord(t, first + 1, end, "from") == end) {
      size_t itemsEnd = end;
      while (itemsEnd > first + 1 && (t[itemsEnd - 1].Kind == TJetTokenKind::Space || OpIs(t[itemsEnd - 1], ";")))
        --itemsEnd;
      TJetStatement st;
      st.Sql = RewriteTablelessSelect(t, first, itemsEnd, resolver);
      return st;
    }
  }
  TJetStatement st;
  st.Sql = RewriteTokens(t, 0, end, resolver);
  return st;
}

QString TranslateJetSql(const QString& sql, const TJetAliasResolver& resolver) {
  const TJetStatement st = TranslateJetStatement(sql, resolver);
  return st.StatementKind == TJetStatement::Kind::Plain ? st.Sql : sql;
}

std::optional<TJetCrossFileInsert> MatchCrossFileInsert(const QString& sql) {
  const Tokens t = TokenizeJet(sql);
  const size_t end = t.size();
  size_t i = NextSig(t, 0, end);
  if (i >= end || !WordIs(t[i], "insert")) return std::nullopt;
  i = NextSig(t, i + 1, end);
  if (i >= end || !WordIs(t[i], "into")) return std::nullopt;
  const size_t select = FindTopLevelWord(t, i + 1, end, "select");
  if (select == end) return std::nullopt;
  int selects = 0, files = 0;
  for (size_t k = 0; k < end; ++k) {
    if (WordIs(t[k], "select")) ++selects;
    if (IsCrossFileBracket(t[k])) ++files;
    if (WordIs(t[k], "in")) {
      const size_t file = NextSig(t, k + 1, end);
      if (file < end && t[file].Kind == TJetTokenKind::String) ++files;
    }
  }
  if (selects != 1 || files != 1) return std::nullopt;
  const size_t from = FindTopLevelWord(t, select + 1, end, "from");
  if (from == end) return std::nullopt;
  // The one table after FROM must be the other file's; joins and lists are not taken.
  const size_t a = NextSig(t, from + 1, end);
  if (a >= end) return std::nullopt;
  size_t after = end;
  if (IsCrossFileBracket(t[a])) {
    const size_t dot = NextSig(t, a + 1, end);
    const size_t name = dot < end ? NextSig(t, dot + 1, end) : end;
    if (dot >= end || !OpIs(t[dot], ".") || name >= end) return std::nullopt;
    after = NextSig(t, name + 1, end);
  } else if (t[a].Kind == TJetTokenKind::Word || t[a].Kind == TJetTokenKind::Bracket) {
    const size_t in = NextSig(t, a + 1, end);
    const size_t file = in < end ? NextSig(t, in + 1, end) : end;
    if (in >= end || !WordIs(t[in], "in") || file >= end || t[file].Kind != TJetTokenKind::String) return std::nullopt;
    after = NextSig(t, file + 1, end);
  } else {
    return std::nullopt;
  }
  if (after < end && !(WordIs(t[after], "where") || WordIs(t[after], "order") || OpIs(t[after], ";")))
    return std::nullopt;

  TJetCrossFileInsert result;
  auto capture = [&result](const TJetFileRef& ref) {
    result.File = ref;
    return QStringLiteral("main");
  };
  result.InsertHead = RewriteTokens(t, 0, select, {}).trimmed();
  size_t sourceEnd = end;
  while (sourceEnd > select && (t[sourceEnd - 1].Kind == TJetTokenKind::Space || OpIs(t[sourceEnd - 1], ";"))) --sourceEnd;
  result.SourceSql = RewriteTokens(t, select, sourceEnd, capture);
  return result;
}

QStringList JetParameterNames(const QString& sql) {
  QStringList names;
  for (const TJetToken& tok : TokenizeJet(sql)) {
    if (tok.Kind != TJetTokenKind::Param || tok.Text.size() < 2) continue;
    const QString name = tok.Text.mid(1);
    bool known = false;
    for (const QString& n : names) known = known || n.compare(name, Qt::CaseInsensitive) == 0;
    if (!known) names << name;
  }
  return names;
}

std::vector<TSortKey> ParseSortList(const QString& sort) {
  std::vector<TSortKey> keys;
  for (QString part : sort.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
    part = part.trimmed();
    if (part.isEmpty()) continue;
    TSortKey key;
    QStringList words = part.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (words.size() > 1) {
      const QString dir = words.last().toUpper();
      if (dir == QLatin1String("DESC") || dir == QLatin1String("ASC")) {
        key.Descending = dir == QLatin1String("DESC");
        words.removeLast();
      }
    }
    key.Field = words.join(QLatin1Char(' '));
    if (key.Field.startsWith(QLatin1Char('[')) && key.Field.endsWith(QLatin1Char(']')))
      key.Field = key.Field.mid(1, key.Field.size() - 2);
    keys.push_back(key);
  }
  return keys;
}

} // namespace fw
