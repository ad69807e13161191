// Reading Maya Binary scenes into the same scene the Maya ASCII reader fills.
// The file is one "Maya" group holding, in order: a HEAD group (version,
// units, plug-in requirements, file info), FREF groups (file references),
// FRDI and FREF groups (file references), one group per node (its form type
// is the node type's code; SLCT groups select a default node instead), and a
// CONS list of connections. Problems
// are reported as "FILE: offset N: REASON"; what cannot be decoded safely is
// skipped by its size and told once per node type, and the rest loads.
#include "BinaryAttributes.h"
#include "BinaryReferences.h"
#include "HostSession.h"
#include "IffReader.h"
#include "NodeTypeCodes.h"
#include "References.h"
#include "Scene.h"
#include "SceneLoading.h"
#include "SceneEvaluation.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <utility>

namespace OmbrixHost {
namespace {

namespace fs = std::filesystem;

constexpr std::uint8_t kCreateShared = 0x01;  // CREA: like createNode -s
constexpr std::uint8_t kCreateAtTop = 0x80;   // CREA: no parent name follows (Maya 2020)
constexpr std::uint8_t kNextAvailable = 0x01; // CWFL: like connectAttr -na

bool is(const char* tag, const char* word) { return std::memcmp(tag, word, 4) == 0; }

double framesPerSecond(const std::string& unit) {
  static const std::pair<const char*, double> kUnits[] = {
      {"game", 15}, {"film", 24}, {"pal", 25}, {"ntsc", 30}, {"show", 48}, {"palf", 50}, {"ntscf", 60},
      {"sec", 1},   {"min", 1.0 / 60}, {"hour", 1.0 / 3600}, {"millisec", 1000}};
  for (const auto& u : kUnits)
    if (unit == u.first)
      return u.second;
  if (unit.size() > 3 && unit.compare(unit.size() - 3, 3, "fps") == 0)
    return std::atof(unit.c_str());
  return 24;
}

bool readMayaBinaryInto(const std::string& path, std::vector<std::string>& problems);

class BinarySceneReader {
public:
  BinarySceneReader(const std::uint8_t* bytes, std::size_t size, const std::string& name,
                    std::vector<std::string>& problems)
      : iff_(bytes, size), name_(name), problems_(problems), budget_(8 * static_cast<std::uint64_t>(size) + 65536) {}

  bool read() {
    IffChunk top;
    std::string damage;
    if (!open(top, damage))
      return false;
    scene().reset();
    scene().fileFormat = "mayaBinary";
    SceneLoading loading;
    auto& readers = scene().references.readers;
    readers["mayaAscii"] = readMayaAsciiInto;
    readers["mayaBinary"] = readMayaBinaryInto;
    startReferences(name_);
    readNodes(top, damage);
    finishReferences();
    evaluateLoadedScene(name_, problems_);
    return complete_;
  }

  // A referenced file: its nodes go into the scene being read, under the
  // reference's namespace; its header is the referencing scene's business.
  bool readReferenced() {
    IffChunk top;
    std::string damage;
    if (!open(top, damage))
      return false;
    referenced_ = true;
    readNodes(top, damage);
    return complete_;
  }

private:
  bool open(IffChunk& top, std::string& damage) {
    std::string error;
    if (iff_.open(top, error, damage))
      return true;
    problems_.push_back(name_ + ": " + error);
    return false;
  }

  void readNodes(const IffChunk& top, const std::string& damage) {
    eachChild(top, [&](const IffChunk& c) { topLevel(c); });
    applyReferenceEdits(editHolders_, problems_);
    if (!damage.empty())
      broken(damage);
    if (top.data + top.size < iff_.size())
      broken(atOffset(top.data + top.size, "bytes follow the Maya group"));
  }

  void topLevel(const IffChunk& chunk) {
    if (!chunk.group) {
      once("", chunk.tag, chunk.offset, std::string("a ") + chunk.tag + " chunk outside any node is not read");
      return;
    }
    if (std::memcmp(chunk.tag, "LIS", 3) == 0 && is(chunk.form, "CONS"))
      connectionList(chunk);
    else if (is(chunk.form, "HEAD") && !referenced_)
      head(chunk);
    else if (is(chunk.form, "HEAD"))
      return;
    else if (is(chunk.form, "FREF") || is(chunk.form, "FRDI"))
      reference(chunk);
    else if (is(chunk.form, "SLCT"))
      node(chunk, selectNode(chunk));
    else if (std::memcmp(chunk.tag, "FOR", 3) == 0)
      node(chunk, createNode(chunk));
    else
      once("", chunk.form, chunk.offset, std::string("a ") + chunk.tag + " group of form " + chunk.form + " is not read");
  }

  // The chunks of a group one by one; a broken header ends the group.
  template <typename Visit>
  void eachChild(const IffChunk& group, Visit visit) {
    IffGroupCursor cursor = iff_.children(group);
    IffChunk chunk;
    std::string error;
    while (iff_.next(cursor, chunk, error))
      visit(chunk);
    if (!error.empty())
      broken(error);
  }

  ChunkData dataOf(const IffChunk& c) const { return ChunkData(iff_.bytes() + c.data, c.data, c.size); }

  void head(const IffChunk& group) {
    auto& s = scene();
    eachChild(group, [&](const IffChunk& c) {
      ChunkData d = dataOf(c);
      std::string a, b;
      if (is(c.tag, "VERS"))
        s.savedBy = d.rest();
      else if (is(c.tag, "LUNI"))
        s.linearUnit = d.rest();
      else if (is(c.tag, "AUNI"))
        s.angleUnit = d.rest() == "rad" ? "rad" : "deg";
      else if (is(c.tag, "TUNI"))
        time_.framesPerSecond = framesPerSecond(d.rest());
      else if (is(c.tag, "TDUR"))
        time_.ticksPerSecond = std::atof(d.rest().c_str());
      else if (is(c.tag, "FINF") && d.text(a) && d.text(b))
        s.fileInfo.emplace_back(a, b);
      else if (is(c.tag, "PLUG") && d.text(a) && d.text(b))
        s.requirements.push_back("\"" + a + "\" \"" + b + "\"");
    });
  }

  // A FREF group reads the file it names as a "file -r" line does; a FRDI
  // group says, as "file -rdi" does, whether a reference at any depth loads.
  void reference(const IffChunk& group) {
    const bool depthInfo = is(group.form, "FRDI");
    eachChild(group, [&](const IffChunk& c) {
      if (!is(c.tag, group.form)) {
        once("", c.tag, c.offset, std::string("a ") + c.tag + " chunk in a " + group.form + " group is not read");
        return;
      }
      ReferenceStatement st;
      std::string why;
      if (!readReferenceChunk(dataOf(c), depthInfo, st, why)) {
        problem(c.offset, why + " (skipped)");
        return;
      }
      st.offset = static_cast<long long>(c.offset);
      referenceStatement(st, depthInfo);
      auto& messages = scene().references.messages;
      problems_.insert(problems_.end(), messages.begin(), messages.end());
      messages.clear();
    });
  }

  Node* createNode(const IffChunk& group) {
    IffGroupCursor cursor = iff_.children(group);
    IffChunk crea;
    std::string error;
    if (!iff_.next(cursor, crea, error) || !is(crea.tag, "CREA")) {
      broken(error.empty() ? atOffset(group.data, std::string("the node group ") + group.form + " does not begin with CREA")
                           : error);
      return nullptr;
    }
    ChunkData d = dataOf(crea);
    std::uint8_t flags;
    std::string name, parentName;
    // Maya 2020 sets 0x80 on a node without a parent and ends every CREA with
    // the node's UUID; Maya 2015 writes no UUID, and a parent name when there is one.
    if (!d.u8(flags) || !d.text(name) || (!(flags & kCreateAtTop) && d.remaining() > 0 && !d.text(parentName))) {
      broken(atOffset(crea.data, "the CREA chunk is cut off"));
      return nullptr;
    }
    const char* type = nodeTypeForCode(group.form);
    if (!type) {
      if (told_.insert(std::string("code/") + group.form).second)
        problem(group.offset, std::string("the node type code \"") + group.form + "\" is not known; " + name +
                                  " is read as an unknown node (told once per code)");
      type = "unknown";
    }
    auto& s = scene();
    Node* parent = nullptr;
    if (!parentName.empty()) {
      auto paths = s.findPaths(parentName);
      if (paths.empty() || paths[0].empty())
        problem(crea.offset, "the parent " + parentName + " of " + name + " does not exist");
      else
        parent = paths[0].back();
    }
    if (flags & kCreateShared) {
      auto paths = s.findPaths(parent ? s.fullPathName(s.allPaths(parent)[0]) + "|" + name : name);
      if (!paths.empty() && !paths[0].empty())
        return paths[0].back();
    }
    Node* made = s.createNode(type, name, parent, error);
    if (!made)
      problem(crea.offset, "createNode " + std::string(type) + " " + name + ": " + error);
    return made;
  }

  // A default node of the scene, or one of another Maya version kept as the file names it.
  Node* selectNode(const IffChunk& group) {
    IffGroupCursor cursor = iff_.children(group);
    IffChunk slct;
    std::string error;
    if (!iff_.next(cursor, slct, error) || !is(slct.tag, "SLCT")) {
      broken(error.empty() ? atOffset(group.data, "the SLCT group does not begin with a SLCT chunk") : error);
      return nullptr;
    }
    std::string name = dataOf(slct).rest();
    auto& s = scene();
    auto paths = s.findPaths(name);
    if (!paths.empty() && !paths[0].empty())
      return paths[0].back();
    Node* made = name.size() > 1 && name[0] == ':' ? s.createImpliedDefault(name.substr(1), error) : nullptr;
    if (made)
      made->implied = true;
    else
      problem(slct.offset, "no node " + name + " to select");
    return made;
  }

  // The attribute chunks after the node group's first (CREA or SLCT) chunk.
  void node(const IffChunk& group, Node* n) {
    if (!n)
      return;
    scene().currentNode = n->self;
    bool first = true;
    eachChild(group, [&](const IffChunk& c) {
      if (std::exchange(first, false))
        return;
      if (c.group) {
        once(n->typeName, c.tag, c.offset, std::string("a group inside node ") + n->name + " is not read");
        return;
      }
      if (is(c.tag, "REFE")) {
        referenceEdits(*n, c);
        return;
      }
      if (is(c.tag, "ATTR")) {
        once(n->typeName, c.tag, c.offset, "added attributes (ATTR) are not read; the first on " + n->name);
        return;
      }
      std::string reason;
      if (readAttributeChunk(*n, c.tag, dataOf(c), time_, budget_, reason) != AttrChunkResult::kSkipped)
        return;
      // Geometry left out is refused, each time, as a refused Maya ASCII value is.
      if (is(c.tag, "MESH"))
        reportRefusal(problems_, name_ + ": " + atOffset(c.offset, n->typeName + " " + n->name + ": " + reason + " (refused)"),
                      true);
      else
        once(n->typeName, c.tag, c.offset, n->name + ": " + reason);
    });
  }

  // A reference node's edits, applied once the whole file is read.
  void referenceEdits(const Node& n, const IffChunk& c) {
    ChunkData d = dataOf(c);
    std::string attr, owner, why, holder;
    std::uint8_t flags = 0;
    std::vector<ReferenceEditGroup> groups;
    if (!d.text(attr) || !d.u8(flags) || !readReferenceEditsChunk(d, owner, groups, why)) {
      problem(c.offset, "the edits of " + n.name + " are not applied: " + (why.empty() ? "the chunk is cut off" : why) +
                            " (skipped)");
      return;
    }
    if (!keepReferenceEdits(owner, std::move(groups), 0, static_cast<long long>(c.offset), holder, why))
      problem(c.offset, why);
    else if (!holder.empty())
      editHolders_.push_back(holder);
  }

  void connectionList(const IffChunk& list) {
    eachChild(list, [&](const IffChunk& group) {
      if (!group.group || !is(group.form, "CONN")) {
        once("", group.tag, group.offset, std::string("a ") + group.tag + " in the connection list is not read");
        return;
      }
      eachChild(group, [&](const IffChunk& c) { connection(c); });
    });
  }

  void connection(const IffChunk& c) {
    if (is(c.tag, "RELA"))
      return;  // light links: relationships the host does not keep (as with Maya ASCII)
    if (!is(c.tag, "CWFL") && !is(c.tag, "CONN")) {
      once("", c.tag, c.offset, std::string("a ") + c.tag + " chunk among the connections is not read");
      return;
    }
    ChunkData d = dataOf(c);
    std::uint8_t flags;
    std::string src, dst, error;
    if (!d.u8(flags) || !d.text(src) || !d.text(dst)) {
      problem(c.offset, "the connection is cut off");
      return;
    }
    auto& s = scene();
    PlugRef from, to;
    if (!s.resolvePlug(src, from, error) || !s.resolvePlug(dst, to, error) ||
        !s.connect(from, to, false, flags & kNextAvailable, error))
      problem(c.offset, "connectAttr " + src + " " + dst + ": " + error);
  }

  void problem(std::uint64_t offset, const std::string& reason) {
    problems_.push_back(name_ + ": " + atOffset(offset, reason));
  }

  // Damage to the file's structure: what follows in the group is lost.
  void broken(const std::string& located) {
    problems_.push_back(name_ + ": " + located);
    complete_ = false;
  }

  // Told once per node type (and chunk tag), then skipped silently.
  void once(const std::string& nodeType, const char* tag, std::uint64_t offset, const std::string& reason) {
    if (!told_.insert(nodeType + "/" + std::string(tag, 4)).second)
      return;
    problem(offset, (nodeType.empty() ? "" : nodeType + " ") + reason + " (skipped" +
                        (nodeType.empty() ? ")" : "; told once for " + nodeType + " nodes)"));
  }

  IffReader iff_;
  std::string name_;
  std::vector<std::string>& problems_;
  std::set<std::string> told_;
  TimeUnits time_;
  IndexBudget budget_;
  bool complete_ = true;
  bool referenced_ = false;
  std::vector<std::string> editHolders_;  // reference nodes whose edits the file holds
};

// A Maya Binary file referenced from the scene being read.
bool readMayaBinaryInto(const std::string& path, std::vector<std::string>& problems) {
  std::string bytes;
  if (readWholeFile(path, bytes) != FileRead::kRead) {
    problems.push_back(path + ": " + atOffset(0, "cannot read the file"));
    return false;
  }
  BinarySceneReader reader(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), path, problems);
  return reader.readReferenced();
}

}  // namespace

bool loadMayaBinaryData(const std::string& bytes, const std::string& name, std::vector<std::string>& problems) {
  BinarySceneReader reader(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), name, problems);
  return reader.read();
}

bool loadMayaBinary(const std::string& path, std::vector<std::string>& problems) {
  std::string bytes;
  const FileRead read = readWholeFile(path, bytes);
  if (read != FileRead::kRead) {
    problems.push_back(path + ": " +
                       atOffset(0, read == FileRead::kCannotOpen ? "cannot open the file" : "cannot read the file"));
    return false;
  }
  adoptWorkspace(path);
  return loadMayaBinaryData(bytes, path, problems);
}

bool loadSceneFile(const std::string& path, std::vector<std::string>& problems) {
  // Maya Binary files a Maya ASCII scene references are read here too.
  scene().references.readers["mayaBinary"] = readMayaBinaryInto;
  char magic[4] = {};
  std::ifstream(fs::u8path(path), std::ios::binary).read(magic, 4);
  const bool binary = std::memcmp(magic, "FOR4", 4) == 0 || std::memcmp(magic, "FOR8", 4) == 0;
  const bool loaded = binary ? loadMayaBinary(path, problems) : loadMayaAscii(path, problems);
  std::error_code ec;
  if (loaded)
    scene().sceneFile = fs::absolute(fs::u8path(path), ec).generic_u8string();
  return loaded;
}

}  // namespace OmbrixHost
