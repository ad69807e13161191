#include "UVShells.h"

#include "ComponentLists.h"
#include "Matrix4.h"
#include "UVPieces.h"

#include <cmath>
#include <map>

namespace OmbrixHost {

bool flipUVs(const Node& node, MeshData& m, std::string& why) {
  std::vector<int> faces;
  std::string note;
  UVSet* set = editedSet(node, m, why);
  if (!set)
    return why.empty();
  double pivot[2] = {node.number("pivotU", 0.0), node.number("pivotV", 0.0)};
  if (!std::isfinite(pivot[0]) || !std::isfinite(pivot[1])) {
    why = "its pivot is not a number";
    return false;
  }
  if (!listedFaces(node, m, faces, why, note))
    return false;
  const std::vector<std::size_t> offsets = faceOffsets(m);
  std::vector<bool> chosen(static_cast<std::size_t>(m.numFaces()), false);
  for (int f : faces)
    chosen[static_cast<std::size_t>(f)] = true;
  if (node.number("cutUV", 1.0) != 0.0) {
    // UVs the chosen faces share with others: the chosen faces take copies of their own.
    std::vector<bool> sharedOutside(set->us.size(), false);
    for (int f = 0; f < m.numFaces(); ++f)
      for (std::size_t c = offsets[f]; c < offsets[f + 1] && !chosen[static_cast<std::size_t>(f)]; ++c)
        if (validId(*set, set->uvIds[c]))
          sharedOutside[static_cast<std::size_t>(set->uvIds[c])] = true;
    std::map<int, int> copies;
    for (int f : faces)
      for (std::size_t c = offsets[f]; c < offsets[f + 1]; ++c) {
        int id = set->uvIds[c];
        if (!validId(*set, id) || !sharedOutside[static_cast<std::size_t>(id)])
          continue;
        auto [it, fresh] = copies.emplace(id, static_cast<int>(set->us.size()));
        if (fresh) {
          set->us.push_back(set->us[static_cast<std::size_t>(id)]);
          set->vs.push_back(set->vs[static_cast<std::size_t>(id)]);
        }
        set->uvIds[c] = it->second;
      }
  }
  const std::vector<int> ids = idsOfFaces(*set, offsets, faces);
  const int axis = node.number("flipType", 0.0) != 0.0 ? 1 : 0;
  std::vector<float>& values = axis == 0 ? set->us : set->vs;
  double about = pivot[axis];
  if (node.number("usePivot", 0.0) == 0.0) {
    Box box;
    for (int id : ids)
      box.add(values[static_cast<std::size_t>(id)], 0.0);
    about = node.number("local", 1.0) != 0.0 && !ids.empty() ? (box.lo[0] + box.hi[0]) / 2 : 0.5;
  }
  for (int id : ids)
    values[static_cast<std::size_t>(id)] = static_cast<float>(2.0 * about - values[static_cast<std::size_t>(id)]);
  why = note;
  return true;
}

bool layoutUVs(const Node& node, MeshData& m, std::string& why, bool& hostLayout) {
  std::vector<int> faces;
  std::string note;
  UVSet* set = editedSet(node, m, why);
  if (!set)
    return why.empty();
  if (!listedFaces(node, m, faces, why, note))
    return false;
  const std::vector<std::size_t> offsets = faceOffsets(m);
  DisjointSets pieces = piecesOf(*set, offsets, faces);
  const std::vector<int> ids = idsOfFaces(*set, offsets, faces);
  std::map<std::size_t, std::size_t> boxOf;
  std::vector<Box> boxes;
  for (int id : ids) {
    auto [it, fresh] = boxOf.emplace(pieces.find(static_cast<std::size_t>(id)), boxes.size());
    if (fresh)
      boxes.emplace_back();
    boxes[it->second].add(set->us[id], set->vs[id]);
  }
  Packing packing(boxes, spaceShare(node));
  for (int id : ids) {
    UVValue uv = packing.place(boxOf[pieces.find(static_cast<std::size_t>(id))], set->us[id], set->vs[id]);
    set->us[id] = uv.first;
    set->vs[id] = uv.second;
  }
  hostLayout = !ids.empty();
  why = note;
  return true;
}

bool autoProjectUVs(const Node& node, MeshData& m, std::string& why, bool& hostLayout) {
  std::vector<int> faces;
  std::string note;
  Matrix4 toWorld;
  const Value matrix = node.value("inputMatrix");
  const bool world = node.number("worldSpace", 0.0) != 0.0 && matrix.kind != Value::kNone;
  if ((world && !Matrix4::fromValue(&matrix, toWorld)) || !toWorld.finite()) {
    why = "its inputMatrix is not a matrix of numbers";
    return false;
  }
  if (!listedFaces(node, m, faces, why, note))
    return false;
  const std::vector<std::size_t> offsets = faceOffsets(m);
  auto pointAt = [&](std::size_t c) {
    int v = m.faceConnects[c];
    Point3 p = v >= 0 && static_cast<std::size_t>(v) < m.points.size() ? m.points[v] : Point3{};
    return world ? toWorld.apply(p) : p;
  };
  // Per face: the axis plane it faces most (0..5: +X, -X, +Y, -Y, +Z, -Z) and its corners there.
  std::vector<int> facing(faces.size());
  std::vector<std::pair<double, double>> flat;
  for (std::size_t i = 0; i < faces.size(); ++i) {
    double n[3] = {0, 0, 0};
    for (std::size_t c = offsets[faces[i]]; c < offsets[faces[i] + 1]; ++c) {
      std::size_t next = c + 1 < offsets[faces[i] + 1] ? c + 1 : offsets[faces[i]];
      Point3 a = pointAt(c), b = pointAt(next);
      n[0] += (a.y - b.y) * (a.z + b.z);
      n[1] += (a.z - b.z) * (a.x + b.x);
      n[2] += (a.x - b.x) * (a.y + b.y);
    }
    int axis = std::fabs(n[0]) >= std::fabs(n[1]) && std::fabs(n[0]) >= std::fabs(n[2]) ? 0
               : std::fabs(n[1]) >= std::fabs(n[2])                                   ? 1
                                                                                      : 2;
    facing[i] = axis * 2 + (n[axis] < 0.0 ? 1 : 0);
    for (std::size_t c = offsets[faces[i]]; c < offsets[faces[i] + 1]; ++c) {
      Point3 p = pointAt(c);
      const double side = facing[i] % 2 ? -1.0 : 1.0;
      if (axis == 0)
        flat.emplace_back(-side * p.z, p.y);
      else if (axis == 1)
        flat.emplace_back(p.x, -side * p.z);
      else
        flat.emplace_back(side * p.x, p.y);
    }
  }
  // Faces meeting at a vertex and facing one way make one piece.
  DisjointSets pieces(faces.size());
  std::map<std::pair<int, int>, std::size_t> firstFace;
  for (std::size_t i = 0; i < faces.size(); ++i)
    for (std::size_t c = offsets[faces[i]]; c < offsets[faces[i] + 1]; ++c)
      pieces.join(i, firstFace.emplace(std::make_pair(m.faceConnects[c], facing[i]), i).first->second);
  std::map<std::size_t, std::size_t> boxOf;
  std::vector<Box> boxes;
  std::vector<int> pieceOfFace(faces.size());
  for (std::size_t i = 0, k = 0; i < faces.size(); ++i) {
    auto [it, fresh] = boxOf.emplace(pieces.find(i), boxes.size());
    if (fresh)
      boxes.emplace_back();
    pieceOfFace[i] = static_cast<int>(it->second);
    for (std::size_t c = offsets[faces[i]]; c < offsets[faces[i] + 1]; ++c, ++k)
      boxes[it->second].add(flat[k].first, flat[k].second);
  }
  Packing packing(boxes, spaceShare(node));
  std::vector<UVValue> values;
  for (std::size_t i = 0, k = 0; i < faces.size(); ++i)
    for (std::size_t c = offsets[faces[i]]; c < offsets[faces[i] + 1]; ++c, ++k)
      values.push_back(packing.place(static_cast<std::size_t>(pieceOfFace[i]), flat[k].first, flat[k].second));
  assignFaceUVs(m, faces, values, writableSet(node, m), {}, pieceOfFace);
  hostLayout = !faces.empty();
  why = note;
  return true;
}

}  // namespace OmbrixHost
