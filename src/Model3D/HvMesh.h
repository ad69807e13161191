#pragma once
// One polygon group of a model: a polygon soup whose connectivity comes
// from a table of shared edges. Two polygons are neighbours when they hold
// an edge with bit-identical endpoint positions (in either direction). On
// that table the mesh computes edge smoothness and corner normals.
#include <cstdint>
#include <vector>

#include "HvTL/HvString.h"
#include "Model3D/BlockPool.h"
#include "Model3D/EdgeTable.h"
#include "Model3D/MeshPolygon.h"
#include "Model3D/PolygonData.h"
#include "Model3D/PolygonDesc.h"
#include "Model3D/VertexLayerList.h"

class HvMesh {
 public:
  explicit HvMesh(void* owner = nullptr);
  ~HvMesh();
  HvMesh(const HvMesh&) = delete;
  HvMesh& operator=(const HvMesh&) = delete;

  // Frees every polygon and edge.
  void Clear();
  // Room for `polygons` more polygons with `corners` corners in all, most
  // edges shared by two of them (no effect on the mesh; saves growing its
  // tables step by step). Counts past what memory can hold are ignored.
  void Reserve(size_t polygons, size_t corners);

  void SetName(const HvString& name) { name_ = name; }
  const HvString& GetName() const { return name_; }
  void* Owner() const { return owner_; }

  int PolygonCount() const { return static_cast<int>(polygons_.size()); }
  int EdgeCount() const { return edges_.Count(); }
  // Extra bytes per corner: the total size of the layer list that came with
  // the mesh's first polygon (0 without one).
  int ExtraBytesPerCorner() const { return extra_; }

  // Stores a polygon at index (< 0 or >= PolygonCount appends), replacing
  // and detaching one that was there. False for fewer than 3 corners.
  bool SetPolygon(int index, const PolygonDesc& desc, const VertexLayerList* layers = nullptr);
  bool AddPolygon(const PolygonDesc& desc, const VertexLayerList* layers = nullptr) {
    return SetPolygon(PolygonCount(), desc, layers);
  }
  // Asks the processor for the edge slots the polygon's lookups will read:
  // a caller that has the next polygon before adding this one hides their
  // cache misses behind its own work.
  void PrefetchEdges(const PolygonDesc& desc);
  bool GetPolygon(int index, PolygonData& data, const VertexLayerList* layers = nullptr) const;
  // With neighbours: the adjacency polygon of corner i is the next polygon
  // after this one on the edge that starts at corner i (group left to the model).
  bool GetPolygonFull(int index, PolygonDesc& desc, const VertexLayerList* layers = nullptr) const;
  bool SetPolygonMaterial(int index, void* material);
  bool SetPolygonAux(int index, void* aux);

  // 1.0 for edges whose first two polygons' normals meet at cos >= |threshold|
  // (|cos| when twoSided) and for open edges, else 0.0.
  void SetEdgeSmoothness(double threshold, bool twoSided);
  // Recomputes every corner normal by averaging across smooth edges.
  void ComputeCornerNormals(double threshold);

  // Polygons a worker of the parallel passes takes at the least.
  static constexpr size_t kMinPolygonsPerWorker = 4096;

  // Read access for the passes and tests.
  const MeshPolygon* Polygon(int index) const;

 private:
  // The polygon at index for reading; null out of range, and a null slot
  // is reported ("Bad!").
  MeshPolygon* PolygonToRead(int index) const;
  void Detach(MeshPolygon* polygon);
  bool LinkEdges(MeshPolygon* polygon, const PolygonDesc& desc);

  void* owner_;
  BlockPool polygonBlocks_;
  EdgeTable edges_;
  std::vector<MeshPolygon*> polygons_;
  HvString name_{"Default"};
  int extra_ = 0;
  std::vector<MeshEdge*> emptied_;  // scratch for Detach
  std::vector<uint64_t> mixes_;     // scratch for LinkEdges: position hashes
};
