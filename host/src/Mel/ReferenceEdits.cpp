// The edits a reference node stores ("dataReferenceEdits"): read from the
// scene, applied to the referenced nodes once the file holding them is read,
// and written back as Maya writes them.
#include "References.h"
#include "MelLexer.h"
#include "Scene.h"
#include "SetAttr.h"

#include <algorithm>

namespace OmbrixHost {
namespace {

class EditCursor {
public:
  EditCursor(std::vector<MelToken> tokens, std::size_t at) : tokens_(std::move(tokens)), at_(at) {}

  bool atEnd() const { return at_ >= tokens_.size() || tokens_[at_].kind == MelToken::kEnd; }

  bool word(std::string& out) {
    if (atEnd() || tokens_[at_].kind == MelToken::kPunct)
      return false;
    out = tokens_[at_++].text;
    return true;
  }

  bool number(long long& out, long long limit) {
    if (atEnd() || tokens_[at_].kind != MelToken::kNumber)
      return false;
    out = std::atoll(tokens_[at_++].text.c_str());
    return out >= 0 && out <= limit;
  }

  int line() const { return atEnd() ? 0 : tokens_[at_].line; }

private:
  std::vector<MelToken> tokens_;
  std::size_t at_;
};

constexpr long long kMaxEdits = 10000000;

bool readEdit(EditCursor& c, ReferenceEdit& edit, std::string& error) {
  long long kind = 0;
  if (!c.number(kind, 100)) {
    error = "an edit kind (a number) expected";
    return false;
  }
  edit.kind = static_cast<int>(kind);
  int words = referenceEditWords(edit.kind);
  if (edit.kind == 7) {
    // relationship: type, node, count, the count's plugs, then a flag
    std::string w;
    long long count = 0;
    for (int k = 0; k < 2; ++k)
      if (c.word(w))
        edit.words.push_back(w);
    if (edit.words.size() != 2 || !c.number(count, 1000)) {
      error = "a relationship edit needs a type, a node and a count";
      return false;
    }
    edit.words.push_back(std::to_string(count));
    words = static_cast<int>(count) + 1;
  } else if (words < 0) {
    error = "unknown edit kind " + std::to_string(kind);
    return false;
  }
  for (int k = 0; k < words; ++k) {
    std::string w;
    if (!c.word(w)) {
      error = "edit kind " + std::to_string(kind) + " needs " + std::to_string(words) + " words";
      return false;
    }
    edit.words.push_back(w);
  }
  return true;
}

bool runMelQuietly(const std::string& text, std::string& error) {
  MelValue ignored;
  return mel().run(text, ignored, error);
}

bool connected(const PlugRef& src, const PlugRef& dst) {
  for (const PlugRef& p : scene().connectedTo(dst, true, false))
    if (p.node == src.node && p.key() == src.key())
      return true;
  return false;
}

class EditApplier {
public:
  EditApplier(const ReferenceRecord& holder, std::vector<std::string>& problems)
      : holder_(holder), problems_(problems) {}

  void apply(const std::string& group, const ReferenceEdit& e) {
    std::string error;
    if (!named(e, error) || !run(e, error))
      problems_.push_back(referenceLocation(holder_.editsFile, holder_.editsLine, holder_.editsOffset) +
                          ": Warning: reference edit of " + group +
                          " (kind " + std::to_string(e.kind) + ") not applied: " + error);
  }

private:
  // The nodes an edit names must be in the scene: the reference may have changed since.
  static bool named(const ReferenceEdit& e, std::string& error) {
    std::vector<std::string> nodes;
    if (e.kind == 1 || e.kind == 2 || e.kind == 4)
      nodes.push_back(e.words[0]);
    if (e.kind == 3 || e.kind == 6)
      nodes = {plugNode(e.words[0]), plugNode(e.words[1])};
    if (e.kind == 0)
      nodes.push_back(e.words[0]);
    for (const auto& n : nodes)
      if (scene().findPaths(n).empty()) {
        error = "the reference holds no node " + scene().references.scoped(n);
        return false;
      }
    return true;
  }

  static std::string plugNode(const std::string& plug) {
    auto bar = plug.rfind('|');
    auto dot = plug.find('.', bar == std::string::npos ? 0 : bar);
    return plug.substr(0, dot);
  }

  bool run(const ReferenceEdit& e, std::string& error) {
    const auto& w = e.words;
    switch (e.kind) {
    case 0:
      return runMelQuietly("parent " + w[2] + " " + melQuoted(w[0]) + " " + melQuoted(w[1]) + ";", error);
    case 1:
      return runMelQuietly("addAttr -ln " + melQuoted(w[1]) + " -sn " + melQuoted(w[2]) + " " + w[3] + " " + melQuoted(w[0]) +
                               ";",
                           error);
    case 2: {
      std::string text = " " + melQuoted(w[0] + "." + w[1]) + w[2];
      return applySetAttr(text.data(), text.data() + text.size(), error);
    }
    case 3:
      return connect(w[0], w[1], w[2].find("-na") != std::string::npos, error);
    case 4:
      return deleteAttribute(w[0], w[1], error);
    case 5:
      return throughPlaceholder(w, error);
    case 6:
      return runMelQuietly("disconnectAttr " + melQuoted(w[0]) + " " + melQuoted(w[1]) + ";", error);
    default:
      return true;  // relationships (light linking) are not kept by the host
    }
  }

  static bool connect(const std::string& from, const std::string& to, bool nextAvailable, std::string& error) {
    auto& s = scene();
    PlugRef src, dst;
    if (!s.resolvePlug(from, src, error) || !s.resolvePlug(to, dst, error))
      return false;
    if (connected(src, dst))
      return true;  // saved again with the scene: made already
    return s.connect(src, dst, true, nextAvailable, error);
  }

  static bool deleteAttribute(const std::string& nodeName, const std::string& attrName, std::string& error) {
    Node* n = scene().findNode(nodeName);
    AttrDef* attr = n ? n->findAttribute(attrName) : nullptr;
    if (!attr || !attr->dynamic || attr->parent) {
      error = "no added attribute " + attrName + " on " + nodeName;
      return false;
    }
    for (const auto& c : n->connections.snapshot())
      if (c.local.attr == attr || c.localKey.compare(0, attr->name.size(), attr->name) == 0) {
        if (c.outgoing)
          scene().disconnect(c.local, c.remote, error);
        else
          scene().disconnect(c.remote, c.local, error);
      }
    std::vector<std::pair<const AttrDef*, std::vector<int>>> stored;
    n->values.forEach([&](const AttrDef* a, const std::vector<int>& indices, const Value&) {
      if (a->chain().front() == attr)
        stored.emplace_back(a, indices);
    });
    for (const auto& [a, indices] : stored)
      n->values.erase(a, indices);
    auto& list = n->dynamicAttrs;
    list.erase(std::remove_if(list.begin(), list.end(), [&](const auto& a) { return a.get() == attr; }), list.end());
    return true;
  }

  // "5 K RN plug RN.placeHolderList[i] other": what the scene connected to
  // the placeholder goes to the referenced plug (K 3: the plug is the source).
  static bool throughPlaceholder(const std::vector<std::string>& w, std::string& error) {
    auto& s = scene();
    PlugRef plug, holder;
    if (!s.resolvePlug(w[2], plug, error) || !s.resolvePlug(w[3], holder, error))
      return false;
    bool moved = false;
    for (const PlugRef& src : s.connectedTo(holder, true, false)) {
      moved = s.disconnect(src, holder, error) && s.connect(src, plug, true, false, error);
      if (!moved)
        return false;
    }
    for (const PlugRef& dst : s.connectedTo(holder, false, true)) {
      moved = s.disconnect(holder, dst, error) && s.connect(plug, dst, true, false, error);
      if (!moved)
        return false;
    }
    if (moved || w[4].empty())
      return true;
    return w[0] == "3" ? connect(w[2], w[4], true, error) : connect(w[4], w[2], false, error);
  }

  const ReferenceRecord& holder_;
  std::vector<std::string>& problems_;
};

}  // namespace

int referenceEditWords(int kind) {
  switch (kind) {
  case 0:  // parent: child, parent, flags
  case 2:  // setAttr: node, attribute, value
  case 3:  // connectAttr: source, destination, flags
  case 4:  // deleteAttr: node, attribute, flags
  case 6:  // disconnectAttr: source, destination, flags
    return 3;
  case 1:  // addAttr: node, long name, short name, flags
    return 4;
  case 5:  // a connection through a placeholder: direction, reference node, plug, placeholder, other end
    return 5;
  default:
    return -1;
  }
}

std::string melQuoted(const std::string& text) {
  std::string out = "\"";
  for (char ch : text) {
    if (ch == '"' || ch == '\\')
      out += '\\';
    if (ch == '\n') {
      out += "\\n";
      continue;
    }
    out += ch;
  }
  return out + "\"";
}

bool readReferenceEdits(const char* begin, const char* end, std::string& holder, std::string& error) {
  auto& s = scene();
  std::vector<MelToken> tokens;
  MelFailure failure;
  if (!tokenizeMel(std::string(begin, end), tokens, failure)) {
    error = failure.text();
    return false;
  }
  std::size_t at = 0;
  while (at < tokens.size() && tokens[at].text != "dataReferenceEdits")
    ++at;
  EditCursor c(std::move(tokens), at + 1);
  std::string owner;
  if (!c.word(owner)) {
    error = "dataReferenceEdits: the reference node's name expected";
    return false;
  }
  std::vector<ReferenceEditGroup> groups;
  while (!c.atEnd()) {
    ReferenceEditGroup g;
    long long count = 0;
    if (!c.word(g.referenceNode) || !c.number(count, kMaxEdits)) {
      error = "dataReferenceEdits: a reference node and an edit count expected";
      return false;
    }
    for (long long k = 0; k < count; ++k) {
      ReferenceEdit e;
      if (!readEdit(c, e, error)) {
        error = "dataReferenceEdits: edit " + std::to_string(k + 1) + " of " + g.referenceNode + ": " + error;
        return false;
      }
      g.edits.push_back(std::move(e));
    }
    groups.push_back(std::move(g));
  }
  return keepReferenceEdits(owner, std::move(groups), s.currentLine, -1, holder, error);
}

bool keepReferenceEdits(const std::string& owner, std::vector<ReferenceEditGroup> groups, int line, long long offset,
                        std::string& holder, std::string& error) {
  auto& s = scene();
  auto current = s.currentNode.lock();
  ReferenceRecord* record = current ? s.references.find(current->name) : nullptr;
  if (!record) {
    // Maya's sharedReferenceNode holds none.
    if (groups.empty())
      return true;
    error = "reference edits on " + (current ? current->name : std::string("no node")) +
            ", which no file reference names";
    return false;
  }
  holder = record->referenceNode;
  record->ownerNode = owner;
  record->editGroups = std::move(groups);
  record->editsFile = s.references.openFiles.empty() ? "" : s.references.openFiles.back();
  record->editsLine = line;
  record->editsOffset = offset;
  return true;
}

void applyReferenceEdits(const std::vector<std::string>& holders, std::vector<std::string>& problems) {
  auto& refs = scene().references;
  for (const auto& name : holders) {
    const ReferenceRecord* found = refs.find(name);
    if (!found || found->state != ReferenceRecord::kLoaded)
      continue;
    // A copy, so that nothing the edits run can move it.
    const ReferenceRecord holder = *found;
    EditApplier applier(holder, problems);
    for (const auto& group : holder.editGroups) {
      const ReferenceRecord* target = refs.find(refs.scoped(group.referenceNode));
      if (!target || target->state != ReferenceRecord::kLoaded)
        continue;  // kept for when it loads, as Maya keeps them
      for (const auto& e : group.edits)
        applier.apply(target->referenceNode, e);
    }
  }
}

std::string referenceEditsText(const std::string& referenceNode) {
  const ReferenceRecord* r = scene().references.find(referenceNode);
  if (!r || r->ownerNode.empty())
    return "";
  const bool loaded = r->state == ReferenceRecord::kLoaded;
  std::string out = "\n\t\t" + melQuoted(r->ownerNode);
  for (const auto& g : r->editGroups) {
    std::string edits;
    std::size_t count = 0;
    for (const auto& e : g.edits) {
      // Connections through placeholders are saved as the connections they made.
      if (loaded && e.kind == 5)
        continue;
      ++count;
      edits += "\n\t\t" + std::to_string(e.kind);
      for (std::size_t k = 0; k < e.words.size(); ++k) {
        const bool number = (e.kind == 5 && k == 0) || (e.kind == 7 && k == 2) ||
                            (e.kind == 7 && k + 1 == e.words.size());
        edits += " " + (number ? e.words[k] : melQuoted(e.words[k]));
      }
    }
    out += "\n\t\t" + melQuoted(g.referenceNode) + " " + std::to_string(count) + edits;
  }
  return out;
}

}  // namespace OmbrixHost
