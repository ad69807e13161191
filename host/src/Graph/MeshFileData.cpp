#include "MeshFileData.h"

#include "SetAttr.h"

#include <cmath>
#include <limits>
#include <map>

namespace OmbrixHost {
namespace {

// An element index is plausible when the text left could still hold the
// elements before it: a hostile ".vt[99999999]" must not allocate gigabytes.
bool plausible(long long index, std::size_t have, const DataCursor& c) {
  return index >= 0 && static_cast<unsigned long long>(index) <= have + c.remaining();
}

struct Range {
  long long lo, hi;
};

Range rangeOf(const PlugRef& plug, long long lo, long long hi) {
  if (lo >= 0)
    return {lo, hi};
  int index = plug.indices.empty() ? -1 : plug.indices.back();
  if (index >= 0)
    return {index, index};
  return {0, -1};  // no index: as many elements as there are values
}

// Reads `width` numbers per element into elements lo..hi through `put`.
template <typename Size, typename Put>
bool readElements(Size size, Put put, Range r, int width, DataCursor& c, std::string& error, const char* what) {
  for (long long i = r.lo; r.hi < 0 || i <= r.hi; ++i) {
    if (c.atEnd()) {
      if (r.hi < 0)
        return true;
      error = std::string("the ") + what + " data ends early";
      return false;
    }
    if (!plausible(i, size(), c)) {
      error = std::string("the ") + what + " index " + std::to_string(i) + " is beyond the data given";
      return false;
    }
    double v[3] = {0, 0, 0};
    for (int k = 0; k < width; ++k)
      if (!c.number(v[k])) {
        error = std::string("a number is expected in the ") + what + " data";
        return false;
      }
    put(static_cast<std::size_t>(i), v);
  }
  return true;
}

UVSet& setAt(MeshData& m, int index) {
  while (static_cast<int>(m.uvSets.size()) <= index) {
    UVSet s;
    s.name = m.uvSets.empty() ? "map1" : "map" + std::to_string(m.uvSets.size() + 1);
    s.uvIds.assign(m.faceConnects.size(), -1);
    m.uvSets.push_back(s);
  }
  return m.uvSets[static_cast<std::size_t>(index)];
}

bool readPoints(std::vector<Point3>& out, Range r, DataCursor& c, std::string& error, const char* what) {
  double s = linearScale();
  return readElements([&] { return out.size(); },
                      [&](std::size_t i, const double* v) {
                        if (i >= out.size())
                          out.resize(i + 1);
                        out[i] = {v[0] * s, v[1] * s, v[2] * s};
                      },
                      r, 3, c, error, what);
}

bool readEdges(MeshData& m, Range r, DataCursor& c, std::string& error) {
  bool vertexNumbers = true;
  auto vertex = [&](double v) {
    bool whole = v >= 0 && v <= std::numeric_limits<int>::max() && static_cast<double>(static_cast<int>(v)) == v;
    vertexNumbers = vertexNumbers && whole;
    return whole ? static_cast<int>(v) : -1;
  };
  bool read = readElements([&] { return m.edges.size() / 2; },
                           [&](std::size_t i, const double* v) {
                             if (2 * i + 1 >= m.edges.size())
                               m.edges.resize(2 * i + 2);
                             m.edges[2 * i] = vertex(v[0]);
                             m.edges[2 * i + 1] = vertex(v[1]);
                           },
                           r, 3, c, error, "edge");
  if (read && !vertexNumbers)
    error = "an edge names a vertex by a number that is no vertex index";
  return read && vertexNumbers;
}

bool readUVs(UVSet& set, Range r, DataCursor& c, std::string& error) {
  return readElements([&] { return set.us.size(); },
                      [&](std::size_t i, const double* v) {
                        if (i >= set.us.size()) {
                          set.us.resize(i + 1);
                          set.vs.resize(i + 1);
                        }
                        set.us[i] = static_cast<float>(v[0]);
                        set.vs[i] = static_cast<float>(v[1]);
                      },
                      r, 2, c, error, "UV");
}

bool readCount(DataCursor& c, long long limit, long long& n, std::string& error) {
  if (!c.integer(n) || n < 0 || n > limit) {
    error = "a valid count is expected in the polyFaces data";
    return false;
  }
  return true;
}

// polyFaces: "f N e..." faces as signed edge loops, "mu S N ids" their UVs in
// set S, "h N e..." holes, "fc"/"mc" colours (not kept). The faces of one
// statement are read first and join the mesh only when all of them are good.
bool readFaces(MeshData& m, Range r, DataCursor& c, std::string& error, bool& holes) {
  std::size_t keep = m.faceCounts.size();
  if (r.lo >= 0 && static_cast<std::size_t>(r.lo) > keep) {
    error = "faces must be given in order; face " + std::to_string(r.lo) + " comes before face " + std::to_string(keep);
    return false;
  }
  if (r.lo >= 0)
    keep = static_cast<std::size_t>(r.lo);
  long long numEdges = static_cast<long long>(m.edges.size() / 2);
  std::vector<int> counts, connects;
  std::map<int, std::vector<int>> uvs;  // per set, one id per corner of the new faces
  std::string word;
  bool quoted;
  long long n = 0;
  while (!c.atEnd()) {
    if (!c.item(word, quoted)) {
      error = "unterminated string in the polyFaces data";
      return false;
    }
    if (word == "f" || word == "h") {
      if (!readCount(c, 1 << 20, n, error))
        return false;
      std::vector<int> verts;
      for (long long k = 0; k < n; ++k) {
        long long e;
        if (!c.integer(e) || e >= numEdges || -e - 1 >= numEdges) {
          error = "face edge " + std::to_string(e) + " is not an edge of the mesh";
          return false;
        }
        verts.push_back(e >= 0 ? m.edges[static_cast<std::size_t>(2 * e)]
                               : m.edges[static_cast<std::size_t>(2 * (-e - 1) + 1)]);
      }
      if (word == "h") {
        holes = true;
        continue;
      }
      counts.push_back(static_cast<int>(n));
      connects.insert(connects.end(), verts.begin(), verts.end());
    } else if (word == "mu") {
      long long set;
      if (!c.integer(set) || set < 0 || set > 255 || !readCount(c, 1 << 20, n, error)) {
        error = "a UV set index and count are expected after mu";
        return false;
      }
      if (counts.empty() || n != counts.back()) {
        error = "mu gives " + std::to_string(n) + " UVs for a face of " +
                std::to_string(counts.empty() ? 0 : counts.back()) + " corners";
        return false;
      }
      auto& ids = uvs[static_cast<int>(set)];
      ids.resize(connects.size(), -1);
      std::size_t start = connects.size() - static_cast<std::size_t>(n);
      for (long long k = 0; k < n; ++k) {
        long long id;
        if (!c.integer(id) || id < 0 || id > (1LL << 30)) {
          error = "a UV index is expected after mu";
          return false;
        }
        ids[start + static_cast<std::size_t>(k)] = static_cast<int>(id);
      }
    } else if (word == "mc" || word == "fc") {
      long long skip;
      if (word == "mc" && !c.integer(skip)) {
        error = "a colour set index is expected after mc";
        return false;
      }
      if (!readCount(c, 1 << 20, n, error))
        return false;
      for (long long k = 0; k < n; ++k)
        if (!c.integer(skip)) {
          error = "a colour index is expected";
          return false;
        }
    } else {
      error = "unexpected \"" + word + "\" in the polyFaces data";
      return false;
    }
    if (r.hi >= 0 && static_cast<long long>(keep + counts.size()) > r.hi + 1) {
      error = "more faces than the range " + std::to_string(r.lo) + ":" + std::to_string(r.hi);
      return false;
    }
  }
  m.faceCounts.resize(keep);
  m.rebuildFaceStarts();
  m.faceConnects.resize(static_cast<std::size_t>(m.faceStarts.back()));
  std::size_t before = m.faceConnects.size();
  m.faceCounts.insert(m.faceCounts.end(), counts.begin(), counts.end());
  m.faceConnects.insert(m.faceConnects.end(), connects.begin(), connects.end());
  m.rebuildFaceStarts();
  for (auto& [set, ids] : uvs)
    setAt(m, set);
  for (std::size_t s = 0; s < m.uvSets.size(); ++s) {
    auto& target = m.uvSets[s].uvIds;
    target.resize(before, -1);
    auto found = uvs.find(static_cast<int>(s));
    if (found != uvs.end()) {
      found->second.resize(connects.size(), -1);
      target.insert(target.end(), found->second.begin(), found->second.end());
    }
    target.resize(m.faceConnects.size(), -1);
  }
  return true;
}

}  // namespace

MeshAttrResult setMeshAttribute(Node& node, const PlugRef& plug, const std::string& type, long long lo, long long hi,
                                DataCursor& values, std::string& error) {
  MeshData& m = *node.mesh;
  const std::string& name = plug.attr->name;
  Range r = rangeOf(plug, lo, hi);
  bool ok = true;
  if (name == "vrts") {
    ok = readPoints(m.points, r, values, error, "vertex");
  } else if (name == "pnts" && type != "" && type != "float3" && type != "double3") {
    return MeshAttrResult::kNotMesh;
  } else if (name == "pnts") {
    ok = readPoints(m.tweaks, r, values, error, "tweak");
  } else if (name == "pntx" || name == "pnty" || name == "pntz") {
    int index = plug.indices.size() > 1 ? plug.indices[0] : -1;
    double v;
    if (index < 0 || !plausible(index, m.tweaks.size(), values) || !values.number(v)) {
      error = "a tweak needs an index and a number";
      return MeshAttrResult::kFailed;
    }
    if (static_cast<std::size_t>(index) >= m.tweaks.size())
      m.tweaks.resize(static_cast<std::size_t>(index) + 1);
    double& target = name == "pntx" ? m.tweaks[index].x : name == "pnty" ? m.tweaks[index].y : m.tweaks[index].z;
    target = v * linearScale();
  } else if (name == "edge") {
    ok = readEdges(m, r, values, error);
  } else if (name == "face") {
    if (type != "polyFaces") {
      error = "face data must have the type polyFaces";
      return MeshAttrResult::kFailed;
    }
    bool holes = false;
    ok = readFaces(m, r, values, error, holes);
    m.holesDropped = m.holesDropped || holes;
  } else if (name == "uvSetPoints") {
    int set = plug.indices.empty() ? -1 : plug.indices[0];
    if (set < 0 || set > 255) {
      error = "UV points need their set's index";
      return MeshAttrResult::kFailed;
    }
    ok = readUVs(setAt(m, set), r, values, error);
  } else if (name == "uvSetName") {
    int set = plug.indices.empty() ? -1 : plug.indices[0];
    std::string text;
    bool quoted;
    if (set < 0 || set > 255 || !values.item(text, quoted)) {
      error = "a UV set name needs its set's index and a string";
      return MeshAttrResult::kFailed;
    }
    setAt(m, set).name = text;
  } else {
    return MeshAttrResult::kNotMesh;
  }
  if (ok && !values.atEnd()) {
    error = "more values than " + name + " takes";
    ok = false;
  }
  return ok ? MeshAttrResult::kDone : MeshAttrResult::kFailed;
}

bool setNurbsSurfaceData(Node& node, DataCursor& c, std::string& error) {
  NurbsData d;
  long long degU, degV, formU, formV;
  std::string word;
  bool quoted;
  if (!c.integer(degU) || !c.integer(degV) || !c.integer(formU) || !c.integer(formV) || !c.item(word, quoted)) {
    error = "nurbsSurface data starts with two degrees, two forms and the rational flag";
    return false;
  }
  if (degU < 1 || degU > 7 || degV < 1 || degV > 7 || formU < 0 || formU > 2 || formV < 0 || formV > 2 ||
      (word != "yes" && word != "no")) {
    error = "invalid degrees, forms or rational flag in nurbsSurface data";
    return false;
  }
  d.degreeU = static_cast<int>(degU);
  d.degreeV = static_cast<int>(degV);
  d.formU = static_cast<int>(formU) + 1;
  d.formV = static_cast<int>(formV) + 1;
  d.rational = word == "yes";
  for (auto* knots : {&d.knotsU, &d.knotsV}) {
    long long n;
    if (!c.integer(n) || n < 2 || n > (1 << 20)) {
      error = "a valid knot count is expected in nurbsSurface data";
      return false;
    }
    for (long long k = 0; k < n; ++k) {
      double v;
      if (!c.number(v)) {
        error = "the knot vector ends early";
        return false;
      }
      knots->push_back(v);
    }
  }
  long long count;
  long long expected = static_cast<long long>(d.numCVsU()) * d.numCVsV();
  if (!c.integer(count) || count != expected || d.numCVsU() <= d.degreeU - 1 || d.numCVsV() <= d.degreeV - 1) {
    error = "the CV count does not match the knots and degrees";
    return false;
  }
  double s = linearScale();
  for (long long k = 0; k < count; ++k) {
    double x, y, z, w = 1.0;
    if (!c.number(x) || !c.number(y) || !c.number(z) || (d.rational && !c.number(w))) {
      error = "the CV list ends early";
      return false;
    }
    d.cvs.push_back({x * s, y * s, z * s});
    d.weights.push_back(w);
  }
  if (!d.valid()) {
    error = "the nurbsSurface data does not describe a valid surface";
    return false;
  }
  if (!c.atEnd()) {
    error = "more values than nurbsSurface data takes";
    return false;
  }
  *node.nurbs = std::move(d);
  return true;
}

}  // namespace OmbrixHost
