#include "Maya/UvImportChanges.h"

#include <maya/MFnMesh.h>

#include <utility>

void UvImportChanges::addReplacedLayout(const MObject& mesh, const MString& uvSet, MeshUvArrays before,
                                        MeshUvArrays after) {
  Change change;
  change.mesh = mesh;
  change.uvSet = uvSet;
  change.before = std::move(before);
  change.after = std::move(after);
  changes_.push_back(std::move(change));
}

void UvImportChanges::addTweak(std::unique_ptr<MDGModifier> modifier) {
  // Room first: once the modifier is taken, recording it cannot fail.
  changes_.reserve(changes_.size() + 1);
  Change change;
  change.modifier = std::move(modifier);
  changes_.push_back(std::move(change));
}

MStatus UvImportChanges::apply(Change& change, bool forward) {
  if (change.modifier) return forward ? change.modifier->doIt() : change.modifier->undoIt();
  MFnMesh mesh(change.mesh);
  const MStatus status = writeMeshUVs(mesh, change.uvSet, forward ? change.after : change.before);
  mesh.updateSurface();
  return status;
}

// Every mesh is attempted; the first failure is the result.
MStatus UvImportChanges::undo() {
  MStatus result(MStatus::kSuccess);
  for (auto it = changes_.rbegin(); it != changes_.rend(); ++it) {
    const MStatus status = apply(*it, false);
    if (result == MStatus::kSuccess) result = status;
  }
  return result;
}

MStatus UvImportChanges::redo() {
  MStatus result(MStatus::kSuccess);
  for (Change& change : changes_) {
    const MStatus status = apply(change, true);
    if (result == MStatus::kSuccess) result = status;
  }
  return result;
}

std::vector<MString> UvImportChanges::meshResults() const {
  std::vector<MString> results;
  for (const MeshCount& mesh : meshes_) {
    MString entry = mesh.path + " ";
    entry += mesh.polygons;
    results.push_back(entry);
  }
  return results;
}
