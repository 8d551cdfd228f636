#include "core/CompiledRules.h"

#include "core/RuleExplain.h"
#include "platform/db/AdoQuery.h"
#include "platform/db/Field.h"

#include <QHash>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>

namespace fw {

// ---- Instructions --------------------------------------------------------------------

enum class TRuleProgram::TOp : std::uint8_t {
  Const, Slot, Neg, Not, Add, Sub, Mul, Div, Eq, Ne, Lt, Le, Gt, Ge, And, Or,
  // Short cuts of "and" and "or" over an operand that cannot fail (no division in the
  // whole expression): when the value on top decides, it becomes the result.
  AndJump, OrJump
};

namespace {

using TOp = TRuleProgram::TOp;

constexpr double kNull = std::numeric_limits<double>::quiet_NaN();

// A value on the evaluation stack. TrueLiteral and FalseLiteral: the value is a whole
// number the database reads as a constant written in the statement once the editors'
// values are in place (a field or a number written without a point, from 0 to 2^31 - 1;
// a negative one is written as a negation), true when it is not 0. An "and" beside a
// false one and an "or" beside a true one are decided by it, and the other side is not
// evaluated. Failed: a division by zero happened in the operand.
struct TStackCell {
  double Value;
  std::uint8_t Flags;
};
constexpr std::uint8_t kTrueLiteral = 1;
constexpr std::uint8_t kFalseLiteral = 2;
constexpr std::uint8_t kFailed = 4;

bool IsNull(double v) { return std::isnan(v); }
// The database reads any number but 0 as true (0.5 too).
bool IsTrue(double v) { return v != 0; }
double Truth(bool value) { return value ? -1.0 : 0.0; }

// The literal flags of a value as the page rules write it into the statement.
std::uint8_t LiteralFlags(double v) {
  if (!(v >= 0 && v <= std::numeric_limits<std::int32_t>::max()) || std::floor(v) != v || std::signbit(v)) return 0;
  return v == 0 ? kFalseLiteral : kTrueLiteral;
}

// The result of an "and" or "or" that one of its sides decides as a literal (an "and"
// beside a false one, an "or" beside a true one), the other side left unevaluated;
// empty when neither does.
std::optional<double> DecidedByLiteral(TOp op, std::uint8_t left, std::uint8_t right) {
  if (op == TOp::And && ((left | right) & kFalseLiteral)) return 0.0;
  if (op == TOp::Or && ((left | right) & kTrueLiteral)) return -1.0;
  return std::nullopt;
}

// ---- Scanning ------------------------------------------------------------------------

bool IsExprDelimiter(QChar c) { return QStringView(u" ()*+-/<=>").contains(c); }

enum class TTokenKind { Number, Slot, And, Or, Not, Op, Open, Close };

struct TToken {
  TTokenKind Kind;
  QString Text;             // operator text, or the number as written
  double Value = 0;         // number
  bool IntegerText = false; // number written without a point
  int Slot = -1;
};

// The expression split as the page rules split it into names and the text between them.
struct TPiece {
  bool Identifier;
  QString Text;
};

std::vector<TPiece> SplitNames(const QString& expression) {
  std::vector<TPiece> pieces;
  QString name, plain;
  auto flushPlain = [&] {
    if (!plain.isEmpty()) pieces.push_back({false, plain});
    plain.clear();
  };
  for (const QChar c : expression) {
    if (IsRuleLetter(c)) {
      if (name.isEmpty()) flushPlain();
      name += c;
    } else if (IsExprDelimiter(c)) {
      if (!name.isEmpty()) pieces.push_back({true, name});
      name.clear();
      plain += c;
    } else {
      (name.isEmpty() ? plain : name) += c;
    }
  }
  if (!name.isEmpty()) pieces.push_back({true, name});
  flushPlain();
  return pieces;
}

// Tokens of the text between names; false with `problem` for a character that has no
// place in a rule.
bool LexPlain(const QString& text, std::vector<TToken>& tokens, QString& problem) {
  const int n = int(text.size());
  for (int i = 0; i < n;) {
    const QChar c = text[i];
    if (c.isSpace()) {
      ++i;
    } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && text[i + 1].isDigit())) {
      const int start = i;
      while (i < n && (text[i].isDigit() || text[i] == QLatin1Char('.'))) ++i;
      TToken token{TTokenKind::Number, text.mid(start, i - start)};
      bool ok = false;
      token.Value = token.Text.toDouble(&ok);
      if (!ok) {
        problem = QStringLiteral("数字“%1”有误").arg(token.Text);
        return false;
      }
      token.IntegerText = !token.Text.contains(QLatin1Char('.'));
      tokens.push_back(token);
    } else if (c == QLatin1Char('(') || c == QLatin1Char(')')) {
      tokens.push_back({c == QLatin1Char('(') ? TTokenKind::Open : TTokenKind::Close, QString(c)});
      ++i;
    } else if (QStringView(u"+-*/<>=").contains(c)) {
      const QString two = text.mid(i, 2);
      const bool pair = two == QLatin1String("<=") || two == QLatin1String(">=") || two == QLatin1String("<>");
      tokens.push_back({TTokenKind::Op, pair ? two : QString(c)});
      i += pair ? 2 : 1;
    } else {
      problem = QStringLiteral("无法识别“%1”").arg(c);
      return false;
    }
  }
  return true;
}

// ---- Parsing -------------------------------------------------------------------------

struct TNode {
  TOp Op;
  double Value = 0;
  int Slot = -1;
  int Left = -1, Right = -1;
  std::uint8_t Literal = 0;  // kTrueLiteral or kFalseLiteral for a number so written (see TStackCell)
  bool CanFail = false;      // holds a division
};

// The database's precedence, loosest first.
enum TPrec { POr = 1, PAnd, PNot, PCmp, PAdd, PMul, PUnary };

class TParser {
public:
  explicit TParser(const std::vector<TToken>& tokens) : tokens_(tokens) {}

  std::optional<int> ParseAll(QString& problem) {
    auto root = Parse(0);
    if (!root || pos_ != tokens_.size()) {
      problem = pos_ < tokens_.size() ? QStringLiteral("“%1”处有误").arg(tokens_[pos_].Text)
                                      : QStringLiteral("表达式不完整");
      return std::nullopt;
    }
    return root;
  }

  std::vector<TNode> Nodes;

private:
  const TToken* Peek() const { return pos_ < tokens_.size() ? &tokens_[pos_] : nullptr; }

  int Add(TNode node) {
    if (node.Left >= 0) node.CanFail |= Nodes[size_t(node.Left)].CanFail;
    if (node.Right >= 0) node.CanFail |= Nodes[size_t(node.Right)].CanFail;
    Nodes.push_back(node);
    return int(Nodes.size()) - 1;
  }

  // The precedence of a binary operator at `t` (0: none) and its operation.
  static int InfixPrec(const TToken& t, TOp& op) {
    if (t.Kind == TTokenKind::And || t.Kind == TTokenKind::Or) {
      op = t.Kind == TTokenKind::And ? TOp::And : TOp::Or;
      return t.Kind == TTokenKind::And ? PAnd : POr;
    }
    if (t.Kind != TTokenKind::Op) return 0;
    static const QHash<QString, std::pair<TOp, int>> ops = {
        {"+", {TOp::Add, PAdd}}, {"-", {TOp::Sub, PAdd}}, {"*", {TOp::Mul, PMul}}, {"/", {TOp::Div, PMul}},
        {"=", {TOp::Eq, PCmp}},  {"<>", {TOp::Ne, PCmp}}, {"<", {TOp::Lt, PCmp}},  {"<=", {TOp::Le, PCmp}},
        {">", {TOp::Gt, PCmp}},  {">=", {TOp::Ge, PCmp}}};
    const auto found = ops.constFind(t.Text);
    if (found == ops.constEnd()) return 0;
    op = found->first;
    return found->second;
  }

  std::optional<int> Parse(int minPrec) {
    auto left = Prefix();
    while (left && Peek()) {
      TOp op;
      const int prec = InfixPrec(*Peek(), op);
      if (prec == 0 || prec < minPrec) break;
      ++pos_;
      // Operators of one level group from the left; comparisons too (a < b < c).
      auto right = Parse(prec + 1);
      if (!right) return std::nullopt;
      left = Combine(op, *left, *right);
    }
    return left;
  }

  int Combine(TOp op, int left, int right) {
    // A number written beside "and" or "or" that decides it leaves the other side
    // unevaluated: the result is a constant (a truth value, no literal).
    if (const auto decided = DecidedByLiteral(op, Nodes[size_t(left)].Literal, Nodes[size_t(right)].Literal))
      return Add({TOp::Const, *decided});
    TNode node{op};
    node.Left = left;
    node.Right = right;
    node.CanFail = op == TOp::Div;
    return Add(node);
  }

  std::optional<int> Prefix() {
    const TToken* t = Peek();
    if (!t) return std::nullopt;
    ++pos_;
    switch (t->Kind) {
    case TTokenKind::Number:
      return Add({TOp::Const, t->Value, -1, -1, -1, std::uint8_t(t->IntegerText ? LiteralFlags(t->Value) : 0)});
    case TTokenKind::Slot:
      return Add({TOp::Slot, 0, t->Slot});
    case TTokenKind::Open: {
      auto inner = Parse(0);
      if (!inner || !Peek() || Peek()->Kind != TTokenKind::Close) return std::nullopt;
      ++pos_;
      return inner;
    }
    case TTokenKind::Not: {
      auto operand = Parse(PCmp);
      if (!operand) return std::nullopt;
      TNode node{TOp::Not};
      node.Left = *operand;
      return Add(node);
    }
    case TTokenKind::Op:
      if (t->Text == QLatin1String("-") || t->Text == QLatin1String("+")) {
        auto operand = Parse(PUnary + 1);
        if (!operand) return std::nullopt;
        if (t->Text == QLatin1String("+")) return operand;
        TNode node{TOp::Neg};
        node.Left = *operand;
        return Add(node);
      }
      return std::nullopt;
    default:
      return std::nullopt;
    }
  }

  const std::vector<TToken>& tokens_;
  size_t pos_ = 0;
};

// ---- Code ----------------------------------------------------------------------------

class TCodeWriter {
public:
  TCodeWriter(const std::vector<TNode>& nodes, bool shortCuts) : nodes_(nodes), shortCuts_(shortCuts) {}

  void Emit(int index) {
    const TNode& n = nodes_[size_t(index)];
    switch (n.Op) {
    case TOp::Const: Push({TOp::Const, n.Literal, n.Value}); return;
    case TOp::Slot: Push({TOp::Slot, n.Slot, 0}); return;
    case TOp::Neg:
    case TOp::Not:
      Emit(n.Left);
      Code.push_back({n.Op, 0, 0});
      return;
    case TOp::And:
    case TOp::Or: {
      Emit(n.Left);
      std::optional<size_t> jump;
      if (shortCuts_) {
        jump = Code.size();
        Code.push_back({n.Op == TOp::And ? TOp::AndJump : TOp::OrJump, 0, 0});
      }
      Emit(n.Right);
      Pop({n.Op, 0, 0});
      if (jump) Code[*jump].Arg = std::int32_t(Code.size());
      return;
    }
    default:
      Emit(n.Left);
      Emit(n.Right);
      Pop({n.Op, 0, 0});
    }
  }

  std::vector<TRuleProgram::TInstruction> Code;
  int MaxDepth = 0;

private:
  void Push(TRuleProgram::TInstruction instruction) {
    Code.push_back(instruction);
    MaxDepth = std::max(MaxDepth, ++depth_);
  }
  void Pop(TRuleProgram::TInstruction instruction) {
    Code.push_back(instruction);
    --depth_;
  }

  const std::vector<TNode>& nodes_;
  bool shortCuts_;
  int depth_ = 0;
};

double Compare(TOp op, double a, double b) {
  if (IsNull(a) || IsNull(b)) return kNull;
  switch (op) {
  case TOp::Eq: return Truth(a == b);
  case TOp::Ne: return Truth(a != b);
  case TOp::Lt: return Truth(a < b);
  case TOp::Le: return Truth(a <= b);
  case TOp::Gt: return Truth(a > b);
  default: return Truth(a >= b);
  }
}

// Three-valued "and" and "or": a false (true) side decides, else NULL wins.
double LogicalAnd(double a, double b) {
  if ((!IsNull(a) && !IsTrue(a)) || (!IsNull(b) && !IsTrue(b))) return 0;
  return IsNull(a) || IsNull(b) ? kNull : -1;
}
double LogicalOr(double a, double b) {
  if ((!IsNull(a) && IsTrue(a)) || (!IsNull(b) && IsTrue(b))) return -1;
  return IsNull(a) || IsNull(b) ? kNull : 0;
}

} // namespace

// ---- TRuleProgram --------------------------------------------------------------------

TRuleProgram TRuleProgram::Compile(const QString& expression, const TSlotResolver& resolve) {
  TRuleProgram program;
  std::vector<TToken> tokens;
  QStringList unknown;
  QString problem;
  for (const TPiece& piece : SplitNames(expression)) {
    if (!piece.Identifier) {
      if (problem.isEmpty()) LexPlain(piece.Text, tokens, problem);
      continue;
    }
    const QString upper = piece.Text.toUpper();
    if (upper == QLatin1String("AND")) tokens.push_back({TTokenKind::And, piece.Text});
    else if (upper == QLatin1String("OR")) tokens.push_back({TTokenKind::Or, piece.Text});
    else if (upper == QLatin1String("NOT")) tokens.push_back({TTokenKind::Not, piece.Text});
    else {
      const int slot = resolve(piece.Text);
      if (slot < 0) unknown << piece.Text;
      TToken token{TTokenKind::Slot, piece.Text};
      token.Slot = slot;
      tokens.push_back(token);
    }
  }
  // Names that name no field come first, as with the page rules, whose evaluation never
  // starts then.
  if (!unknown.isEmpty()) {
    program.problem_ = QStringLiteral("找不到变量 ") + unknown.join(QStringLiteral("、"));
    return program;
  }
  if (!problem.isEmpty()) {
    program.problem_ = QStringLiteral("表达式有误：") + problem;
    return program;
  }
  TParser parser(tokens);
  const std::optional<int> root = parser.ParseAll(problem);
  if (!root) {
    program.problem_ = QStringLiteral("表达式有误：") + problem;
    return program;
  }
  // Without a division nothing can fail, so skipping the side that cannot change the
  // result gives exactly what evaluating it would.
  TCodeWriter writer(parser.Nodes, !parser.Nodes[size_t(*root)].CanFail);
  writer.Emit(*root);
  program.code_ = std::move(writer.Code);
  program.depth_ = writer.MaxDepth;
  program.canFail_ = parser.Nodes[size_t(*root)].CanFail;
  return program;
}

TRuleProgram::TOutcome TRuleProgram::Run(const double* values, double& result) const {
  constexpr int kInlineDepth = 32;
  TStackCell inlineStack[kInlineDepth];
  std::vector<TStackCell> heapStack;
  TStackCell* stack = inlineStack;
  if (depth_ > kInlineDepth) {
    heapStack.resize(size_t(depth_));
    stack = heapStack.data();
  }
  int top = -1;
  const TInstruction* code = code_.data();
  const size_t size = code_.size();
  for (size_t pc = 0; pc < size; ++pc) {
    const TInstruction& in = code[pc];
    switch (in.Op) {
    case TOp::Const:
      stack[++top] = {in.Value, std::uint8_t(in.Arg)};
      break;
    case TOp::Slot: {
      const double v = values[in.Arg];
      stack[++top] = {v, LiteralFlags(v)};
      break;
    }
    case TOp::Neg:
      stack[top] = {-stack[top].Value, std::uint8_t(stack[top].Flags & kFailed)};
      break;
    case TOp::Not: {
      const double v = stack[top].Value;
      stack[top] = {IsNull(v) ? kNull : Truth(!IsTrue(v)), std::uint8_t(stack[top].Flags & kFailed)};
      break;
    }
    case TOp::AndJump:
    case TOp::OrJump: {
      const double v = stack[top].Value;
      if (IsNull(v) || IsTrue(v) != (in.Op == TOp::OrJump)) break;
      stack[top] = {in.Op == TOp::OrJump ? -1.0 : 0.0, 0};
      pc = size_t(in.Arg) - 1;
      break;
    }
    default: {
      const TStackCell b = stack[top--];
      TStackCell& a = stack[top];
      if (const auto decided = DecidedByLiteral(in.Op, a.Flags, b.Flags)) {
        a = {*decided, 0};
        break;
      }
      const std::uint8_t failed = (a.Flags | b.Flags) & kFailed;
      double v;
      switch (in.Op) {
      case TOp::Add: v = a.Value + b.Value; break;
      case TOp::Sub: v = a.Value - b.Value; break;
      case TOp::Mul: v = a.Value * b.Value; break;
      case TOp::Div:
        if (IsNull(a.Value) || IsNull(b.Value)) v = kNull;
        else if (b.Value == 0) {
          a = {kNull, kFailed};
          continue;
        } else v = a.Value / b.Value;
        break;
      case TOp::And: v = LogicalAnd(a.Value, b.Value); break;
      case TOp::Or: v = LogicalOr(a.Value, b.Value); break;
      default: v = Compare(in.Op, a.Value, b.Value);
      }
      a = {v, failed};
    }
    }
  }
  result = stack[0].Value;
  return (stack[0].Flags & kFailed) ? TOutcome::Failed : TOutcome::Value;
}

void TRuleProgram::EvaluateBlock(const double* values, int count, double* results, std::vector<double>& stack) const {
  const size_t n = size_t(count);
  stack.resize(size_t(depth_) * n);
  double* top = stack.data() - n;  // the block on top of the stack
  for (const TInstruction& in : code_) {
    switch (in.Op) {
    case TOp::Const:
      top += n;
      std::fill(top, top + n, in.Value);
      break;
    case TOp::Slot:
      top += n;
      std::copy(values + size_t(in.Arg) * n, values + size_t(in.Arg + 1) * n, top);
      break;
    case TOp::Neg:
      for (size_t i = 0; i < n; ++i) top[i] = -top[i];
      break;
    case TOp::Not:
      for (size_t i = 0; i < n; ++i) top[i] = IsNull(top[i]) ? kNull : Truth(!IsTrue(top[i]));
      break;
    case TOp::AndJump:
    case TOp::OrJump:
      break;  // short cuts only: every record's operands are evaluated here
    default: {
      const double* b = top;
      top -= n;
      double* a = top;
      // One loop per operation, so that the operation is decided once per block.
      auto each = [&](auto operation) {
        for (size_t i = 0; i < n; ++i) a[i] = operation(a[i], b[i]);
      };
      // A comparison with NULL is NULL.
      auto compare = [&](auto holds) {
        each([&](double x, double y) { return IsNull(x) || IsNull(y) ? kNull : Truth(holds(x, y)); });
      };
      switch (in.Op) {
      case TOp::Add: each(std::plus<double>()); break;
      case TOp::Sub: each(std::minus<double>()); break;
      case TOp::Mul: each(std::multiplies<double>()); break;
      case TOp::And: each(LogicalAnd); break;
      case TOp::Or: each(LogicalOr); break;
      case TOp::Eq: compare(std::equal_to<double>()); break;
      case TOp::Ne: compare(std::not_equal_to<double>()); break;
      case TOp::Lt: compare(std::less<double>()); break;
      case TOp::Le: compare(std::less_equal<double>()); break;
      case TOp::Gt: compare(std::greater<double>()); break;
      default: compare(std::greater_equal<double>());
      }
    }
    }
  }
  std::copy(stack.data(), stack.data() + n, results);
}

TRuleEvaluation TRuleProgram::Evaluate(const double* values) const {
  if (!problem_.isEmpty()) return {TRuleVerdict::NotEvaluated, problem_};
  double result = 0;
  if (Run(values, result) == TOutcome::Failed) return {TRuleVerdict::NotEvaluated, QStringLiteral("除数为零")};
  if (IsNull(result)) return {TRuleVerdict::NotEvaluated, QStringLiteral("结果为空值")};
  // The database's true is -1; false and any other value mean the rule holds.
  return {result == -1.0 ? TRuleVerdict::Broken : TRuleVerdict::Holds, QString()};
}

// ---- TCompiledRuleSet ----------------------------------------------------------------

TCompiledRuleSet TCompiledRuleSet::Build(const std::vector<TSourceRow>& rows, const QStringList& fields) {
  TCompiledRuleSet set;
  QHash<QString, int> known;  // field name in lower case -> its place in `fields`
  for (int i = 0; i < fields.size(); ++i) known.insert(fields[i].toLower(), i);
  QHash<int, int> slotOfField;
  const TSlotResolver resolve = [&](const QString& name) {
    const auto field = known.constFind(name.toLower());
    if (field == known.constEnd()) return -1;
    const auto slot = slotOfField.constFind(*field);
    if (slot != slotOfField.constEnd()) return *slot;
    set.slotFields_ << fields[*field];
    slotOfField.insert(*field, int(set.slotFields_.size()) - 1);
    return int(set.slotFields_.size()) - 1;
  };
  for (const TSourceRow& row : rows) {
    TCompiledRuleRow compiled{TRuleProgram::Compile(row.Expression, resolve), row.Focus, row.Explanation};
    if (set.rules_.empty() || set.rules_.back().Rule != row.Rule || set.rules_.back().Page != row.Page)
      set.rules_.push_back({row.Rule, row.Page, {}});
    set.rules_.back().Rows.push_back(std::move(compiled));
  }
  return set;
}

TCompiledRuleSet TCompiledRuleSet::Load(TADOConnection& connection, const QStringList& fields,
                                        TRuleExplainer& explainer) {
  TADOQuery query(&connection);
  query.SetSQL(QStringLiteral("select * from dt_logic order by id"));
  query.Open();
  TField* page = query.FieldByName(QStringLiteral("page_id"));
  TField* expression = query.FieldByName(QStringLiteral("expression"));
  TField* focus = query.FieldByName(QStringLiteral("focus"));
  TField* explain = query.FieldByName(QStringLiteral("explain"));
  TField* rule = query.FieldByName(QStringLiteral("rule"));
  std::vector<TSourceRow> rows;
  for (; !query.Eof(); query.Next())
    rows.push_back({int(page->AsLargeInt()), expression->AsString(), focus->AsString(),
                    explainer.ExplainToText(explain->AsString()), rule->AsString()});
  return Build(rows, fields);
}

bool TCompiledRuleSet::Check(const double* values, std::vector<TBrokenRule>& broken) const {
  std::vector<std::vector<TBrokenRule>> one(1);
  TRuleBlockRoom room;
  CheckBlock(values, 1, one, room);
  broken = std::move(one[0]);
  return broken.empty();
}

void TCompiledRuleSet::CheckBlock(const double* values, int count, std::vector<std::vector<TBrokenRule>>& broken,
                                  TRuleBlockRoom& room) const {
  const size_t n = size_t(count);
  broken.resize(n);
  for (std::vector<TBrokenRule>& list : broken) list.clear();
  room.Results.resize(n);
  room.Record.resize(size_t(slotFields_.size()));
  for (size_t r = 0; r < rules_.size(); ++r) {
    room.Decided.assign(n, 0);
    const std::vector<TCompiledRuleRow>& rows = rules_[r].Rows;
    for (size_t row = 0; row < rows.size(); ++row) {
      const TRuleProgram& condition = rows[row].Condition;
      if (condition.EvaluatesInBlocks()) {
        condition.EvaluateBlock(values, count, room.Results.data(), room.Stack);
        for (size_t i = 0; i < n; ++i) {
          const double result = room.Results[i];
          if (room.Decided[i] || (result != -1.0 && !IsNull(result))) continue;
          broken[i].push_back({int(r), int(row), IsNull(result) ? QStringLiteral("结果为空值") : QString()});
          room.Decided[i] = 1;
        }
        continue;
      }
      // A program that can fail, or none at all: one record after another.
      for (size_t i = 0; i < n; ++i) {
        if (room.Decided[i]) continue;
        for (size_t slot = 0; slot < room.Record.size(); ++slot) room.Record[slot] = values[slot * n + i];
        TRuleEvaluation result = condition.Evaluate(room.Record.data());
        if (result.Verdict == TRuleVerdict::Holds) continue;
        broken[i].push_back({int(r), int(row), std::move(result.Problem)});
        room.Decided[i] = 1;
      }
    }
  }
}

QString TCompiledRuleSet::Explanation(const TBrokenRule& broken) const {
  if (broken.NotEvaluated()) return NotEvaluatedExplanation(broken.Problem);
  return rules_[size_t(broken.Rule)].Rows[size_t(broken.Row)].Explanation;
}

} // namespace fw
