#pragma once
// File references of the loaded scene: each "file -r" / "file -rdi" line as
// Maya reads it, what became of it, the edits its reference node stores, and
// the state of the reading (the namespace the nodes of a referenced file go
// into).
#include <map>
#include <set>
#include <string>
#include <vector>

namespace OmbrixHost {

// One stored edit of a reference node: its kind as Maya numbers it in
// "dataReferenceEdits" (0 parent, 1 addAttr, 2 setAttr, 3 connectAttr,
// 4 deleteAttr, 5 a connection through a placeholder, 6 disconnectAttr,
// 7 relationship) and its words in file order.
struct ReferenceEdit {
  int kind = 0;
  std::vector<std::string> words;
};

// The edits of one reference (the first word of a group), in file order.
struct ReferenceEditGroup {
  std::string referenceNode;
  std::vector<ReferenceEdit> edits;
};

struct ReferenceRecord {
  enum State { kLoaded, kDeferred, kMissing, kUnreadable, kCycle };
  std::string referenceNode;  // with the namespace of the file that holds it
  std::string parentReference;  // the reference whose file holds this one; "" at the top
  int depth = 1;
  std::string nameSpace;  // as written, ":" for the root
  std::string prefix;     // -rpr, when no namespace is used
  std::string scope;      // what the names of its nodes begin with, "pillow:"
  std::string written;    // the path as the file gives it
  std::string resolved;   // where it was found; "" when it was not
  std::string type = "mayaAscii";
  std::string options;
  std::vector<std::string> tried;
  State state = kMissing;
  bool stated = false;  // a "file -r" line named it (not only "-rdi")
  std::string file;     // the scene file and line that named it
  int line = 0;
  std::string ownerNode;  // the reference node holding the edits ("" until its setAttr ".ed")
  std::string editsFile;  // the scene file and line of that setAttr
  int editsLine = 0;
  std::vector<ReferenceEditGroup> editGroups;
};

struct ReferenceDepthInfo {
  bool deferred = false;
};

// Reads a referenced file into the scene, its names in the namespace being
// read, without starting a new scene.
using ReferenceFileReader = bool (*)(const std::string& path, std::vector<std::string>& problems);

class SceneReferences {
public:
  // The readers of the file types references may name ("mayaAscii",
  // "mayaBinary"), set by each reader when a scene is opened.
  std::map<std::string, ReferenceFileReader> readers;
  std::vector<ReferenceRecord> records;  // in file order; add() them
  std::set<std::string> loadedScopes;  // the namespaces loaded references use
  // "-rdi" lines seen, by reference node; the outermost file's word counts.
  std::map<std::string, ReferenceDepthInfo> depthInfo;
  // While a referenced file is read: what its node names begin with, its
  // reference node, and every file being read (to find cycles).
  std::string scope;
  std::string reading;
  std::vector<std::string> openFiles;
  std::vector<std::string> openCanonical;  // the same, as the file system names them
  std::size_t reads = 0;  // referenced files read so far
  // Warnings and errors met while reading references, drained by the reader.
  std::vector<std::string> messages;

  ReferenceRecord* find(const std::string& referenceNode) {
    auto it = index_.find(referenceNode);
    return it == index_.end() ? nullptr : &records[it->second];
  }
  ReferenceRecord& add(ReferenceRecord record) {
    index_[record.referenceNode] = records.size();
    records.push_back(std::move(record));
    return records.back();
  }
  // A name as the file being read writes it, in the namespace of the
  // reference; ":name" is in the root namespace.
  std::string scoped(const std::string& name) const {
    return !name.empty() && name[0] == ':' ? name.substr(1) : scope + name;
  }
  // Forgets the references of the scene; the readers stay.
  void clear() {
    auto keep = std::move(readers);
    *this = SceneReferences();
    readers = std::move(keep);
  }

private:
  std::map<std::string, std::size_t> index_;  // records by reference node
};

}  // namespace OmbrixHost
