#pragma once
// What one UV import changed, so that Maya's undo can take it back exactly
// and redo can apply it again: per mesh either the replaced UV layout (fast
// method: the layout before and after, bit for bit) or the modifier that
// created, filled and wired the UV history nodes (slow method).
#include <maya/MDGModifier.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

#include <memory>
#include <vector>

#include "Maya/MeshUvArrays.h"

class UvImportChanges {
 public:
  void addReplacedLayout(const MObject& mesh, const MString& uvSet, MeshUvArrays before, MeshUvArrays after);
  void addTweak(std::unique_ptr<MDGModifier> modifier);
  bool empty() const { return changes_.empty(); }
  // Polygons given new UVs on one mesh (0 for a mesh left as it was), noted
  // as each mesh is done.
  void addImportedPolygons(const MString& meshPath, int count) {
    importedPolygons_ += count;
    meshes_.push_back({meshPath, count});
  }
  int importedPolygons() const { return importedPolygons_; }
  // Per mesh, in the import's order: its full DAG path, a space and its
  // count ("|pCube1|pCubeShape1 6"); DAG paths hold no spaces.
  std::vector<MString> meshResults() const;
  // Forgets every change (after undo() has taken them back).
  void clear() {
    changes_.clear();
    meshes_.clear();
    importedPolygons_ = 0;
  }

  // Undo runs over the meshes in reverse order, redo in the import's order.
  MStatus undo();
  MStatus redo();

 private:
  struct Change {
    MObject mesh;
    MString uvSet;
    MeshUvArrays before, after;
    std::unique_ptr<MDGModifier> modifier;  // set for history nodes
  };
  static MStatus apply(Change& change, bool forward);

  struct MeshCount {
    MString path;
    int polygons;
  };

  std::vector<Change> changes_;
  std::vector<MeshCount> meshes_;
  int importedPolygons_ = 0;
};
