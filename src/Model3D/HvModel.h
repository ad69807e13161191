#pragma once
// The in-memory model every importer fills and every exporter reads: groups
// of polygons (each an HvMesh), materials and shaders, addressed by dense
// indices and created on first use. Slots inside a count may be holes when a
// caller addressed a higher index first; scans by name stop at the first hole.
#include <memory>
#include <vector>

#include "HvCore/HvObject.h"
#include "Math/BoundingBox.h"
#include "Model3D/HvMesh.h"
#include "Model3D/PolygonId.h"
#include "Shader/Material.h"
#include "Shader/Shader.h"

class HvModel : public HvObject {
 public:
  HvModel();
  ~HvModel() override;

  // Groups.
  int GroupCount() const { return static_cast<int>(groups_.size()); }
  HvMesh* Group(int index, bool create);
  bool SetCurrentGroup(int index);
  int CurrentGroupIndex() const { return currentIndex_; }
  bool SetGroupName(int index, const char* name);
  bool GetGroupName(int index, char* buffer, size_t size);
  int FindGroup(const char* name) const;
  bool AddPolygon(const PolygonDesc& desc, const VertexLayerList* layers = nullptr);
  // HvMesh::Reserve in the current group (nothing before it exists).
  void ReserveInCurrentGroup(size_t polygons, size_t corners) {
    if (current_ != nullptr) current_->Reserve(polygons, corners);
  }
  // HvMesh::PrefetchEdges in the current group (nothing before it exists).
  void PrefetchEdges(const PolygonDesc& desc) {
    if (current_ != nullptr) current_->PrefetchEdges(desc);
  }
  int CurrentGroupPolygonCount() const;
  int TotalPolygonCount() const;
  bool SetPolygonMaterial(int index, void* material);
  bool SetPolygonAux(int index, void* aux);
  void SetEdgeSmoothness(double threshold, bool twoSided);
  void SetEdgeSmoothnessAll(double threshold, bool twoSided);
  void ComputeCornerNormals(double threshold);
  void ComputeCornerNormalsAll(double threshold);
  bool IsGroupDefective(int index) const;
  void ClearGroups();
  void ClearAll();

  // Materials and shaders.
  int MaterialCount() const { return static_cast<int>(materials_.size()); }
  ::Material* Material(int index, bool create);
  ::Material* FindMaterial(const char* name, bool create);
  int IndexOfMaterial(const ::Material* material) const;
  int ShaderCount() const { return static_cast<int>(shaders_.size()); }
  ::Shader* Shader(int index, bool create);
  ::Shader* FindShader(const char* name, bool create);

  // Model-wide polygon addressing.
  bool First(PolygonId& id) const;
  bool Next(const PolygonId& in, PolygonId& out) const;
  void IdForGroup(int group, PolygonId& out) const { out = {group, 0, 1}; }
  bool NextInGroup(int group, const PolygonId& in, PolygonId& out) const;
  bool GetPolygon(const PolygonId& id, PolygonData& data,
                  const VertexLayerList* layers = nullptr) const;
  bool GetPolygonFull(const PolygonId& id, PolygonDesc& desc,
                      const VertexLayerList* layers = nullptr) const;

  bool Bounds(BoundingBox& box) const;

 private:
  // The slot of an existing group, or null.
  HvMesh* ExistingGroup(int index) const;
  bool PolygonInRange(const PolygonId& id) const;
  // Materials and shaders by name, made at the first hole when asked.
  template <typename T>
  T* FindOrCreate(std::vector<std::unique_ptr<T>>& slots, const char* name, bool create,
                  T* (HvModel::*slotAt)(int, bool));

  std::vector<std::unique_ptr<::Material>> materials_;
  std::vector<std::unique_ptr<::Shader>> shaders_;
  std::vector<std::unique_ptr<HvMesh>> groups_;
  std::vector<int> groupPolygonCounts_;
  int currentIndex_ = -1;
  HvMesh* current_ = nullptr;
  std::unique_ptr<BoundingBox> cachedBounds_;  // never built here; dropped on every clear
};
