#include "UVProjections.h"

#include "ComponentLists.h"
#include "Matrix4.h"
#include "Point3Math.h"
#include "UVSeams.h"

#include <algorithm>
#include <cmath>

namespace OmbrixHost {
namespace {

const double kPi = 3.14159265358979323846;
const double kDegrees = 180.0 / kPi;

enum class Shape { kPlane, kCylinder, kSphere };

// Where the projection sits: its centre and axes in the space the points are
// taken in (world space through inputMatrix when worldSpace is on).
struct Frame {
  bool world = false;
  Matrix4 toWorld;
  Point3 centre;
  Point3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

  // The point in the space the projection is made in.
  Point3 placed(const Point3& p) const { return world ? toWorld.apply(p) : p; }

  Point3 local(const Point3& point) const {
    const Point3 p = placed(point);
    Point3 d{p.x - centre.x, p.y - centre.y, p.z - centre.z};
    return Point3{dot(d, axes[0]), dot(d, axes[1]), dot(d, axes[2])};
  }
};

// v turned by `angle` about one axis, for row vectors (v * R), as Maya's rotations turn.
Point3 turned(const Point3& v, int axis, double angle) {
  double c = std::cos(angle), s = std::sin(angle);
  if (axis == 0)
    return Point3{v.x, v.y * c - v.z * s, v.y * s + v.z * c};
  if (axis == 1)
    return Point3{v.x * c + v.z * s, v.y, -v.x * s + v.z * c};
  return Point3{v.x * c - v.y * s, v.x * s + v.y * c, v.z};
}

// The values a projection reads, in the units the host keeps (angles in radians).
struct Manipulator {
  Shape shape = Shape::kPlane;
  Frame frame;
  double imageCentre[2] = {0.5, 0.5}, imageScale[2] = {1, 1};
  double rotation = 0.0;
  double extent[2] = {1, 1};  // width and height, or sweeps in degrees (and a cylinder's height)
  bool seamCorrect = true;
};

Shape shapeOf(const Node& node) {
  if (node.typeName == "polyCylProj")
    return Shape::kCylinder;
  return node.typeName == "polySphProj" ? Shape::kSphere : Shape::kPlane;
}

bool readManipulator(const Node& node, Manipulator& out, std::string& why) {
  out.shape = shapeOf(node);
  Frame& f = out.frame;
  f.world = node.number("worldSpace", 0.0) != 0.0;
  const Value matrix = node.value("inputMatrix");
  if (f.world && matrix.kind != Value::kNone && !Matrix4::fromValue(&matrix, f.toWorld)) {
    why = "its inputMatrix is not a matrix";
    return false;
  }
  f.centre = Point3{node.number("projectionCenter.projectionCenterX", 0.0),
                    node.number("projectionCenter.projectionCenterY", 0.0),
                    node.number("projectionCenter.projectionCenterZ", 0.0)};
  double angles[3];
  for (int i = 0; i < 3; ++i)
    angles[i] = node.number(std::string("rotate.rotate") + "XYZ"[i], 0.0);
  for (auto& axis : f.axes)
    for (int i = 0; i < 3; ++i)
      axis = turned(axis, i, angles[i]);
  out.imageCentre[0] = node.number("imageCenter.imageCenterX", 0.5);
  out.imageCentre[1] = node.number("imageCenter.imageCenterY", 0.5);
  out.imageScale[0] = node.number("imageScale.imageScaleU", 1.0);
  out.imageScale[1] = node.number("imageScale.imageScaleV", 1.0);
  out.rotation = node.number("rotationAngle", 0.0);
  const char* const names[3][2] = {{"projectionWidth", "projectionHeight"},
                                   {"projectionHorizontalSweep", "projectionHeight"},
                                   {"projectionHorizontalSweep", "projectionVerticalSweep"}};
  const double defaults[3][2] = {{1, 1}, {180, 1}, {180, 90}};
  const int kind = static_cast<int>(out.shape);
  for (int i = 0; i < 2; ++i)
    out.extent[i] = node.number(std::string("projectionScale.") + names[kind][i], defaults[kind][i]);
  out.seamCorrect = node.number("seamCorrect", 1.0) != 0.0;
  std::vector<double> all{f.centre.x, f.centre.y, f.centre.z, angles[0], angles[1], angles[2], out.imageCentre[0],
                          out.imageCentre[1], out.imageScale[0], out.imageScale[1], out.rotation,
                          out.extent[0], out.extent[1]};
  if (!f.toWorld.finite() || std::any_of(all.begin(), all.end(), [](double v) { return !std::isfinite(v); })) {
    why = "a value of its projection is not a number";
    return false;
  }
  for (int i = 0; i < 2; ++i)
    if (out.extent[i] == 0.0) {
      why = std::string("its projectionScale gives a ") + names[kind][i] + " of 0";
      return false;
    }
  return true;
}

// The projection's coordinates of one face-vertex before the image placement:
// across and up the plane, or round (degrees from the front, +Z) and up.
struct Spot {
  double round = 0.0, up = 0.0;
  bool pole = false;  // on the axis, where no direction round it is sound
  bool seam = false;  // right behind the axis, where half a turn either way is as sound
};

Spot spotOf(const Manipulator& p, const Point3& point) {
  Point3 l = p.frame.local(point);
  Spot s;
  if (p.shape == Shape::kPlane) {
    s.round = l.x;
    s.up = l.y;
    return s;
  }
  // On the axis (a pole), where no direction round it is sound, Maya takes the front.
  double across = std::hypot(l.x, l.z), size = std::hypot(across, l.y);
  s.pole = across <= 1e-6 * std::max(1.0, size);
  s.round = s.pole ? 0.0 : std::atan2(l.x, l.z) * kDegrees;
  s.seam = !s.pole && l.z < 0.0 && std::fabs(l.x) <= 1e-6 * std::max(1.0, across);
  if (p.shape == Shape::kCylinder)
    s.up = l.y;
  else
    s.up = size > 0.0 ? std::asin(std::max(-1.0, std::min(1.0, l.y / size))) * kDegrees : 0.0;
  return s;
}

// One face's spots made whole across the seam, as Maya corrects it: each
// corner taken the way round nearest the corner before it (from the first
// corner off the seam, so that a corner on it takes its face's side), then
// the face moved by whole turns until its lowest corner off the seam is no
// more than half a turn back from the front. A pole stays at the front.
void joinFace(std::vector<Spot>& spots) {
  const std::size_t count = spots.size();
  std::size_t start = 0;
  while (start < count && (spots[start].pole || spots[start].seam))
    ++start;
  const Spot* before = nullptr;
  double lowest = HUGE_VAL;
  for (std::size_t k = 0; k < count; ++k) {
    Spot& s = spots[(start == count ? k : start + k) % count];
    if (s.pole)
      continue;
    if (before)
      s.round += 360.0 * std::round((before->round - s.round) / 360.0);
    if (start == count || !s.seam)
      lowest = std::min(lowest, s.round);
    before = &s;
  }
  const double turns = before && lowest < -180.0 ? std::ceil((-180.0 - lowest) / 360.0) : 0.0;
  for (Spot& s : spots)
    if (!s.pole)
      s.round += 360.0 * turns;
}

UVValue placed(const Manipulator& p, const Spot& s) {
  double a = s.round / p.extent[0], b = s.up / p.extent[1];
  // A positive rotationAngle turns the map counterclockwise on the model: the UVs turn clockwise.
  double c = std::cos(p.rotation), sn = std::sin(p.rotation);
  double u = a * c + b * sn, v = -a * sn + b * c;
  return UVValue{static_cast<float>(p.imageCentre[0] + p.imageScale[0] * u),
                 static_cast<float>(p.imageCentre[1] + p.imageScale[1] * v)};
}

// Where the camera shows `q`, in the viewport's pixels from its middle; false behind the camera.
bool seenThrough(const Matrix4& camera, const double port[2], const Point3& q, double at[2]) {
  double clip[4];
  for (int j = 0; j < 4; ++j)
    clip[j] = q.x * camera.m[0][j] + q.y * camera.m[1][j] + q.z * camera.m[2][j] + camera.m[3][j];
  if (!(clip[3] > 0.0))
    return false;
  for (int i = 0; i < 2; ++i)
    at[i] = clip[i] / clip[3] * port[i] / 2.0;
  return true;
}

// A projection through the camera (isPerspective), as Maya makes it: each
// point seen through the camera matrix in the viewport's pixels (portRight by
// portTop), then the projected faces' points fitted into the unit square from
// the lower left of their bounds, their larger extent across it. False, with
// `why` set, where the node's values leave that layout unsettled.
bool cameraValues(const Node& node, const Manipulator& p, const std::vector<Point3>& points,
                  std::vector<UVValue>& values, std::string& why) {
  const Value matrix = node.value("cameraMatrix");
  Matrix4 camera;
  const double port[2] = {node.number("portRight", 0.0), node.number("portTop", 0.0)};
  if (!p.frame.world || !Matrix4::fromValue(&matrix, camera) || !camera.finite() || !(port[0] > 0.0) ||
      !(port[1] > 0.0)) {
    why = "it is made in object space or without its camera matrix and viewport";
    return false;
  }
  if (p.imageCentre[0] != 0.5 || p.imageCentre[1] != 0.5 || p.imageScale[0] != 1.0 || p.imageScale[1] != 1.0 ||
      p.rotation != 0.0) {
    why = "its image is moved, scaled or turned";
    return false;
  }
  std::vector<std::pair<double, double>> seen;
  double low[2] = {HUGE_VAL, HUGE_VAL}, high[2] = {-HUGE_VAL, -HUGE_VAL};
  for (const Point3& point : points) {
    double at[2];
    if (!seenThrough(camera, port, p.frame.placed(point), at)) {
      why = "a point lies behind its camera";
      return false;
    }
    for (int i = 0; i < 2; ++i) {
      low[i] = std::min(low[i], at[i]);
      high[i] = std::max(high[i], at[i]);
    }
    seen.emplace_back(at[0], at[1]);
  }
  const double extent = std::max(high[0] - low[0], high[1] - low[1]);
  if (seen.empty() || !(extent > 0.0) || !std::isfinite(extent)) {
    why = "its points are seen as one spot";
    return false;
  }
  values.clear();
  for (const auto& s : seen)
    values.emplace_back(static_cast<float>((s.first - low[0]) / extent),
                        static_cast<float>((s.second - low[1]) / extent));
  return true;
}

// The UVs made at each point, so that face-vertices of one point with one value share one.
class MadeUVs {
public:
  MadeUVs(std::size_t points, UVSet& set) : set_(set), first_(set.us.size()), latest_(points, -1) {}

  int at(int vertex, const UVValue& uv, int piece) {
    const bool known = vertex >= 0 && static_cast<std::size_t>(vertex) < latest_.size();
    for (int id = known ? latest_[static_cast<std::size_t>(vertex)] : -1; id >= 0;
         id = before_[static_cast<std::size_t>(id) - first_])
      if (set_.us[static_cast<std::size_t>(id)] == uv.first && set_.vs[static_cast<std::size_t>(id)] == uv.second &&
          pieces_[static_cast<std::size_t>(id) - first_] == piece)
        return id;
    const int id = static_cast<int>(set_.us.size());
    set_.us.push_back(uv.first);
    set_.vs.push_back(uv.second);
    pieces_.push_back(piece);
    before_.push_back(known ? latest_[static_cast<std::size_t>(vertex)] : -1);
    if (known)
      latest_[static_cast<std::size_t>(vertex)] = id;
    return id;
  }

private:
  UVSet& set_;
  std::size_t first_;       // the first UV made here
  std::vector<int> latest_; // per point, the last UV made there
  std::vector<int> before_; // per UV made, the one made before it at its point
  std::vector<int> pieces_; // per UV made, the piece of the faces using it
};

}  // namespace

void assignFaceUVs(const MeshData& m, const std::vector<int>& faces, const std::vector<UVValue>& values, UVSet& set,
                   const std::vector<UVValue>& firstValues, const std::vector<int>& pieces) {
  const std::vector<std::size_t> offsets = faceOffsets(m);
  if (offsets.back() != m.faceConnects.size())
    return;
  set.uvIds.resize(m.faceConnects.size(), -1);
  for (int& id : set.uvIds)
    if (id >= static_cast<int>(set.us.size()))
      id = -1;
  // Each point's UV as the faces first reach it (before a seam moves it), then the values the faces take.
  MadeUVs made(m.points.size(), set);
  for (const std::vector<UVValue>* pass : {&firstValues, &values}) {
    std::size_t k = 0;
    for (std::size_t i = 0; i < faces.size(); ++i)
      for (std::size_t c = offsets[faces[i]]; c < offsets[faces[i] + 1] && k < pass->size(); ++c, ++k) {
        int id = made.at(m.faceConnects[c], (*pass)[k], i < pieces.size() ? pieces[i] : 0);
        if (pass == &values)
          set.uvIds[c] = id;
      }
  }
  // The faces' former UVs no face uses any more go, and so does a point's first UV when every face
  // there took one moved across a seam.
  std::vector<bool> used(set.us.size(), false);
  for (int id : set.uvIds)
    if (id >= 0)
      used[static_cast<std::size_t>(id)] = true;
  const std::vector<int> kept = keepUVs(set, used);
  for (int& id : set.uvIds)
    id = id >= 0 ? kept[static_cast<std::size_t>(id)] : -1;
}

UVSet& writableSet(const Node& node, MeshData& m) {
  std::string name = node.text("uvSetName");
  if (!name.empty())
    return m.ensureUVSet(name);
  if (UVSet* current = m.uvSet(nullptr))
    return *current;
  m.currentUVSet = static_cast<int>(m.uvSets.size());
  return m.ensureUVSet("map1");
}

bool listedFaces(const Node& node, const MeshData& m, std::vector<int>& faces, std::string& why, std::string& note) {
  if (faceOffsets(m).back() != m.faceConnects.size()) {
    why = "the mesh's face counts do not match its face-vertices";
    return false;
  }
  ListedElements listed = listedElements(node, MFn::kMeshPolygonComponent, m.numFaces());
  if (!listed.unreadable.empty()) {
    why = "its component \"" + listed.unreadable + "\" cannot be read";
    return false;
  }
  note = strayNote(listed, "face", m.numFaces());
  faces.clear();
  if (!listed.given && node.value("inputComponents").kind == Value::kStrings) {
    note = "its inputComponents name no faces; the UVs are unchanged";
    return true;
  }
  if (!listed.given) {
    for (int f = 0; f < m.numFaces(); ++f)
      faces.push_back(f);
    return true;
  }
  faces = listed.elements;
  std::sort(faces.begin(), faces.end());
  faces.erase(std::unique(faces.begin(), faces.end()), faces.end());
  return true;
}

bool projectUVs(const Node& node, MeshData& m, std::string& why) {
  Manipulator p;
  std::vector<int> faces;
  std::string note;
  if (!readManipulator(node, p, why) || !listedFaces(node, m, faces, why, note))
    return false;
  const std::vector<std::size_t> offsets = faceOffsets(m);
  std::vector<UVValue> values, firstValues;
  std::vector<Spot> spots;
  std::vector<Point3> points;  // each face-vertex's, face by face
  for (int f : faces) {
    spots.clear();
    for (std::size_t c = offsets[f]; c < offsets[f + 1]; ++c) {
      int v = m.faceConnects[c];
      const bool known = v >= 0 && static_cast<std::size_t>(v) < m.points.size();
      points.push_back(known ? m.points[v] : Point3{});
      spots.push_back(known ? spotOf(p, points.back()) : Spot{});
    }
    for (const Spot& s : spots)
      firstValues.push_back(placed(p, s));
    if (p.shape != Shape::kPlane && p.seamCorrect)
      joinFace(spots);
    for (const Spot& s : spots)
      values.push_back(placed(p, s));
  }
  std::string unsettled;
  if (p.shape == Shape::kPlane && node.number("isPerspective", 0.0) != 0.0 &&
      cameraValues(node, p, points, values, unsettled))
    firstValues = values;
  assignFaceUVs(m, faces, values, writableSet(node, m), firstValues);
  why = note;
  if (!unsettled.empty())
    why += std::string(why.empty() ? "" : "; ") + "its perspective projection (" + unsettled +
           ") is taken straight along the projection's axis, as an orthographic one; Maya's layout may differ";
  return true;
}

}  // namespace OmbrixHost
