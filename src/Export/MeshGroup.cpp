#include "Export/MeshGroup.h"

#include "Model3D/HvModel.h"
#include "Model3D/PolygonPipeline.h"

MeshGroupCounts addMeshGroup(HvModel& model, const char* name, const PolygonArrays& arrays,
                             const WorldPoints& world, const std::vector<int>& materials) {
  const int group = model.GroupCount();
  model.SetCurrentGroup(group);
  model.SetGroupName(group, name);
  MeshGroupCounts counts;
  model.ReserveInCurrentGroup(arrays.counts.size(), arrays.connects.size());
  PolygonPipeline polygons(model);
  for (PolygonCursor at; at.face < arrays.counts.size(); advance(arrays, at)) {
    const int entry = at.face < materials.size() ? materials[at.face] : -1;
    if (arrays.counts[at.face] < 3)
      ++counts.badFaces;
    PolygonDesc& desc = polygons.Filling();
    const PolygonRead read = readPolygon(arrays, world, at, PolygonV::kModelFrame, desc);
    if (read == PolygonRead::kTooManyCorners)
      continue;
    if (read != PolygonRead::kRead) {
      ++counts.unsoundFaces;
      continue;
    }
    desc.material = entry >= 0 ? model.Material(entry, false) : nullptr;
    polygons.Push();
  }
  polygons.Flush();
  // Only the new group: every group gets this treatment exactly once.
  model.SetEdgeSmoothness(kSmoothEdgeCosine, true);
  model.ComputeCornerNormals(kCornerNormalSmoothness);
  return counts;
}
