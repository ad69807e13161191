// Flag parsing for the built-in commands: long and short names, values,
// optional booleans and query mode.
#include "MelInterpreter.h"

namespace OmbrixHost {

std::string MelFlags::text(const std::string& name, const std::string& fallback) const {
  auto it = flags.find(name);
  return it == flags.end() || it->second.empty() ? fallback : it->second.front().asString();
}

double MelFlags::number(const std::string& name, double fallback) const {
  auto it = flags.find(name);
  return it == flags.end() || it->second.empty() ? fallback : it->second.front().asNumber();
}

bool MelFlags::on(const std::string& name, bool fallback) const {
  auto it = flags.find(name);
  if (it == flags.end())
    return fallback;
  if (it->second.empty())
    return true;
  const std::string word = it->second.front().asString();
  return word == "true" || word == "on" || word == "yes" || word == "1";
}

static bool boolWord(const MelValue& v) {
  static const char* words[] = {"true", "false", "on", "off", "yes", "no", "1", "0"};
  std::string s = v.asString();
  for (const char* w : words)
    if (s == w)
      return true;
  return false;
}

MelFlags parseMelFlags(const std::string& command, const std::vector<MelValue>& args, const MelFlagTable& spec) {
  MelFlags out;
  bool querying = false;
  for (std::size_t k = 0; k < args.size(); ++k) {
    const MelValue& a = args[k];
    if (!a.isFlag()) {
      out.positional.push_back(a);
      continue;
    }
    std::string flag = a.s.substr(1);
    const MelFlagSpec* found = nullptr;
    for (const auto& s : spec)
      if (flag == s.longName || flag == s.shortName)
        found = &s;
    if (!found)
      MelInterpreter::fail(command + ": Invalid flag '-" + flag + "'");
    std::string name = found->longName;
    if (name == "query")
      querying = true;
    auto& values = out.flags[name];
    int arity = querying && name != "query" ? 0 : found->arity;
    if (arity < 0) {
      if (k + 1 < args.size() && !args[k + 1].isFlag() && boolWord(args[k + 1]))
        values.push_back(args[++k]);
      continue;
    }
    for (int n = 0; n < arity; ++n) {
      if (k + 1 >= args.size())
        MelInterpreter::fail(command + ": Flag '-" + flag + "' must be passed a value");
      values.push_back(args[++k]);
    }
  }
  return out;
}

}  // namespace OmbrixHost