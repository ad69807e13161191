#include "MeshFileData.h"

#include "SetAttr.h"

#include <cmath>
#include <limits>
#include <map>

namespace OmbrixHost {
namespace {

// An element index is plausible when it is within the array's declared size,
// or when the text left could still hold the elements before it: a hostile
// ".vt[99999999]" must not allocate gigabytes.
bool plausible(long long index, std::size_t have, const DataCursor& c, long long declared) {
  return index >= 0 && (static_cast<unsigned long long>(index) <= have + c.remaining() || index < declared);
}

struct Range {
  long long lo, hi;
  long long declared;
};

Range rangeOf(const PlugRef& plug, const ElementBlock& block) {
  if (block.lo >= 0)
    return {block.lo, block.hi, block.declared};
  int index = plug.indices.empty() ? -1 : plug.indices.back();
  if (index >= 0)
    return {index, index, block.declared};
  return {0, -1, block.declared};  // no index: as many elements as there are values
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
    if (!plausible(i, size(), c, r.declared)) {
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

bool readPoints(std::vector<Point3>& out, Range r, DataCursor& c, std::string& error) {
  double s = linearScale();
  return readElements([&] { return out.size(); },
                      [&](std::size_t i, const double* v) {
                        if (i >= out.size())
                          out.resize(i + 1);
                        out[i] = {v[0] * s, v[1] * s, v[2] * s};
                      },
                      r, 3, c, error, "vertex");
}

// Tweaks are sparse: Maya writes only the vertices that moved, and bounds
// them by the mesh's vertices when the scene is finished.
bool readTweaks(MeshData& m, Range r, int line, DataCursor& c, std::string& error) {
  double s = linearScale();
  const long long limit = std::numeric_limits<int>::max();
  return readElements([&] { return static_cast<std::size_t>(limit); },
                      [&](std::size_t i, const double* v) {
                        m.tweaks[static_cast<int>(i)] = Tweak{{v[0] * s, v[1] * s, v[2] * s}, line, {}, false};
                      },
                      Range{r.lo, r.hi > limit ? limit : r.hi, r.declared}, 3, c, error, "tweak");
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

// One loop of signed edges ("f N e..." or "h N e..."), as vertices.
bool readLoop(const MeshData& m, DataCursor& c, std::vector<int>& verts, std::string& error) {
  long long n = 0;
  if (!readCount(c, 1 << 20, n, error))
    return false;
  const long long numEdges = static_cast<long long>(m.edges.size() / 2);
  verts.clear();
  for (long long k = 0; k < n; ++k) {
    long long e;
    if (!c.integer(e) || e >= numEdges || -e - 1 >= numEdges) {
      error = "face edge " + std::to_string(e) + " is not an edge of the mesh";
      return false;
    }
    verts.push_back(e >= 0 ? m.edges[static_cast<std::size_t>(2 * e)]
                           : m.edges[static_cast<std::size_t>(2 * (-e - 1) + 1)]);
  }
  return true;
}

// "mu S N ids": the UVs of the loop just read, face or hole, in set S.
bool readLoopUVs(DataCursor& c, std::size_t corners, bool hole, std::vector<int>& ids, long long& set,
                 std::string& error) {
  long long n = 0;
  if (!c.integer(set) || set < 0 || set > 255 || !readCount(c, 1 << 20, n, error)) {
    error = "a UV set index and count are expected after mu";
    return false;
  }
  if (static_cast<std::size_t>(n) != corners) {
    error = "mu gives " + std::to_string(n) + " UVs for a " + (hole ? "hole" : "face") + " of " +
            std::to_string(corners) + " corners";
    return false;
  }
  ids.resize(static_cast<std::size_t>(n));
  for (long long k = 0; k < n; ++k) {
    long long id;
    if (!c.integer(id) || id < 0 || id > (1LL << 30)) {
      error = "a UV index is expected after mu";
      return false;
    }
    ids[static_cast<std::size_t>(k)] = static_cast<int>(id);
  }
  return true;
}

bool skipColours(DataCursor& c, bool perSet, std::string& error) {
  long long skip = 0, n = 0;
  if (perSet && !c.integer(skip)) {
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
  return true;
}

// polyFaces: "f N e..." faces as signed edge loops, "h N e..." holes of the
// face before, "mu S N ids" the UVs in set S of the loop before (face or
// hole), "fc"/"mc" colours (not kept).
bool readFaceBlock(const MeshData& m, Range r, DataCursor& c, FaceBlock& block, std::string& error) {
  std::string word;
  bool quoted;
  std::vector<int> verts, ids;
  bool lastIsHole = false;
  while (!c.atEnd()) {
    if (!c.item(word, quoted)) {
      error = "unterminated string in the polyFaces data";
      return false;
    }
    if (word == "f" || word == "h") {
      if (!readLoop(m, c, verts, error))
        return false;
      lastIsHole = word == "h";
      if (lastIsHole) {
        if (block.counts.empty()) {
          error = "a hole comes before any face";
          return false;
        }
        block.holes.push_back(FaceHole{static_cast<int>(block.counts.size()) - 1, verts, {}});
        continue;
      }
      block.counts.push_back(static_cast<int>(verts.size()));
      block.connects.insert(block.connects.end(), verts.begin(), verts.end());
    } else if (word == "mu") {
      long long set = 0;
      std::size_t corners = lastIsHole ? block.holes.back().vertices.size()
                                       : (block.counts.empty() ? 0 : static_cast<std::size_t>(block.counts.back()));
      if (!readLoopUVs(c, corners, lastIsHole, ids, set, error))
        return false;
      if (lastIsHole) {
        auto& holeIds = block.holes.back().uvIds;
        if (holeIds.size() <= static_cast<std::size_t>(set))
          holeIds.resize(static_cast<std::size_t>(set) + 1);
        holeIds[static_cast<std::size_t>(set)] = ids;
      } else {
        auto& target = block.uvIds[static_cast<int>(set)];
        target.resize(block.connects.size() - ids.size(), -1);
        target.insert(target.end(), ids.begin(), ids.end());
      }
    } else if (word == "mc" || word == "fc") {
      if (!skipColours(c, word == "mc", error))
        return false;
    } else {
      error = "unexpected \"" + word + "\" in the polyFaces data";
      return false;
    }
    if (r.hi >= 0 && r.lo >= 0 && static_cast<long long>(block.counts.size()) > r.hi - r.lo + 1) {
      error = "more faces than the range " + std::to_string(r.lo) + ":" + std::to_string(r.hi);
      return false;
    }
  }
  return true;
}

// The faces of a block join the mesh from face `first` on (any faces there
// before are replaced).
void appendFaces(MeshData& m, std::size_t first, FaceBlock& block) {
  if (m.faceStarts.size() != m.faceCounts.size() + 1)
    m.rebuildFaceStarts();
  m.faceCounts.resize(first);
  m.faceStarts.resize(first + 1);
  m.faceConnects.resize(static_cast<std::size_t>(m.faceStarts.back()));
  while (!m.holes.empty() && static_cast<std::size_t>(m.holes.back().face) >= first)
    m.holes.pop_back();
  const std::size_t before = m.faceConnects.size();
  m.faceCounts.insert(m.faceCounts.end(), block.counts.begin(), block.counts.end());
  m.faceConnects.insert(m.faceConnects.end(), block.connects.begin(), block.connects.end());
  for (int count : block.counts)  // a block's starts only: a mesh of 2000 blocks is not summed 2000 times
    m.faceStarts.push_back(m.faceStarts.back() + count);
  for (auto& hole : block.holes) {
    hole.face += static_cast<int>(first);
    m.holes.push_back(std::move(hole));
  }
  for (auto& [set, ids] : block.uvIds)
    setAt(m, set);
  for (std::size_t s = 0; s < m.uvSets.size(); ++s) {
    auto& target = m.uvSets[s].uvIds;
    target.resize(before, -1);
    auto found = block.uvIds.find(static_cast<int>(s));
    if (found != block.uvIds.end()) {
      found->second.resize(block.connects.size(), -1);
      target.insert(target.end(), found->second.begin(), found->second.end());
    }
    target.resize(m.faceConnects.size(), -1);
  }
}

// Blocks may come in any order: one whose first face is not yet reached waits
// until the faces before it are given. A block's faces join the mesh only
// when all of them are good.
bool readFaces(MeshData& m, Range r, int line, DataCursor& c, std::string& error) {
  FaceBlock block;
  block.line = line;
  if (!readFaceBlock(m, r, c, block, error))
    return false;
  std::size_t have = m.faceCounts.size();
  if (r.lo >= 0 && static_cast<std::size_t>(r.lo) > have) {
    m.pendingFaces[r.lo] = std::move(block);
    return true;
  }
  appendFaces(m, r.lo >= 0 ? static_cast<std::size_t>(r.lo) : have, block);
  for (auto next = m.pendingFaces.find(static_cast<long long>(m.faceCounts.size())); next != m.pendingFaces.end();
       next = m.pendingFaces.find(static_cast<long long>(m.faceCounts.size()))) {
    appendFaces(m, m.faceCounts.size(), next->second);
    m.pendingFaces.erase(next);
  }
  return true;
}

// The coordinate of a tweak that .px, .py or .pz names.
double& component(Point3& offset, const std::string& name) {
  return name == "pntx" ? offset.x : name == "pnty" ? offset.y : offset.z;
}

}  // namespace

bool isMeshGeometry(const std::string& name) {
  return name == "vrts" || name == "pnts" || name == "pntx" || name == "pnty" || name == "pntz" || name == "edge" ||
         name == "face" || name == "uvSetPoints" || name == "uvSetName";
}

namespace {

MeshAttrResult setMeshData(Node& node, const PlugRef& plug, const std::string& type, const ElementBlock& block,
                           DataCursor& values, std::string& error) {
  MeshData& m = *node.mesh;
  const std::string& name = plug.attr->name;
  Range r = rangeOf(plug, block);
  bool ok = true;
  if (name == "vrts") {
    ok = readPoints(m.points, r, values, error);
  } else if (name == "pnts" && type != "" && type != "float3" && type != "double3") {
    return MeshAttrResult::kNotMesh;
  } else if (name == "pnts") {
    ok = readTweaks(m, r, block.line, values, error);
  } else if (name == "pntx" || name == "pnty" || name == "pntz") {
    int index = plug.indices.size() > 1 ? plug.indices[0] : -1;
    double v;
    if (index < 0 || !values.number(v)) {
      error = "a tweak needs an index and a number";
      return MeshAttrResult::kFailed;
    }
    Tweak& tweak = m.tweaks[index];
    tweak.line = block.line;
    component(tweak.offset, name) = v * linearScale();
  } else if (name == "edge") {
    ok = readEdges(m, r, values, error);
  } else if (name == "face") {
    if (!type.empty() && type != "polyFaces") {  // no type: a later block of Maya's
      error = "face data must have the type polyFaces";
      return MeshAttrResult::kFailed;
    }
    ok = readFaces(m, r, block.line, values, error);
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

}  // namespace

// A mesh whose tweaks are on its points (a loaded one) takes the edit on the
// points as its file gives them, then its tweaks again: .vt and .pt keep
// their own meanings.
MeshAttrResult setMeshAttribute(Node& node, const PlugRef& plug, const std::string& type, const ElementBlock& block,
                                DataCursor& values, std::string& error) {
  MeshData& m = *node.mesh;
  const bool tweaked = m.tweaksApplied;
  m.removeTweaks();
  MeshAttrResult result = setMeshData(node, plug, type, block, values, error);
  if (tweaked)
    m.applyTweaks();
  return result;
}

namespace {

// The tweaks of the node's mesh when the plug is .pt or one of its children.
const std::map<int, Tweak>* tweaksOf(const Node& node, const PlugRef& plug) {
  if (!node.mesh || !plug.attr)
    return nullptr;
  const std::string& name = plug.attr->name;
  const bool tweakPlug = name == "pnts" || name == "pntx" || name == "pnty" || name == "pntz";
  return tweakPlug ? &node.mesh->tweaks : nullptr;
}

}  // namespace

bool meshTweakValue(const Node& node, const PlugRef& plug, Value& out) {
  const auto* tweaks = tweaksOf(node, plug);
  if (!tweaks)
    return false;
  out = Value();
  const std::string& name = plug.attr->name;
  const int vertex = plug.indices.empty() ? -1 : plug.indices[0];
  auto found = tweaks->find(vertex);
  if (vertex < 0 || found == tweaks->end())
    return true;
  Point3 d = found->second.offset;
  out = name == "pnts" ? Value::ofNumbers({d.x, d.y, d.z}) : Value::ofNumber(component(d, name));
  return true;
}

bool setMeshTweak(Node& node, const PlugRef& plug, double value) {
  const std::string& name = plug.attr ? plug.attr->name : std::string();
  const int vertex = plug.indices.empty() ? -1 : plug.indices[0];
  if (!tweaksOf(node, plug) || name == "pnts" || vertex < 0)
    return false;
  MeshData& m = *node.mesh;
  const bool tweaked = m.tweaksApplied;
  m.removeTweaks();
  component(m.tweaks[vertex].offset, name) = value;
  if (tweaked)
    m.applyTweaks();
  return true;
}

bool meshTweakIndices(const Node& node, const PlugRef& arrayPlug, std::vector<int>& out) {
  const auto* tweaks = tweaksOf(node, arrayPlug);
  if (!tweaks || arrayPlug.attr->name != "pnts")
    return false;
  out.clear();
  for (const auto& entry : *tweaks)
    out.push_back(entry.first);
  return true;
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
