#pragma once
// Geometry held by mesh and NURBS surface shapes.
#include <string>
#include <vector>

namespace OmbrixHost {

struct Point3 {
  double x = 0.0, y = 0.0, z = 0.0;
};

struct UVSet {
  std::string name;
  std::vector<float> us, vs;
  std::vector<int> uvIds;  // per face-vertex; -1 where the face has no UVs
};

struct MeshData {
  std::vector<Point3> points;
  std::vector<int> faceCounts;
  std::vector<int> faceConnects;
  std::vector<int> faceStarts;  // offset of each face in faceConnects, plus the total at the end
  std::vector<UVSet> uvSets;  // in the order of the mesh's uvSet[] elements
  int currentUVSet = 0;
  std::vector<int> edges;     // vertex pairs, as a file gives them for its face loops
  std::vector<Point3> tweaks; // per-vertex offsets added to the points
  bool holesDropped = false;  // the file gave holes, which are not kept

  void rebuildFaceStarts();
  int numFaces() const { return static_cast<int>(faceCounts.size()); }
  int faceStart(int face) const { return faceStarts[face]; }
  UVSet* uvSet(const std::string* name);
  const UVSet* uvSet(const std::string* name) const;
  UVSet& ensureUVSet(const std::string& name);
};

struct NurbsData {
  int degreeU = 3, degreeV = 3;
  int formU = 1, formV = 1;  // 1 open, 2 closed, 3 periodic
  bool rational = false;
  std::vector<double> knotsU, knotsV;
  std::vector<Point3> cvs;       // u major: cv(u, v) = cvs[u * numV + v]
  std::vector<double> weights;   // one per CV, 1 when not rational

  int numCVsU() const { return static_cast<int>(knotsU.size()) - degreeU + 1; }
  int numCVsV() const { return static_cast<int>(knotsV.size()) - degreeV + 1; }
  // The CV count matches the knots and degrees and every knot vector is non-decreasing.
  bool valid() const;
};

}  // namespace OmbrixHost
