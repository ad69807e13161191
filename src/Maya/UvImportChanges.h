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
  // Polygons given new UVs, counted as each mesh's change is made.
  void addImportedPolygons(int count) { importedPolygons_ += count; }
  int importedPolygons() const { return importedPolygons_; }
  // Forgets every change (after undo() has taken them back).
  void clear() {
    changes_.clear();
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

  std::vector<Change> changes_;
  int importedPolygons_ = 0;
};
