// "file -r" and "file -rdi" lines of Maya ASCII scenes: each reference is
// found, read under its namespace, or left as Maya leaves it (deferred,
// missing, a file the host cannot read, a cycle) with one warning.
#include "References.h"
#include "Scene.h"

#include <filesystem>

namespace OmbrixHost {
namespace {

namespace fs = std::filesystem;

bool exists(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(fs::u8path(path), ec);
}

std::string canonical(const std::string& path) {
  std::error_code ec;
  fs::path p = fs::weakly_canonical(fs::u8path(path), ec);
  return ec ? path : p.generic_u8string();
}

std::string quotedPath(const std::string& path) { return "\"" + path + "\""; }

std::string joined(const std::vector<std::string>& paths) {
  std::string out;
  for (const auto& p : paths)
    out += (out.empty() ? "" : ", ") + quotedPath(p);
  return out;
}

// The file type a reference names: its -typ, else its extension.
std::string fileType(const ReferenceRecord& r) {
  const std::string ext = fs::u8path(r.resolved).extension().u8string();
  if (ext == ".mb" || ext == ".MB")
    return "mayaBinary";
  return r.type.empty() ? "mayaAscii" : r.type;
}

// Each file type is read by the reader set for it (Maya Binary files by the
// one loadSceneFile sets). The path is a copy: the reading adds records and
// may move this one.
bool readReferencedFile(const std::string type, const std::string path, std::vector<std::string>& problems,
                        std::string& why) {
  auto& readers = scene().references.readers;
  auto reader = readers.find(type);
  if (reader == readers.end() || !reader->second) {
    why = type == "mayaBinary" ? "Maya Binary files are not read by this host"
                               : "files of type \"" + type + "\" are not read by this host";
    return false;
  }
  reader->second(path, problems);
  return true;
}

class ReferenceLine {
public:
  ReferenceLine(const MelFlags& f) : f_(f), s_(scene()), refs_(s_.references) {}

  void depthInfo() {
    // The scene being opened says which references, at any depth, are loaded.
    ReferenceRecord r = described();
    if (refs_.depthInfo.count(r.referenceNode))
      return;
    refs_.depthInfo[r.referenceNode].deferred = deferred();
    if (refs_.openFiles.size() > 1)
      return;
    r.depth = static_cast<int>(f_.number("referenceDepthInfo", 1));
    for (auto it = refs_.records.rbegin(); it != refs_.records.rend(); ++it)
      if (it->depth == r.depth - 1) {
        r.parentReference = it->referenceNode;
        break;
      }
    r.state = deferred() ? ReferenceRecord::kDeferred : ReferenceRecord::kMissing;
    refs_.add(std::move(r));
  }

  void reference() {
    ReferenceRecord r = described();
    r.stated = true;
    r.parentReference = refs_.reading;
    r.depth = static_cast<int>(refs_.openFiles.size());
    ReferenceRecord* known = refs_.find(r.referenceNode);
    auto info = refs_.depthInfo.find(r.referenceNode);
    const bool deferredNow = info != refs_.depthInfo.end() ? info->second.deferred : deferred();
    if (known && known->stated) {
      warn(r, "reference node \"" + r.referenceNode + "\" is named by an earlier reference; this one is left out");
      return;
    }
    ReferenceRecord& record = known ? *known : refs_.add(r);
    if (known)
      keepDescription(record, r);
    record.tried = referenceCandidates(record.written, refs_.openFiles.back(), s_.workspaceRoot);
    for (const auto& candidate : record.tried)
      if (exists(candidate)) {
        record.resolved = candidate;
        break;
      }
    if (deferredNow) {
      record.state = ReferenceRecord::kDeferred;
      return;
    }
    if (record.resolved.empty()) {
      record.state = ReferenceRecord::kMissing;
      warn(record, "cannot find " + quotedPath(record.written) + "; tried " + joined(record.tried));
      return;
    }
    load(record);
  }

private:
  ReferenceRecord described() const {
    ReferenceRecord r;
    r.nameSpace = f_.text("namespace");
    r.prefix = f_.text("renamingPrefix");
    r.type = f_.text("type", "mayaAscii");
    r.options = f_.text("options");
    r.written = f_.positional.empty() ? "" : f_.positional.back().asString();
    std::string own = f_.text("referenceNode");
    if (own.empty())
      own = (r.nameSpace.empty() || r.nameSpace == ":" ? fs::u8path(r.written).stem().u8string() : r.nameSpace) + "RN";
    r.referenceNode = refs_.scoped(own);
    r.file = refs_.openFiles.empty() ? "" : refs_.openFiles.back();
    r.line = s_.currentLine;
    return r;
  }

  bool deferred() const { return f_.has("deferReference") && f_.number("deferReference", 1) != 0; }

  static void keepDescription(ReferenceRecord& record, const ReferenceRecord& line) {
    const int depth = record.depth;
    record = line;
    record.depth = depth;
  }

  void warn(const ReferenceRecord& r, const std::string& what) {
    refs_.messages.push_back(r.file + ":" + std::to_string(r.line) + ": Warning: reference " + r.referenceNode + ": " +
                             what);
  }

  std::string scopeOf(const ReferenceRecord& r) const {
    if (!r.nameSpace.empty())
      return r.nameSpace == ":" ? refs_.scope : refs_.scope + r.nameSpace + ":";
    return r.prefix.empty() ? refs_.scope : refs_.scope + r.prefix + "_";
  }

  // Maya's answer to a namespace in use: the next free one, "pillow1".
  std::string freeScope(const ReferenceRecord& r, std::string scope) {
    if (r.nameSpace.empty() || r.nameSpace == ":")
      return scope;
    auto used = [&](const std::string& candidate) { return refs_.loadedScopes.count(candidate) != 0; };
    if (!used(scope))
      return scope;
    const std::string base = scope.substr(0, scope.size() - 1);
    for (int n = 1;; ++n)
      if (!used(base + std::to_string(n) + ":")) {
        warn(r, "namespace \"" + base + "\" is in use; the reference is read into \"" + base + std::to_string(n) +
                    "\"");
        return base + std::to_string(n) + ":";
      }
  }

  void load(ReferenceRecord& record) {
    const std::string file = canonical(record.resolved);
    for (const auto& open : refs_.openCanonical)
      if (open == file) {
        record.state = ReferenceRecord::kCycle;
        warn(record, quotedPath(record.resolved) + " is already being read (a reference cycle); it is left out");
        return;
      }
    if (record.depth > kMaxReferenceDepth) {
      record.state = ReferenceRecord::kUnreadable;
      warn(record, "references nest deeper than " + std::to_string(kMaxReferenceDepth) + "; it is left out");
      return;
    }
    if (refs_.reads >= kMaxReferenceReads) {
      record.state = ReferenceRecord::kUnreadable;
      warn(record, "more than " + std::to_string(kMaxReferenceReads) + " referenced files are read; it is left out");
      return;
    }
    ++refs_.reads;
    record.scope = freeScope(record, scopeOf(record));
    refs_.loadedScopes.insert(record.scope);
    const std::string outerScope = refs_.scope, outerReading = refs_.reading;
    const std::string name = record.referenceNode;
    refs_.scope = record.scope;
    refs_.reading = name;
    refs_.openFiles.push_back(record.resolved);
    refs_.openCanonical.push_back(file);
    record.state = ReferenceRecord::kLoaded;
    std::vector<std::string> problems;
    std::string why;
    const bool read = readReferencedFile(fileType(record), record.resolved, problems, why);
    refs_.openFiles.pop_back();
    refs_.openCanonical.pop_back();
    refs_.scope = outerScope;
    refs_.reading = outerReading;
    // The nested reading may have added records: look this one up again.
    ReferenceRecord& again = *refs_.find(name);
    refs_.messages.insert(refs_.messages.end(), problems.begin(), problems.end());
    if (!read) {
      again.state = ReferenceRecord::kUnreadable;
      warn(again, quotedPath(again.resolved) + ": " + why + "; tried " + joined(again.tried));
    }
  }

  const MelFlags& f_;
  Scene& s_;
  SceneReferences& refs_;
};

}  // namespace

const char* referenceStateName(ReferenceRecord::State state) {
  switch (state) {
  case ReferenceRecord::kLoaded:
    return "loaded";
  case ReferenceRecord::kDeferred:
    return "deferred";
  case ReferenceRecord::kMissing:
    return "missing";
  case ReferenceRecord::kUnreadable:
    return "unreadable";
  case ReferenceRecord::kCycle:
    return "cycle";
  }
  return "missing";
}

void referenceLine(const MelFlags& flags, bool depthInfo) {
  if (!scene().loading || scene().references.openFiles.empty())
    MelInterpreter::fail("file: references are read from scene files only");
  ReferenceLine line(flags);
  if (depthInfo)
    line.depthInfo();
  else
    line.reference();
}

void startReferences(const std::string& scenePath) {
  auto& refs = scene().references;
  refs.openFiles = {scenePath};
  refs.openCanonical = {canonical(scenePath)};
}

void finishReferences() {
  auto& refs = scene().references;
  refs.openFiles.clear();
  refs.openCanonical.clear();
  for (auto& r : refs.records) {
    if (r.stated)
      continue;
    const ReferenceRecord* parent = r.parentReference.empty() ? nullptr : refs.find(r.parentReference);
    if (r.state == ReferenceRecord::kDeferred || (parent && parent->state != ReferenceRecord::kLoaded))
      r.state = ReferenceRecord::kDeferred;
  }
}

// The namespace a reference's nodes are in, or would be when it loaded: "lamp:bulb".
std::string namespaceOf(const ReferenceRecord& r, int depth = 0) {
  if (r.state == ReferenceRecord::kLoaded && !r.scope.empty())
    return r.scope.substr(0, r.scope.size() - 1);
  const std::string own = r.nameSpace.empty() ? r.prefix : r.nameSpace;
  const ReferenceRecord* parent = r.parentReference.empty() || depth > kMaxReferenceDepth
                                      ? nullptr
                                      : scene().references.find(r.parentReference);
  const std::string above = parent ? namespaceOf(*parent, depth + 1) : "";
  if (above.empty() || above == ":")
    return own;
  return own == ":" ? above : above + ":" + own;
}

std::string referencesJson(std::string (*quote)(const std::string&)) {
  std::string out = "[";
  for (const auto& r : scene().references.records) {
    out += (out.size() > 1 ? ",{" : "{");
    out += "\"node\":" + quote(r.referenceNode) + ",\"namespace\":" + quote(namespaceOf(r)) +
           ",\"file\":" + quote(r.resolved.empty() ? r.written : r.resolved) + ",\"depth\":" + std::to_string(r.depth) +
           ",\"state\":" + quote(referenceStateName(r.state)) + "}";
  }
  return out + "]";
}

}  // namespace OmbrixHost
