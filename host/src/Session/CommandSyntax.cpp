#include "CommandSyntax.h"

#include <maya/MSyntax.h>

#include <cctype>
#include <cstdlib>
#include <map>

namespace OmbrixHost {
namespace {

std::string bare(const std::string& name) { return !name.empty() && name[0] == '-' ? name.substr(1) : name; }

bool looksLikeFlag(const std::string& arg) {
  return arg.size() > 1 && arg[0] == '-' && std::isalpha(static_cast<unsigned char>(arg[1]));
}

bool isNumber(const std::string& text, bool integer) {
  if (text.empty() || std::isspace(static_cast<unsigned char>(text[0])))
    return false;
  char* end = nullptr;
  if (integer)
    std::strtoll(text.c_str(), &end, 10);
  else
    std::strtod(text.c_str(), &end);
  return end && *end == '\0';
}

std::string article(const std::string& word) {
  return std::string(word[0] == 'a' || word[0] == 'i' ? "an " : "a ") + word;
}

// Maya's words for a flag given without its value or with one of another type.
std::string mustBePassed(const std::string& flag, int type) {
  return "Flag '" + flag + "' must be passed " + article(argumentTypeName(type)) + " argument";
}

struct Registered {
  bool declared = false;
  SyntaxSpec syntax;
};

std::map<std::string, Registered>& registry() {
  static std::map<std::string, Registered> syntaxes;
  return syntaxes;
}

// The values of one use of `flag`, from args[k + 1] on; false with the message.
bool takeValues(const FlagSpec& flag, const std::string& given, const std::vector<std::string>& args,
                std::size_t& k, FlagUse& use, std::string& error) {
  for (int type : flag.types) {
    if (k + 1 >= args.size() || looksLikeFlag(args[k + 1]) || !fitsType(type, args[k + 1])) {
      error = mustBePassed(given, type);
      return false;
    }
    use.values.push_back(args[++k]);
  }
  return true;
}

bool tooMany(const SyntaxSpec& syntax, std::size_t count) {
  if (syntax.objectFormat == MSyntax::kNone)
    return count > syntax.arguments.size();
  return count > syntax.maxObjects;
}

}  // namespace

const FlagSpec* SyntaxSpec::find(const std::string& name) const {
  const std::string wanted = bare(name);
  for (const FlagSpec& flag : flags)
    if (flag.shortName == wanted || flag.longName == wanted)
      return &flag;
  return nullptr;
}

FlagSpec* SyntaxSpec::find(const std::string& name) {
  return const_cast<FlagSpec*>(static_cast<const SyntaxSpec*>(this)->find(name));
}

const FlagUse* ParsedArgs::use(const std::string& flag, unsigned int index) const {
  const std::string wanted = bare(flag);
  for (const FlagUse& u : uses)
    if (u.flag.shortName == wanted || u.flag.longName == wanted) {
      if (index == 0)
        return &u;
      --index;
    }
  return nullptr;
}

std::string argumentTypeName(int type) {
  switch (type) {
  case MSyntax::kBoolean:
    return "boolean";
  case MSyntax::kLong:
  case MSyntax::kUnsigned:
    return "int";
  case MSyntax::kDouble:
    return "float";
  case MSyntax::kDistance:
    return "distance";
  case MSyntax::kAngle:
    return "angle";
  case MSyntax::kTime:
    return "time";
  default:
    return "string";
  }
}

bool fitsType(int type, const std::string& text) {
  switch (type) {
  case MSyntax::kBoolean:
    for (const char* word : {"true", "false", "on", "off", "yes", "no", "1", "0"})
      if (text == word)
        return true;
    return false;
  case MSyntax::kLong:
  case MSyntax::kUnsigned:
    return isNumber(text, true);
  case MSyntax::kDouble:
  case MSyntax::kDistance:
  case MSyntax::kAngle:
  case MSyntax::kTime:
    return isNumber(text, false);
  default:
    return true;
  }
}

bool parseArguments(const SyntaxSpec& syntax, const std::vector<std::string>& args, ParsedArgs& parsed,
                    std::string& error) {
  parsed = ParsedArgs();
  for (std::size_t k = 0; k < args.size(); ++k) {
    const std::string& arg = args[k];
    if (!looksLikeFlag(arg)) {
      parsed.positional.push_back(arg);
      continue;
    }
    const std::string name = arg.substr(1);
    if (syntax.query && (name == "q" || name == "query")) {
      parsed.query = true;
      continue;
    }
    if (syntax.edit && (name == "e" || name == "edit")) {
      parsed.edit = true;
      continue;
    }
    const FlagSpec* flag = syntax.find(name);
    if (!flag) {
      error = "Invalid flag '" + arg + "'";
      return false;
    }
    FlagUse use;
    use.flag = *flag;
    use.position = static_cast<unsigned int>(k);
    if (!(parsed.query && !flag->queryWithArgs) && !takeValues(*flag, arg, args, k, use, error))
      return false;
    parsed.uses.push_back(use);
  }
  if (tooMany(syntax, parsed.positional.size())) {
    error = "Too many objects or values.";
    return false;
  }
  return true;
}

const SyntaxSpec* commandSyntax(const std::string& command) {
  auto it = registry().find(command);
  return it == registry().end() || !it->second.declared ? nullptr : &it->second.syntax;
}

bool registeredWithoutSyntax(const std::string& command) {
  auto it = registry().find(command);
  return it != registry().end() && !it->second.declared;
}

void setCommandSyntax(const std::string& command, const SyntaxSpec* syntax) {
  Registered& entry = registry()[command];
  entry.declared = syntax != nullptr;
  entry.syntax = syntax ? *syntax : SyntaxSpec();
}

void forgetCommandSyntax(const std::string& command) { registry().erase(command); }

}  // namespace OmbrixHost
