#pragma once
// Geometry held by mesh and NURBS surface shapes.
#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace OmbrixHost {

struct Point3 {
  double x = 0.0, y = 0.0, z = 0.0;
};

inline bool finite(const Point3& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

struct UVSet {
  std::string name;
  std::vector<float> us, vs;
  std::vector<int> uvIds;  // per face-vertex; -1 where the face has no UVs
};

// A vertex offset as a file gives it (.pt[i]), the line that gave it, and the
// point it was added to, so that a later edit of either starts from that point.
struct Tweak {
  Point3 offset;
  int line = 0;
  Point3 base;
  bool applied = false;  // base holds the point it was added to
};

// A hole of a face: its loop of vertices and, per UV set, one UV id per
// corner (empty for a set that gives the hole none).
struct FaceHole {
  int face = 0;
  std::vector<int> vertices;
  std::vector<std::vector<int>> uvIds;
};

// Faces as one block of a file gives them, before they join the mesh.
struct FaceBlock {
  std::vector<int> counts, connects;
  std::map<int, std::vector<int>> uvIds;  // per UV set, one id per corner (-1 for none)
  std::vector<FaceHole> holes;            // faces numbered from the block's first
  int line = 0;
};

struct MeshData {
  std::vector<Point3> points;
  std::vector<int> faceCounts;
  std::vector<int> faceConnects;
  std::vector<int> faceStarts;  // offset of each face in faceConnects, plus the total at the end
  std::vector<UVSet> uvSets;  // in the order of the mesh's uvSet[] elements
  int currentUVSet = 0;
  std::vector<int> edges;     // vertex pairs, as a file gives them for its face loops
  std::map<int, Tweak> tweaks;  // per-vertex offsets (.pt), by vertex (sparse)
  bool tweaksApplied = false;   // the points include the tweaks
  std::vector<FaceHole> holes;   // by face, in face order
  std::map<long long, FaceBlock> pendingFaces;  // blocks given before the faces ahead of them, by first face

  void rebuildFaceStarts();
  int numFaces() const { return static_cast<int>(faceCounts.size()); }
  int faceStart(int face) const { return faceStarts[face]; }
  UVSet* uvSet(const std::string* name);
  const UVSet* uvSet(const std::string* name) const;
  UVSet& ensureUVSet(const std::string& name);
  // Adds the tweaks to the points of the vertices the mesh has, unless they
  // are already; removeTweaks gives those points back what they were.
  void applyTweaks();
  void removeTweaks();
};

struct NurbsData {
  int degreeU = 3, degreeV = 3;
  int formU = 1, formV = 1;  // 1 open, 2 closed, 3 periodic
  bool rational = false;
  std::vector<double> knotsU, knotsV;
  std::vector<Point3> cvs;       // u major: cv(u, v) = cvs[u * numV + v]
  std::vector<double> weights;   // one per CV, 1 when not rational
  // A planar trimmed region (planarTrimSurface): its outline, then its holes,
  // points on the plane the CVs span. Empty for an untrimmed surface.
  std::vector<std::vector<Point3>> planarLoops;

  int numCVsU() const { return static_cast<int>(knotsU.size()) - degreeU + 1; }
  int numCVsV() const { return static_cast<int>(knotsV.size()) - degreeV + 1; }
  // The CV count matches the knots and degrees and every knot vector is non-decreasing.
  bool valid() const;
};

}  // namespace OmbrixHost
