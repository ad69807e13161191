// FREF, FRDI and REFE chunks: file references and their edits in Maya Binary.
#include "BinaryReferences.h"

namespace OmbrixHost {

// A FREF chunk: the path, the namespace, a byte that is 1 when the names go
// into that namespace, the deferred byte (1 on every FREF, as "-dr 1" is on
// every "file -r" line of Maya ASCII; FRDI's decides), the reference node,
// NUL bytes, the options and the file type, each text NUL-ended. A FRDI
// chunk holds the same after a 32-bit depth.
bool readReferenceChunk(ChunkData d, bool depthInfo, ReferenceStatement& st, std::string& why) {
  std::int32_t depth = 1;
  std::uint8_t intoNamespace = 0, deferred = 0;
  if ((depthInfo && !d.i32(depth)) || !d.text(st.written) || !d.text(st.nameSpace) || !d.u8(intoNamespace) ||
      !d.u8(deferred) || !d.text(st.referenceNode)) {
    why = "the reference is cut off";
    return false;
  }
  if (intoNamespace != 1 || deferred > 1 || depth < 1 || depth > kMaxReferenceDepth + 1) {
    why = "the reference to " + st.written + " is laid out as this reader does not know (flags " +
          std::to_string(intoNamespace) + " " + std::to_string(deferred) + ", depth " + std::to_string(depth) + ")";
    return false;
  }
  std::vector<std::string> words;
  for (std::string word; d.remaining() > 0 && d.text(word);)
    if (!word.empty())
      words.push_back(word);
  if (words.size() > 2) {
    why = "the reference to " + st.written + " holds more texts than its options and file type";
    return false;
  }
  if (words.size() == 2)
    st.options = words[0];
  if (!words.empty())
    st.type = words.back();
  st.deferred = deferred == 1;
  st.depth = depth;
  return true;
}

namespace {

// Kinds whose layout Maya-saved files confirm: parent, setAttr and a
// connection through a placeholder. The others are not read.
bool confirmedKind(std::int32_t kind) { return kind == 0 || kind == 2 || kind == 5; }

// One edit: its kind (32-bit), then its words as the Maya ASCII list has
// them, each NUL-ended; a connection through a placeholder (5) gives its
// direction as a 32-bit number first.
bool readEdit(ChunkData& d, ReferenceEdit& e, std::string& why) {
  std::int32_t kind = 0, direction = 0;
  if (!d.i32(kind) || (kind == 5 && !d.i32(direction))) {
    why = "cut off";
    return false;
  }
  int words = referenceEditWords(kind);
  if (!confirmedKind(kind) || words < 0) {
    why = "edits of kind " + std::to_string(kind) + " are not known in Maya Binary";
    return false;
  }
  e.kind = kind;
  if (kind == 5) {
    e.words.push_back(std::to_string(direction));
    --words;
  }
  for (int k = 0; k < words; ++k) {
    std::string w;
    if (!d.text(w)) {
      why = "cut off";
      return false;
    }
    e.words.push_back(std::move(w));
  }
  return true;
}

}  // namespace

// The owner, then until the chunk ends lists of groups: a 32-bit count of
// groups, each a reference node, a 32-bit count of edits and the edits.
bool readReferenceEditsChunk(ChunkData d, std::string& owner, std::vector<ReferenceEditGroup>& groups,
                             std::string& why) {
  if (!d.text(owner)) {
    why = "the reference edits are cut off";
    return false;
  }
  while (d.remaining() > 0) {
    std::int32_t count = 0;
    if (!d.i32(count) || count < 0) {
      why = "the reference edits are cut off";
      return false;
    }
    for (std::int32_t g = 0; g < count; ++g) {
      ReferenceEditGroup group;
      std::int32_t edits = 0;
      if (!d.text(group.referenceNode) || !d.i32(edits) || edits < 0) {
        why = "the reference edits are cut off";
        return false;
      }
      for (std::int32_t k = 0; k < edits; ++k) {
        ReferenceEdit e;
        if (!readEdit(d, e, why)) {
          why = "edit " + std::to_string(k + 1) + " of " + group.referenceNode + ": " + why;
          return false;
        }
        group.edits.push_back(std::move(e));
      }
      groups.push_back(std::move(group));
    }
  }
  return true;
}

}  // namespace OmbrixHost
