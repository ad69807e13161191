#include "Model3D/HvMesh.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "Diagnostics/ReportDiagnostic.h"
#include "Math/PolygonNormal.h"
#include "Model3D/WorkerRanges.h"

namespace {

// Copies the enabled layers between a description's layer block and a
// polygon's corner extras, in either direction, staying inside both.
template <typename Corners>
void CopyLayers(Corners& desc, MeshPolygon& polygon, const VertexLayerList* layers,
                bool intoPolygon) {
  if (layers == nullptr) return;
  for (int layer = 0; layer < layers->Count(); ++layer) {
    const int size = layers->Size(layer);
    const int offset = layers->Offset(layer);
    if (!layers->IsEnabled(layer) || size == 0 || offset + size > polygon.extra) continue;
    uint8_t* channel = desc.Channel(layer, layers);
    if (channel == nullptr) continue;
    for (int corner = 0; corner < polygon.count; ++corner) {
      uint8_t* outside = channel + static_cast<size_t>(size) * static_cast<size_t>(corner);
      uint8_t* inside = polygon.Extra(corner) + offset;
      if (intoPolygon)
        std::memcpy(inside, outside, static_cast<size_t>(size));
      else
        std::memcpy(outside, inside, static_cast<size_t>(size));
    }
  }
}

// Material, auxiliary word, corners and enabled layers of a polygon into a
// description already sized for it.
void CopyCornersOut(MeshPolygon& polygon, PolygonCorners& out, const VertexLayerList* layers) {
  out.material = polygon.material;
  out.aux = polygon.aux;
  for (int i = 0; i < polygon.count; ++i) {
    const MeshCorner& corner = polygon.Corner(i);
    out.positions[i] = corner.position;
    out.normals[i] = corner.normal;
    out.u[i] = corner.u;
    out.v[i] = corner.v;
  }
  CopyLayers(out, polygon, layers, false);
}

}  // namespace

HvMesh::HvMesh(void* owner) : owner_(owner) {}

HvMesh::~HvMesh() { Clear(); }

void HvMesh::Clear() {
  // The pool releases every polygon block at once.
  polygons_.clear();
  polygonBlocks_.Clear();
  edges_.Clear();
}

void HvMesh::Reserve(size_t polygons, size_t corners) {
  constexpr size_t kMaxReserved = size_t{1} << 28;
  if (polygons > kMaxReserved || corners > kMaxReserved) return;
  try {
    polygons_.reserve(polygons_.size() + polygons);
  } catch (const std::bad_alloc&) {
    return;
  }
  edges_.Reserve(static_cast<size_t>(edges_.Count()) + corners / 2);
}

const MeshPolygon* HvMesh::Polygon(int index) const {
  return index >= 0 && index < PolygonCount() ? polygons_[static_cast<size_t>(index)] : nullptr;
}

bool HvMesh::SetPolygon(int index, const PolygonDesc& desc, const VertexLayerList* layers) {
  if (desc.count < 3 || desc.count > PolygonCorners::kMaxCorners) return false;
  if (PolygonCount() == 0 && layers != nullptr) extra_ = layers->TotalSize();
  if (index < 0 || index >= PolygonCount()) {
    index = PolygonCount();
    polygons_.push_back(nullptr);
  }
  MeshPolygon*& slot = polygons_[static_cast<size_t>(index)];
  if (slot != nullptr) {
    Detach(slot);
    if (slot->count != desc.count || slot->extra != extra_) {
      MeshPolygon::Free(slot, polygonBlocks_);
      slot = nullptr;
    }
  }
  if (slot == nullptr) slot = MeshPolygon::Allocate(desc.count, extra_, polygonBlocks_);
  if (slot == nullptr) return false;
  MeshPolygon& polygon = *slot;
  polygon.index = index;
  polygon.material = desc.material;
  polygon.aux = desc.aux;
  const Vector3& given = desc.faceNormal;
  if (given.x == 0.0f && given.y == 0.0f && given.z == 0.0f) {
    const Vector3 computed = desc.count == 3 ? TriangleNormal(desc.positions, desc.count)
                                             : PlaneNormal(desc.positions, desc.count);
    // A degenerate triangle has no direction: store zero rather than NaN.
    const bool finite = std::isfinite(computed.x) && std::isfinite(computed.y) &&
                        std::isfinite(computed.z);
    polygon.faceNormal = finite ? computed : Vector3();
  } else {
    polygon.faceNormal = given;
  }
  for (int i = 0; i < desc.count; ++i) {
    MeshCorner& corner = polygon.Corner(i);
    corner.edge = nullptr;
    corner.position = desc.positions[i];
    corner.normal = desc.normals[i];
    corner.u = desc.u[i];
    corner.v = desc.v[i];
  }
  if (!LinkEdges(&polygon, desc)) return false;
  CopyLayers(const_cast<PolygonDesc&>(desc), polygon, layers, true);
  return true;
}

void HvMesh::PrefetchEdges(const PolygonDesc& desc) {
  const size_t count = static_cast<size_t>(std::max(desc.count, 0));
  mixes_.resize(count);
  for (size_t i = 0; i < count; ++i) mixes_[i] = EdgeTable::PositionMix(desc.positions[i]);
  for (size_t i = 0; i < count; ++i) edges_.Prefetch(mixes_[i] + mixes_[i == 0 ? count - 1 : i - 1]);
}

bool HvMesh::LinkEdges(MeshPolygon* polygon, const PolygonDesc& desc) {
  // Each position is hashed once, and the slots of every edge are asked for
  // before the first lookup, so that their cache misses overlap.
  PrefetchEdges(desc);
  int prev = desc.count - 1;
  int32_t prevHash = PositionHash(desc.positions[prev]);
  for (int i = 0; i < desc.count; ++i) {
    const Vector3& a = desc.positions[prev];
    const Vector3& b = desc.positions[i];
    const int32_t hash = PositionHash(b);
    const int32_t key = prevHash ^ hash;
    const uint64_t pairHash = mixes_[static_cast<size_t>(prev)] + mixes_[static_cast<size_t>(i)];
    MeshEdge* edge = edges_.Find(a, b, key, pairHash);
    if (edge == nullptr) edge = edges_.Create(a, b, key, pairHash);
    if (edge == nullptr || !edge->Add(polygon)) return false;
    edge->smoothness = desc.weights[prev];
    polygon->Corner(prev).edge = edge;
    prev = i;
    prevHash = hash;
  }
  return true;
}

void HvMesh::Detach(MeshPolygon* polygon) {
  // A degenerate polygon may use one edge at several corners: first take the
  // polygon off every edge, then delete the emptied edges once each.
  for (int i = 0; i < polygon->count; ++i)
    if (MeshEdge* edge = polygon->Corner(i).edge) edge->Remove(polygon);
  emptied_.clear();
  for (int i = 0; i < polygon->count; ++i) {
    MeshEdge*& edge = polygon->Corner(i).edge;
    if (edge != nullptr && edge->polygonCount == 0) {
      edge->polygonCount = -1;  // marks it as listed
      emptied_.push_back(edge);
    }
    edge = nullptr;
  }
  for (MeshEdge* edge : emptied_) edges_.Delete(edge);
}

MeshPolygon* HvMesh::PolygonToRead(int index) const {
  if (index < 0 || index >= PolygonCount()) return nullptr;
  MeshPolygon* polygon = polygons_[static_cast<size_t>(index)];
  if (polygon == nullptr) ReportDiagnostic("Bad!");
  return polygon;
}

bool HvMesh::GetPolygon(int index, PolygonData& data, const VertexLayerList* layers) const {
  MeshPolygon* polygon = PolygonToRead(index);
  if (polygon == nullptr || !data.Resize(polygon->count, layers)) return false;
  CopyCornersOut(*polygon, data, layers);
  return true;
}

bool HvMesh::GetPolygonFull(int index, PolygonDesc& desc, const VertexLayerList* layers) const {
  MeshPolygon* polygon = PolygonToRead(index);
  if (polygon == nullptr || !desc.Resize(polygon->count, layers)) return false;
  CopyCornersOut(*polygon, desc, layers);
  for (int i = 0; i < polygon->count; ++i) {
    const MeshCorner& corner = polygon->Corner(i);
    const MeshPolygon* neighbour = corner.edge ? corner.edge->Successor(polygon) : nullptr;
    if (corner.edge != nullptr && corner.edge->polygonCount >= 2 &&
        corner.edge->Find(polygon) >= 0) {
      desc.adjacency[i].polygon = neighbour != nullptr ? neighbour->index : -1;
      desc.adjacency[i].valid = 1;
    } else {
      desc.adjacency[i].polygon = -1;
    }
  }
  desc.faceNormal = polygon->faceNormal;
  return true;
}

bool HvMesh::SetPolygonMaterial(int index, void* material) {
  MeshPolygon* polygon = const_cast<MeshPolygon*>(Polygon(index));
  if (polygon == nullptr) return false;
  polygon->material = material;
  return true;
}

bool HvMesh::SetPolygonAux(int index, void* aux) {
  MeshPolygon* polygon = const_cast<MeshPolygon*>(Polygon(index));
  if (polygon == nullptr) return false;
  polygon->aux = aux;
  return true;
}

void HvMesh::SetEdgeSmoothness(double threshold, bool twoSided) {
  threshold = std::fabs(threshold);
  // Every edge belongs to at least one polygon and is set by its first one,
  // so workers over separate polygon ranges write separate edges; in
  // polygon order memory is read nearly in sequence.
  ForEachRange(polygons_.size(), kMinPolygonsPerWorker, [&](size_t begin, size_t end) {
    for (size_t p = begin; p < end; ++p) {
      const MeshPolygon* polygon = polygons_[p];
      if (polygon == nullptr) continue;
      for (int i = 0; i < polygon->count; ++i) {
        MeshEdge* edge = polygon->Corner(i).edge;
        if (edge == nullptr || edge->PolygonAt(0) != polygon) continue;
        edge->smoothness = 1.0f;
        if (edge->polygonCount <= 1) continue;
        const Vector3& n0 = edge->PolygonAt(0)->faceNormal;
        const Vector3& n1 = edge->PolygonAt(1)->faceNormal;
        double d = Vector3::Dot(n0, n1);
        if (twoSided) d = std::fabs(d);
        const double c = d / (n0.Length() * n1.Length() + 1e-8);
        edge->smoothness = c >= threshold ? 1.0f : 0.0f;
      }
    }
  });
}
