// MEL expressions: operators by precedence, literals, variables and their
// elements, calls, backquotes and array literals.
#include "MelCursor.h"

namespace OmbrixHost {
namespace {

MelValue binary(const std::string& op, const MelValue& a, const MelValue& b) {
  bool ints = a.kind == MelValue::kInt && b.kind == MelValue::kInt;
  if (op == "+") {
    if (a.kind == MelValue::kString || b.kind == MelValue::kString)
      return MelValue::ofString(a.asString() + b.asString());
    return ints ? MelValue::ofInt(a.i + b.i) : MelValue::ofFloat(a.asNumber() + b.asNumber());
  }
  if (op == "-")
    return ints ? MelValue::ofInt(a.i - b.i) : MelValue::ofFloat(a.asNumber() - b.asNumber());
  if (op == "*")
    return ints ? MelValue::ofInt(a.i * b.i) : MelValue::ofFloat(a.asNumber() * b.asNumber());
  if (op == "/") {
    if (ints)
      return b.i == 0 ? MelValue::ofInt(0) : MelValue::ofInt(a.i / b.i);
    return MelValue::ofFloat(b.asNumber() == 0.0 ? 0.0 : a.asNumber() / b.asNumber());
  }
  if (op == "==" || op == "!=") {
    bool eq = (a.kind == MelValue::kString || b.kind == MelValue::kString) ? a.asString() == b.asString()
                                                                             : a.asNumber() == b.asNumber();
    return MelValue::ofInt(op == "==" ? eq : !eq);
  }
  if (op == "<")
    return MelValue::ofInt(a.asNumber() < b.asNumber());
  if (op == ">")
    return MelValue::ofInt(a.asNumber() > b.asNumber());
  if (op == "<=")
    return MelValue::ofInt(a.asNumber() <= b.asNumber());
  if (op == ">=")
    return MelValue::ofInt(a.asNumber() >= b.asNumber());
  if (op == "&&")
    return MelValue::ofInt(a.truth() && b.truth());
  if (op == "||")
    return MelValue::ofInt(a.truth() || b.truth());
  MelInterpreter::fail("Unsupported operator " + op);
}

int precedenceOf(const MelToken& t) {
  if (t.kind != MelToken::kPunct)
    return -1;
  const std::string& p = t.text;
  if (p == "||")
    return 1;
  if (p == "&&")
    return 2;
  if (p == "==" || p == "!=")
    return 3;
  if (p == "<" || p == ">" || p == "<=" || p == ">=")
    return 4;
  if (p == "+" || p == "-")
    return 5;
  if (p == "*" || p == "/")
    return 6;
  return -1;
}

}  // namespace

std::vector<MelValue> MelInterpreter::callArgs(Cursor& c) {
  std::vector<MelValue> args;
  c.expect("(");
  if (c.accept(")"))
    return args;
  do {
    MelValue v = expression(c);
    v.word = false;
    args.push_back(v);
  } while (c.accept(","));
  c.expect(")");
  return args;
}
MelValue MelInterpreter::expression(Cursor& c, int precedence) {
  MelValue left = primary(c);
  while (true) {
    int p = precedenceOf(c.peek());
    if (p < 0 || p <= precedence)
      return left;
    std::string op = c.next().text;
    MelValue right = expression(c, p);
    left = binary(op, left, right);
  }
}

MelValue MelInterpreter::primary(Cursor& c) {
  NestingGuard nesting(nesting_);
  const MelToken tok = c.next();
  switch (tok.kind) {
  case MelToken::kNumber:
    if (tok.text.find_first_of(".eE") == std::string::npos && tok.text.size() < 18)
      return MelValue::ofInt(std::stoll(tok.text));
    return MelValue::ofFloat(std::strtod(tok.text.c_str(), nullptr));
  case MelToken::kString: {
    MelValue v = MelValue::ofString(tok.text);
    return v;
  }
  case MelToken::kVariable: {
    MelValue v = variable(tok.text);
    if (c.isPunct("[") && !c.peek().spaceBefore) {
      c.next();
      long long index = static_cast<long long>(expression(c).asNumber());
      c.expect("]");
      if (v.kind == MelValue::kStringArray)
        return MelValue::ofString(index >= 0 && static_cast<std::size_t>(index) < v.strings.size()
                                      ? v.strings[static_cast<std::size_t>(index)]
                                      : "");
      if (v.kind == MelValue::kIntArray || v.kind == MelValue::kFloatArray)
        return MelValue::ofFloat(index >= 0 && static_cast<std::size_t>(index) < v.numbers.size()
                                     ? v.numbers[static_cast<std::size_t>(index)]
                                     : 0.0);
      fail("Not an array: " + tok.text);
    }
    return v;
  }
  case MelToken::kBackquote: {
    // The quoted text's lines counted as those of the text it stands in.
    const int before = tok.line - 1;
    std::vector<MelToken> inner;
    MelFailure failure;
    if (!tokenizeMel(tok.text, inner, failure))
      throw MelError(failure.reason, failure.line + before);
    for (MelToken& t : inner)
      t.line += before;
    return runTokens(inner);
  }
  case MelToken::kWord:
    if (c.isPunct("(")) {
      auto args = callArgs(c);
      return call(tok.text, args);
    }
    return MelValue::ofString(tok.text, true);
  case MelToken::kPunct:
    if (tok.text == "(") {
      MelValue v = expression(c);
      c.expect(")");
      return v;
    }
    if (tok.text == "-") {
      MelValue v = primary(c);
      return v.kind == MelValue::kInt ? MelValue::ofInt(-v.i) : MelValue::ofFloat(-v.asNumber());
    }
    if (tok.text == "!")
      return MelValue::ofInt(!primary(c).truth());
    if (tok.text == "{") {
      MelValue array = MelValue::ofStrings({});
      bool numbers = true;
      std::vector<MelValue> items;
      if (!c.isPunct("}"))
        do {
          items.push_back(expression(c));
          numbers = numbers && items.back().kind != MelValue::kString;
        } while (c.accept(","));
      c.expect("}");
      if (numbers && !items.empty()) {
        array.kind = MelValue::kFloatArray;
        for (auto& i : items)
          array.numbers.push_back(i.asNumber());
      } else {
        for (auto& i : items)
          array.strings.push_back(i.asString());
      }
      return array;
    }
    break;
  default:
    break;
  }
  fail("Syntax error near '" + tok.text + "'");
}

}  // namespace OmbrixHost
