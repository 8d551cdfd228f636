#include "platform/db/RecordFilter.h"

#include "platform/db/DbError.h"
#include "platform/db/JetSql.h"

#include <vector>

namespace fw {

struct TRecordFilter::Node {
  enum Kind { And, Or, Not, Compare, Like, IsNull } kind;
  std::shared_ptr<Node> a, b;
  int column = -1;
  QString op;
  QVariant value;
  bool negate = false;
};

namespace {

using NodePtr = std::shared_ptr<TRecordFilter::Node>;
using Node = TRecordFilter::Node;

class FilterParser {
public:
  FilterParser(const QString& text, const std::function<int(const QString&)>& columnOf) : text_(text), columnOf_(columnOf) {
    for (const TJetToken& t : TokenizeJet(text))
      if (t.Kind != TJetTokenKind::Space) tokens_.push_back(t);
  }

  NodePtr Parse() {
    NodePtr n = Or();
    if (pos_ != tokens_.size()) Fail();
    return n;
  }

private:
  [[noreturn]] void Fail() const { throw EDatabaseError(QStringLiteral("Invalid filter: %1").arg(text_)); }
  const TJetToken* Peek() const { return pos_ < tokens_.size() ? &tokens_[pos_] : nullptr; }
  bool PeekWord(const char* w) const {
    const TJetToken* t = Peek();
    return t && t->Kind == TJetTokenKind::Word && t->Text.compare(QLatin1String(w), Qt::CaseInsensitive) == 0;
  }
  bool PeekText(const char* s) const { return Peek() && Peek()->Kind != TJetTokenKind::String && Peek()->Text == QLatin1String(s); }

  NodePtr Binary(Node::Kind kind, NodePtr a, NodePtr b) {
    auto n = std::make_shared<Node>();
    n->kind = kind;
    n->a = std::move(a);
    n->b = std::move(b);
    return n;
  }

  NodePtr Or() {
    NodePtr left = And();
    while (PeekWord("or")) {
      ++pos_;
      left = Binary(Node::Or, left, And());
    }
    return left;
  }
  NodePtr And() {
    NodePtr left = Unary();
    while (PeekWord("and")) {
      ++pos_;
      left = Binary(Node::And, left, Unary());
    }
    return left;
  }
  NodePtr Unary() {
    if (PeekWord("not")) {
      ++pos_;
      return Binary(Node::Not, Unary(), nullptr);
    }
    if (PeekText("(")) {
      ++pos_;
      NodePtr inner = Or();
      if (!PeekText(")")) Fail();
      ++pos_;
      return inner;
    }
    return Condition();
  }

  QVariant Literal() {
    const TJetToken* t = Peek();
    if (!t) Fail();
    bool negative = false;
    if (t->Kind == TJetTokenKind::Op && t->Text == QLatin1String("-")) {
      negative = true;
      ++pos_;
      t = Peek();
      if (!t || t->Kind != TJetTokenKind::Number) Fail();
    }
    ++pos_;
    switch (t->Kind) {
    case TJetTokenKind::Number: {
      bool ok = false;
      const qlonglong i = t->Text.toLongLong(&ok);
      if (ok) return negative ? -i : i;
      const double d = t->Text.toDouble(&ok);
      if (!ok) Fail();
      return negative ? -d : d;
    }
    case TJetTokenKind::String:
    case TJetTokenKind::Quoted: {
      QString inner = t->Text.mid(1, t->Text.size() - 2);
      const QString q = t->Text.left(1);
      inner.replace(q + q, q);
      return inner;
    }
    case TJetTokenKind::Word:
      if (t->Text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return -1;
      if (t->Text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return 0;
      if (t->Text.compare(QLatin1String("null"), Qt::CaseInsensitive) == 0) return QVariant();
      Fail();
    default:
      Fail();
    }
  }

  NodePtr Condition() {
    const TJetToken* t = Peek();
    if (!t || (t->Kind != TJetTokenKind::Word && t->Kind != TJetTokenKind::Bracket)) Fail();
    const QString name = t->Kind == TJetTokenKind::Bracket ? t->Text.mid(1, t->Text.size() - 2) : t->Text;
    const int column = columnOf_(name);
    if (column < 0) throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(name));
    ++pos_;
    auto n = std::make_shared<Node>();
    n->column = column;
    if (PeekWord("is")) {
      ++pos_;
      n->kind = Node::IsNull;
      if (PeekWord("not")) {
        ++pos_;
        n->negate = true;
      }
      if (!PeekWord("null")) Fail();
      ++pos_;
      return n;
    }
    if (PeekWord("not")) {
      ++pos_;
      n->negate = true;
      if (!PeekWord("like")) Fail();
    }
    if (PeekWord("like")) {
      ++pos_;
      n->kind = Node::Like;
      n->value = Literal();
      return n;
    }
    const TJetToken* op = Peek();
    static const QStringList ops = {"=", "<>", "!=", "<", ">", "<=", ">="};
    if (!op || op->Kind != TJetTokenKind::Op || !ops.contains(op->Text)) Fail();
    ++pos_;
    n->kind = Node::Compare;
    n->op = op->Text == QLatin1String("!=") ? QStringLiteral("<>") : op->Text;
    n->value = Literal();
    return n;
  }

  QString text_;
  std::function<int(const QString&)> columnOf_;
  std::vector<TJetToken> tokens_;
  size_t pos_ = 0;
};

bool Eval(const Node& n, const std::function<TCell(int)>& cellOf) {
  switch (n.kind) {
  case Node::And:
    return Eval(*n.a, cellOf) && Eval(*n.b, cellOf);
  case Node::Or:
    return Eval(*n.a, cellOf) || Eval(*n.b, cellOf);
  case Node::Not:
    return !Eval(*n.a, cellOf);
  case Node::IsNull:
    return (cellOf(n.column).Type == TCellType::Null) != n.negate;
  case Node::Like: {
    const TCell cell = cellOf(n.column);
    if (cell.Type == TCellType::Null) return false;
    return LikeMatch(cell.ToText(), n.value.toString()) != n.negate;
  }
  case Node::Compare: {
    const TCell cell = cellOf(n.column);
    if (cell.Type == TCellType::Null || !n.value.isValid()) return n.op == QLatin1String("<>") ? cell.Type != TCellType::Null || n.value.isValid() : false;
    bool comparable = false;
    const int c = CompareCellWithValue(cell, n.value, true, &comparable);
    if (!comparable) return n.op == QLatin1String("<>");
    if (n.op == QLatin1String("=")) return c == 0;
    if (n.op == QLatin1String("<>")) return c != 0;
    if (n.op == QLatin1String("<")) return c < 0;
    if (n.op == QLatin1String(">")) return c > 0;
    if (n.op == QLatin1String("<=")) return c <= 0;
    return c >= 0;
  }
  }
  return false;
}

bool LikeAt(const QString& s, int i, const QString& p, int j) {
  while (j < p.size()) {
    const QChar c = p[j];
    if (c == QLatin1Char('%') || c == QLatin1Char('*')) {
      for (int k = i; k <= s.size(); ++k)
        if (LikeAt(s, k, p, j + 1)) return true;
      return false;
    }
    if (i >= s.size()) return false;
    if (c != QLatin1Char('_') && c != QLatin1Char('?') && s[i].toCaseFolded() != c.toCaseFolded()) return false;
    ++i;
    ++j;
  }
  return i == s.size();
}

} // namespace

bool LikeMatch(const QString& text, const QString& pattern) { return LikeAt(text, 0, pattern, 0); }

int CompareCellWithValue(const TCell& cell, const QVariant& value, bool caseInsensitive, bool* comparable) {
  *comparable = true;
  if (cell.Type == TCellType::Null) {
    *comparable = !value.isValid() || value.isNull();
    return 0;
  }
  if (value.typeId() == QMetaType::Bool && cell.Type != TCellType::Text) {
    // Jet keeps true as -1; any nonzero number is true.
    const bool cellTrue = cell.Type == TCellType::Int ? cell.Int != 0 : cell.Float != 0;
    return cellTrue == value.toBool() ? 0 : (cellTrue ? 1 : -1);
  }
  const bool valueIsNumber = value.typeId() != QMetaType::QString && value.canConvert<double>();
  if (cell.Type != TCellType::Text) {
    bool ok = valueIsNumber;
    double v = ok ? value.toDouble() : value.toString().trimmed().toDouble(&ok);
    if (!ok) {
      *comparable = false;
      return 0;
    }
    if (cell.Type == TCellType::Int && value.typeId() != QMetaType::Double) {
      const qint64 iv = value.toLongLong(&ok);
      if (ok) return cell.Int < iv ? -1 : (cell.Int > iv ? 1 : 0);
    }
    const double c = cell.Type == TCellType::Int ? static_cast<double>(cell.Int) : cell.Float;
    return c < v ? -1 : (c > v ? 1 : 0);
  }
  const QString text = cell.ToText();
  const int r = text.compare(value.toString(), caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive);
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

TRecordFilter TRecordFilter::Parse(const QString& text, const std::function<int(const QString&)>& columnOf) {
  TRecordFilter f;
  if (!text.trimmed().isEmpty()) f.root_ = FilterParser(text, columnOf).Parse();
  return f;
}

bool TRecordFilter::Matches(const std::function<TCell(int)>& cellOf) const {
  return !root_ || Eval(*root_, cellOf);
}

} // namespace fw
