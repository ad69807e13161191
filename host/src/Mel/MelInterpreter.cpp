#include "MelInterpreter.h"

#include "MelCursor.h"
#include "Scene.h"

#include <cctype>
#include <fstream>
#include <sstream>

namespace OmbrixHost {
namespace {

bool isTypeWord(const std::string& w) {
  return w == "string" || w == "int" || w == "float" || w == "vector" || w == "matrix";
}

MelValue defaultFor(const std::string& type, bool array) {
  if (array)
    return type == "string" ? MelValue::ofStrings({}) : MelValue::ofKind(MelValue::kFloatArray);
  if (type == "string")
    return MelValue::ofString("");
  if (type == "int")
    return MelValue::ofInt(0);
  return MelValue::ofFloat(0.0);
}

MelValue converted(const MelValue& v, const std::string& type, bool array) {
  if (array) {
    MelValue out = v;
    out.word = false;
    if (out.kind == MelValue::kString)
      return MelValue::ofStrings({out.s});
    return out;
  }
  if (type == "int")
    return MelValue::ofInt(static_cast<long long>(v.asNumber()));
  if (type == "float")
    return MelValue::ofFloat(v.asNumber());
  if (type == "string" && v.kind != MelValue::kString)
    return MelValue::ofString(v.asString());
  MelValue out = v;
  out.word = false;
  return out;
}

}  // namespace

MelInterpreter::MelInterpreter() { forgetScripts(); }

void MelInterpreter::fail(const std::string& message) { throw MelError(message); }

void MelInterpreter::forgetScripts() {
  procedures_.clear();
  globals_.clear();
  globals_["$gMainWindow"] = MelValue::ofString("MayaWindow");
}

void MelInterpreter::registerCommand(const std::string& name, MelCommand command) {
  commands_[name] = std::move(command);
  flagTables_.erase(name);
}
void MelInterpreter::registerCommand(const std::string& name, MelCommand command, const MelFlagTable& flags) {
  commands_[name] = std::move(command);
  flagTables_[name] = flags;
}
void MelInterpreter::removeCommand(const std::string& name) {
  commands_.erase(name);
  flagTables_.erase(name);
}
const MelFlagTable* MelInterpreter::flagTable(const std::string& name) const {
  auto it = flagTables_.find(name);
  return it == flagTables_.end() ? nullptr : &it->second;
}
bool MelInterpreter::hasCommand(const std::string& name) const { return commands_.count(name) != 0; }
bool MelInterpreter::hasProcedure(const std::string& name) const { return procedures_.count(name) != 0; }

bool MelInterpreter::run(const std::string& text, MelValue& result, std::string& error) {
  MelFailure failure;
  if (run(text, result, failure))
    return true;
  error = failure.text();
  return false;
}

bool MelInterpreter::run(const std::string& text, MelValue& result, MelFailure& failure) {
  failure = MelFailure();
  std::vector<MelToken> tokens;
  if (!tokenizeMel(text, tokens, failure))
    return false;
  int savedDepth = depth_;
  auto savedFrames = frames_.size();
  try {
    result = runTokens(tokens);
    return true;
  } catch (const MelError& e) {
    failure = MelFailure{e.line, e.what()};
  } catch (const std::exception& e) {
    failure = MelFailure{0, std::string("Internal error: ") + e.what()};
  }
  depth_ = savedDepth;
  frames_.resize(savedFrames);
  returning_ = false;
  return false;
}

MelValue MelInterpreter::runTokens(const std::vector<MelToken>& tokens) {
  Cursor c{tokens};
  MelValue last;
  while (!c.atEnd() && !returning_) {
    int line = c.peek().line;
    try {
      last = statement(c);
    } catch (const MelError& e) {
      if (e.line > 0)
        throw;  // placed already, by the backquoted text it came from
      throw MelError(e.what(), line);
    }
  }
  return last;
}

std::string MelInterpreter::findScript(const std::string& name) const {
  std::string file = name;
  if (file.size() < 4 || file.compare(file.size() - 4, 4, ".mel") != 0)
    file += ".mel";
  std::vector<std::string> candidates{file};
  for (const auto& dir : scene().scriptPath)
    candidates.push_back(dir + "/" + file);
  for (const auto& path : candidates)
    if (std::ifstream(path, std::ios::binary))
      return path;
  return std::string();
}

bool MelInterpreter::sourceFile(const std::string& name, std::string& error) {
  const std::string path = findScript(name);
  std::ifstream in(path, std::ios::binary);
  if (path.empty() || !in) {
    error = "Cannot find file \"" + name + "\" for source statement.";
    return false;
  }
  std::stringstream text;
  text << in.rdbuf();
  MelValue ignored;
  if (run(text.str(), ignored, error))
    return true;
  error = path + ": " + error;
  return false;
}

MelValue& MelInterpreter::variable(const std::string& name) {
  if (!frames_.empty()) {
    auto& frame = frames_.back();
    auto it = frame.find(name);
    if (it != frame.end())
      return it->second;
  }
  auto it = globals_.find(name);
  if (it == globals_.end())
    fail("\"" + name + "\" is an undeclared variable.");
  return it->second;
}

MelValue MelInterpreter::call(const std::string& name, const std::vector<MelValue>& args) {
  auto proc = procedures_.find(name);
  if (proc != procedures_.end())
    return runProcedure(proc->second, args);
  auto cmd = commands_.find(name);
  if (cmd != commands_.end())
    return cmd->second(*this, args);
  fail("Cannot find procedure \"" + name + "\".");
}

MelValue MelInterpreter::runProcedure(const Procedure& proc, const std::vector<MelValue>& args) {
  if (args.size() != proc.params.size())
    fail("Wrong number of arguments on call to procedure.");
  if (depth_ > 64)
    fail("Procedure calls nest too deeply.");
  std::map<std::string, MelValue> frame;
  for (std::size_t k = 0; k < args.size(); ++k) {
    MelValue v = args[k];
    v.word = false;
    frame[proc.params[k]] = v;
  }
  frames_.push_back(std::move(frame));
  ++depth_;
  MelValue result;
  try {
    runTokens(proc.body);
  } catch (...) {
    --depth_;
    frames_.pop_back();
    throw;
  }
  --depth_;
  frames_.pop_back();
  if (returning_) {
    result = returnValue_;
    returning_ = false;
    returnValue_ = MelValue();
  }
  return result;
}

void MelInterpreter::procedure(Cursor& c) {
  c.next();  // proc
  if (c.peek().kind == MelToken::kWord && isTypeWord(c.peek().text) && c.peek(1).kind == MelToken::kWord) {
    c.next();
  } else if (c.peek().kind == MelToken::kWord && isTypeWord(c.peek().text) && c.isPunct("[", 1)) {
    c.next();
    c.expect("[");
    c.expect("]");
  }
  if (c.peek().kind != MelToken::kWord)
    fail("Syntax error: procedure name expected");
  std::string name = c.next().text;
  Procedure proc;
  c.expect("(");
  while (!c.isPunct(")")) {
    if (c.peek().kind == MelToken::kWord && isTypeWord(c.peek().text))
      c.next();
    if (c.accept("["))
      c.expect("]");
    if (c.peek().kind != MelToken::kVariable)
      fail("Syntax error in the parameters of " + name);
    proc.params.push_back(c.next().text);
    if (c.accept("["))
      c.expect("]");
    if (!c.accept(","))
      break;
  }
  c.expect(")");
  c.expect("{");
  for (int level = 1;;) {
    const MelToken& tok = c.next();
    if (tok.kind == MelToken::kEnd)
      fail("Syntax error: unterminated procedure " + name);
    if (tok.kind == MelToken::kPunct && tok.text == "{")
      ++level;
    if (tok.kind == MelToken::kPunct && tok.text == "}" && --level == 0)
      break;
    proc.body.push_back(tok);
  }
  proc.body.push_back(MelToken{MelToken::kEnd, "", c.peek().line, true});
  procedures_[name] = std::move(proc);
}

MelValue MelInterpreter::declaration(Cursor& c, bool global) {
  std::string type = c.next().text;
  bool array = false;
  if (c.accept("[")) {
    c.expect("]");
    array = true;
  }
  do {
    if (c.peek().kind != MelToken::kVariable)
      fail("Syntax error: variable name expected");
    std::string name = c.next().text;
    bool nameArray = false;
    if (c.accept("[")) {
      while (!c.isPunct("]") && !c.atEnd())
        c.next();
      c.expect("]");
      nameArray = true;
    }
    MelValue init = defaultFor(type, array || nameArray);
    bool given = false;
    if (c.accept("=")) {
      init = converted(expression(c), type, array || nameArray);
      given = true;
    }
    if (global || frames_.empty()) {
      if (!globals_.count(name) || given || !global)
        globals_[name] = init;
    } else {
      frames_.back()[name] = init;
    }
  } while (c.accept(","));
  c.accept(";");
  return MelValue();
}

void MelInterpreter::skipStatement(Cursor& c) {
  if (c.isPunct("{")) {
    int level = 0;
    do {
      const MelToken& tok = c.next();
      if (tok.kind == MelToken::kEnd)
        return;
      if (tok.kind == MelToken::kPunct && tok.text == "{")
        ++level;
      if (tok.kind == MelToken::kPunct && tok.text == "}")
        --level;
    } while (level > 0);
    return;
  }
  if (c.isWord("if")) {
    c.next();
    int level = 0;
    do {
      const MelToken& tok = c.next();
      if (tok.kind == MelToken::kEnd)
        return;
      if (tok.kind == MelToken::kPunct && tok.text == "(")
        ++level;
      if (tok.kind == MelToken::kPunct && tok.text == ")")
        --level;
    } while (level > 0);
    skipStatement(c);
    if (c.isWord("else")) {
      c.next();
      skipStatement(c);
    }
    return;
  }
  int level = 0;
  while (!c.atEnd()) {
    const MelToken& tok = c.next();
    if (tok.kind != MelToken::kPunct)
      continue;
    if (tok.text == "(" || tok.text == "{")
      ++level;
    else if (tok.text == ")" || tok.text == "}")
      --level;
    else if (tok.text == ";" && level <= 0)
      return;
  }
}

MelValue MelInterpreter::block(Cursor& c) {
  NestingGuard nesting(nesting_);
  c.expect("{");
  MelValue last;
  while (!c.isPunct("}")) {
    if (c.atEnd())
      fail("Syntax error: missing '}'");
    if (returning_) {
      skipStatement(c);
      continue;
    }
    last = statement(c);
  }
  c.expect("}");
  return last;
}

MelValue MelInterpreter::statement(Cursor& c) {
  NestingGuard nesting(nesting_);
  const MelToken& tok = c.peek();
  if (tok.kind == MelToken::kEnd)
    return MelValue();
  if (tok.kind == MelToken::kPunct && tok.text == ";") {
    c.next();
    return MelValue();
  }
  if (tok.kind == MelToken::kPunct && tok.text == "{")
    return block(c);
  if (tok.kind == MelToken::kWord) {
    const std::string& w = tok.text;
    if (w == "global") {
      c.next();
      if (c.isWord("proc")) {
        procedure(c);
        return MelValue();
      }
      if (c.peek().kind != MelToken::kWord || !isTypeWord(c.peek().text))
        fail("Syntax error after 'global'");
      return declaration(c, true);
    }
    if (w == "proc") {
      procedure(c);
      return MelValue();
    }
    if (isTypeWord(w) && (c.peek(1).kind == MelToken::kVariable || c.isPunct("[", 1)))
      return declaration(c, false);
    if (w == "if") {
      c.next();
      c.expect("(");
      bool condition = expression(c).truth();
      c.expect(")");
      MelValue result;
      if (condition)
        result = statement(c);
      else
        skipStatement(c);
      if (c.isWord("else")) {
        c.next();
        if (condition)
          skipStatement(c);
        else
          result = statement(c);
      }
      return result;
    }
    if (w == "return") {
      c.next();
      returnValue_ = c.isPunct(";") ? MelValue() : expression(c);
      returning_ = true;
      c.accept(";");
      return returnValue_;
    }
    if (w == "while" || w == "for" || w == "do" || w == "switch")
      fail("'" + w + "' is not supported by this host");
    if (c.isPunct("(", 1) && !c.peek(1).spaceBefore) {
      // name(args): a call in an expression, "f(2) * 10;" as much as "f(2);".
      MelValue result = expression(c);
      c.accept(";");
      return result;
    }
    std::string name = c.next().text;
    return commandStyle(c, name);
  }
  if (tok.kind == MelToken::kVariable && c.isPunct("=", 1)) {
    std::string name = c.next().text;
    c.next();
    MelValue value = expression(c);
    value.word = false;
    MelValue& target = frames_.empty() || !frames_.back().count(name) ? globals_[name] : frames_.back()[name];
    target = value;
    c.accept(";");
    return value;
  }
  MelValue v = expression(c);
  c.accept(";");
  return v;
}

MelValue MelInterpreter::commandStyle(Cursor& c, const std::string& name) {
  std::vector<MelValue> args;
  while (!c.atEnd() && !c.isPunct(";") && !c.isPunct("}")) {
    const MelToken& tok = c.peek();
    if (tok.kind == MelToken::kString) {
      args.push_back(MelValue::ofString(c.next().text));
    } else if (tok.kind == MelToken::kVariable) {
      MelValue v = variable(c.next().text);
      v.word = false;
      args.push_back(v);
    } else if (tok.kind == MelToken::kBackquote) {
      MelValue v = primary(c);
      v.word = false;
      args.push_back(v);
    } else if (tok.kind == MelToken::kPunct && (tok.text == "(" || tok.text == "{")) {
      MelValue v = primary(c);
      v.word = false;
      args.push_back(v);
    } else {
      std::string text = c.next().text;
      while (!c.atEnd() && !c.peek().spaceBefore) {
        const MelToken& more = c.peek();
        if (more.kind == MelToken::kString || more.kind == MelToken::kVariable ||
            more.kind == MelToken::kBackquote ||
            (more.kind == MelToken::kPunct && (more.text == ";" || more.text == "(" || more.text == ")" ||
                                               more.text == "{" || more.text == "}")))
          break;
        text += c.next().text;
      }
      args.push_back(MelValue::ofString(text, true));
    }
  }
  c.accept(";");
  return call(name, args);
}

}  // namespace OmbrixHost
