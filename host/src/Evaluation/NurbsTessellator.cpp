#include "NurbsTessellator.h"

#include "Point3Math.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace OmbrixHost {
namespace {

// Maya keeps the knot vector without its first and last entries.
std::vector<double> fullKnots(const std::vector<double>& k) {
  std::vector<double> full;
  full.push_back(k.front());
  full.insert(full.end(), k.begin(), k.end());
  full.push_back(k.back());
  return full;
}

int findSpan(const std::vector<double>& U, int n, int p, double t) {
  if (t >= U[n])
    return n - 1;
  if (t <= U[p])
    return p;
  int lo = p, hi = n;
  while (hi - lo > 1) {
    int mid = (lo + hi) / 2;
    if (t < U[mid])
      hi = mid;
    else
      lo = mid;
  }
  return lo;
}

// Non-zero basis functions N[i-p..i] at t (Cox-de Boor, triangular scheme).
void basis(const std::vector<double>& U, int span, int p, double t, double* N) {
  double left[8], right[8];
  N[0] = 1.0;
  for (int j = 1; j <= p; ++j) {
    left[j] = t - U[span + 1 - j];
    right[j] = U[span + j] - t;
    double saved = 0.0;
    for (int r = 0; r < j; ++r) {
      double denom = right[r + 1] + left[j - r];
      double temp = denom != 0.0 ? N[r] / denom : 0.0;
      N[r] = saved + right[r + 1] * temp;
      saved = left[j - r] * temp;
    }
    N[j] = saved;
  }
}

std::vector<double> distinctInside(const std::vector<double>& knots, double lo, double hi) {
  std::vector<double> out;
  for (double k : knots)
    if (k >= lo && k <= hi && (out.empty() || k > out.back()))
      out.push_back(k);
  return out;
}

double distance(const Point3& a, const Point3& b) {
  return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
}

Point3 mid(const Point3& a, const Point3& b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2}; }

std::vector<double> evenly(double lo, double hi, int segments) {
  std::vector<double> out;
  segments = std::max(1, segments);
  for (int i = 0; i <= segments; ++i)
    out.push_back(lo + (hi - lo) * i / segments);
  return out;
}

// Splitting rules of the refinement pass. A negative value switches a test off.
struct Refinement {
  double absolute = -1.0;  // largest chord deviation, object space
  double ratio = -1.0;     // chord height ratio: deviation / chord must stay under 1 - ratio
  double minEdge = 0.0;
  int maxSegments = 2048;
};

class Direction {
public:
  Direction(const NurbsEvaluator& e, bool alongU) : e_(e), alongU_(alongU) {}

  Point3 at(double t, double s) const { return alongU_ ? e_.at(t, s) : e_.at(s, t); }

  // Sample parameters across the other direction: span boundaries and midpoints.
  std::vector<double> across() const {
    auto b = alongU_ ? e_.spanBoundariesV() : e_.spanBoundariesU();
    std::vector<double> out;
    for (std::size_t i = 0; i < b.size(); ++i) {
      out.push_back(b[i]);
      if (i + 1 < b.size())
        out.push_back((b[i] + b[i + 1]) / 2);
    }
    return out;
  }

  void refine(std::vector<double>& params, const Refinement& rule) const {
    auto samples = across();
    std::vector<double> out{params.front()};
    for (std::size_t i = 0; i + 1 < params.size(); ++i)
      split(params[i], params[i + 1], samples, rule, 0, out);
    if (out.size() <= static_cast<std::size_t>(rule.maxSegments) + 1)
      params.swap(out);
  }

  double lengthAlong(double s, double lo, double hi, std::vector<double>* cumulative, int steps) const {
    double total = 0.0;
    Point3 prev = at(lo, s);
    if (cumulative)
      cumulative->assign(1, 0.0);
    for (int i = 1; i <= steps; ++i) {
      Point3 p = at(lo + (hi - lo) * i / steps, s);
      total += distance(prev, p);
      prev = p;
      if (cumulative)
        cumulative->push_back(total);
    }
    return total;
  }

  // Parameters equally spaced in 3D along the middle isoparm.
  std::vector<double> equalLength(double lo, double hi, int segments) const {
    double s = alongU_ ? (e_.vMin() + e_.vMax()) / 2 : (e_.uMin() + e_.uMax()) / 2;
    const int steps = 256;
    std::vector<double> cum;
    double total = lengthAlong(s, lo, hi, &cum, steps);
    segments = std::max(1, segments);
    if (total <= 0.0)
      return evenly(lo, hi, segments);
    std::vector<double> out{lo};
    for (int k = 1; k < segments; ++k) {
      double target = total * k / segments;
      auto it = std::lower_bound(cum.begin(), cum.end(), target);
      std::size_t i = static_cast<std::size_t>(std::max<long>(1, it - cum.begin()));
      double f = cum[i] > cum[i - 1] ? (target - cum[i - 1]) / (cum[i] - cum[i - 1]) : 0.0;
      out.push_back(lo + (hi - lo) * (static_cast<double>(i - 1) + f) / steps);
    }
    out.push_back(hi);
    return out;
  }

private:
  void split(double a, double b, const std::vector<double>& samples, const Refinement& rule, int depth,
             std::vector<double>& out) const {
    double m = (a + b) / 2;
    double deviation = 0.0, chord = 0.0;
    for (double s : samples) {
      Point3 pa = at(a, s), pb = at(b, s), pm = at(m, s);
      deviation = std::max(deviation, distance(pm, mid(pa, pb)));
      chord = std::max(chord, distance(pa, pb));
    }
    bool tooCoarse = (rule.absolute > 0.0 && deviation > rule.absolute) ||
                     (rule.ratio > 0.0 && rule.ratio < 1.0 && deviation > (1.0 - rule.ratio) * chord);
    if (tooCoarse && depth < 12 && chord / 2 >= rule.minEdge && out.size() < static_cast<std::size_t>(rule.maxSegments)) {
      split(a, m, samples, rule, depth + 1, out);
      split(m, b, samples, rule, depth + 1, out);
      return;
    }
    out.push_back(b);
  }

  const NurbsEvaluator& e_;
  bool alongU_;
};

std::vector<double> isoparms(const Direction& dir, MTesselationParams::IsoparmType type, int number,
                             const std::vector<double>& spans) {
  double lo = spans.front(), hi = spans.back();
  switch (type) {
  case MTesselationParams::kSurface3DDistance:
  case MTesselationParams::kSurface3DEquiSpaced:
    return dir.equalLength(lo, hi, number);
  case MTesselationParams::kSurfaceEquiSpaced:
    return evenly(lo, hi, number);
  case MTesselationParams::kSpanEquiSpaced:
  default: {
    std::vector<double> out{lo};
    for (std::size_t i = 0; i + 1 < spans.size(); ++i) {
      auto part = evenly(spans[i], spans[i + 1], number);
      out.insert(out.end(), part.begin() + 1, part.end());
    }
    return out;
  }
  }
}

struct Grid {
  std::vector<double> us, vs;
};

Grid parameterGrid(const NurbsEvaluator& e, const TessellationSettings& p) {
  Direction du(e, true), dv(e, false);
  auto spansU = e.spanBoundariesU(), spansV = e.spanBoundariesV();
  double diag = e.boundingDiagonal();
  Grid g;
  switch (p.format) {
  case MTesselationParams::kTriangleCountFormat: {
    double lu = std::max(1e-12, du.lengthAlong((e.vMin() + e.vMax()) / 2, e.uMin(), e.uMax(), nullptr, 64));
    double lv = std::max(1e-12, dv.lengthAlong((e.uMin() + e.uMax()) / 2, e.vMin(), e.vMax(), nullptr, 64));
    double cells = std::max(1.0, p.triangleCount / 2.0);
    int nu = std::max(1, static_cast<int>(std::lround(std::sqrt(cells * lu / lv))));
    int nv = std::max(1, static_cast<int>(std::lround(cells / nu)));
    g.us = evenly(e.uMin(), e.uMax(), std::min(nu, 4096));
    g.vs = evenly(e.vMin(), e.vMax(), std::min(nv, 4096));
    break;
  }
  case MTesselationParams::kGeneralFormat: {
    g.us = isoparms(du, p.uIsoparm, std::min(p.uNumber, 1024), spansU);
    g.vs = isoparms(dv, p.vIsoparm, std::min(p.vNumber, 1024), spansV);
    Refinement rule;
    if (p.useChordHeightRatio)
      rule.ratio = p.chordHeightRatio;
    if (p.useFractionalTolerance)
      rule.absolute = 0.01 * diag;
    if (rule.ratio > 0.0 || rule.absolute > 0.0) {
      du.refine(g.us, rule);
      dv.refine(g.vs, rule);
    }
    break;
  }
  case MTesselationParams::kStandardFitFormat:
  default: {
    g.us = spansU;
    g.vs = spansV;
    Refinement rule;
    rule.ratio = p.stdChordHeightRatio;
    rule.absolute = p.stdFractionalTolerance * diag;
    if (p.delta3D > 0.0)
      rule.absolute = rule.absolute > 0.0 ? std::min(rule.absolute, p.delta3D) : p.delta3D;
    rule.minEdge = std::max(0.0, p.stdMinEdgeLength);
    du.refine(g.us, rule);
    dv.refine(g.vs, rule);
    break;
  }
  }
  return g;
}

}  // namespace

NurbsEvaluator::NurbsEvaluator(const NurbsData& data)
    : d_(data), fullU_(fullKnots(data.knotsU)), fullV_(fullKnots(data.knotsV)) {
  u0_ = fullU_[d_.degreeU];
  u1_ = fullU_[d_.numCVsU()];
  v0_ = fullV_[d_.degreeV];
  v1_ = fullV_[d_.numCVsV()];
}

Point3 NurbsEvaluator::at(double u, double v) const {
  int pu = d_.degreeU, pv = d_.degreeV, nu = d_.numCVsU(), nv = d_.numCVsV();
  int su = findSpan(fullU_, nu, pu, u), sv = findSpan(fullV_, nv, pv, v);
  double Nu[8], Nv[8];
  basis(fullU_, su, pu, u, Nu);
  basis(fullV_, sv, pv, v, Nv);
  double x = 0, y = 0, z = 0, w = 0;
  for (int a = 0; a <= pu; ++a)
    for (int b = 0; b <= pv; ++b) {
      std::size_t idx = static_cast<std::size_t>(su - pu + a) * static_cast<std::size_t>(nv) +
                        static_cast<std::size_t>(sv - pv + b);
      double f = Nu[a] * Nv[b] * d_.weights[idx];
      x += f * d_.cvs[idx].x;
      y += f * d_.cvs[idx].y;
      z += f * d_.cvs[idx].z;
      w += f;
    }
  if (w == 0.0)
    return {};
  return {x / w, y / w, z / w};
}

std::vector<double> NurbsEvaluator::spanBoundariesU() const { return distinctInside(d_.knotsU, u0_, u1_); }
std::vector<double> NurbsEvaluator::spanBoundariesV() const { return distinctInside(d_.knotsV, v0_, v1_); }

double NurbsEvaluator::boundingDiagonal() const {
  if (d_.cvs.empty())
    return 0.0;
  Point3 lo = d_.cvs[0], hi = d_.cvs[0];
  for (const auto& p : d_.cvs) {
    lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
    hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
  }
  return distance(lo, hi);
}

namespace {

// The mesh of a grid of points (cols x rows, column by column), each with its
// UV: points closer than `eps` welded, each cell a quad or two triangles.
void gridMesh(const std::vector<Point3>& grid, const std::vector<std::pair<double, double>>& gridUVs, std::size_t cols,
              std::size_t rows, const TessellationSettings& params, double eps, MeshData& out) {
  std::map<std::tuple<long long, long long, long long>, int> welded;
  std::vector<int> vertexOf(cols * rows);
  out = MeshData();
  UVSet uv{"map1", {}, {}, {}};
  for (std::size_t g = 0; g < grid.size(); ++g) {
    const Point3 p = grid[g];
    auto key = std::make_tuple(std::llround(p.x / eps), std::llround(p.y / eps), std::llround(p.z / eps));
    auto found = welded.emplace(key, static_cast<int>(out.points.size()));
    if (found.second)
      out.points.push_back(p);
    vertexOf[g] = found.first->second;
    uv.us.push_back(static_cast<float>(gridUVs[g].first));
    uv.vs.push_back(static_cast<float>(gridUVs[g].second));
  }
  bool swap = params.edgeSwapping;
  bool quads = params.polyType == MTesselationParams::kQuads;
  auto emit = [&](std::vector<int> grid) {
    std::vector<int> verts;
    std::vector<int> ids;
    for (int gi : grid) {
      int v = vertexOf[static_cast<std::size_t>(gi)];
      if (std::find(verts.begin(), verts.end(), v) != verts.end())
        continue;
      verts.push_back(v);
      ids.push_back(gi);
    }
    if (verts.size() < 3)
      return;
    out.faceCounts.push_back(static_cast<int>(verts.size()));
    out.faceConnects.insert(out.faceConnects.end(), verts.begin(), verts.end());
    uv.uvIds.insert(uv.uvIds.end(), ids.begin(), ids.end());
  };
  for (std::size_t i = 0; i + 1 < cols; ++i)
    for (std::size_t j = 0; j + 1 < rows; ++j) {
      int a = static_cast<int>(i * rows + j), b = static_cast<int>((i + 1) * rows + j);
      int c = static_cast<int>((i + 1) * rows + j + 1), d = static_cast<int>(i * rows + j + 1);
      if (quads) {
        emit({a, b, c, d});
        continue;
      }
      bool otherDiagonal = false;
      if (swap) {
        const auto& P = out.points;
        otherDiagonal = distance(P[vertexOf[b]], P[vertexOf[d]]) < distance(P[vertexOf[a]], P[vertexOf[c]]);
      }
      if (otherDiagonal) {
        emit({a, b, d});
        emit({b, c, d});
      } else {
        emit({a, b, c});
        emit({a, c, d});
      }
    }
  out.rebuildFaceStarts();
  out.uvSets.push_back(std::move(uv));
  out.currentUVSet = 0;
}

// A planar trimmed region: one face of its outline with its holes, each
// point's UV its place on the flat patch the CVs span.
void planarRegionMesh(const NurbsData& surface, MeshData& out) {
  out = MeshData();
  const Point3 corner = surface.cvs[0], u = surface.cvs[2] - corner, v = surface.cvs[1] - corner;
  const double uu = dot(u, u), vv = dot(v, v);
  UVSet uv{"map1", {}, {}, {}};
  for (std::size_t k = 0; k < surface.planarLoops.size(); ++k) {
    std::vector<int> ids;
    for (const auto& p : surface.planarLoops[k]) {
      ids.push_back(static_cast<int>(out.points.size()));
      out.points.push_back(p);
      uv.us.push_back(static_cast<float>(uu > 0 ? dot(p - corner, u) / uu : 0.0));
      uv.vs.push_back(static_cast<float>(vv > 0 ? dot(p - corner, v) / vv : 0.0));
    }
    if (k == 0) {
      out.faceCounts.push_back(static_cast<int>(ids.size()));
      out.faceConnects = ids;
      uv.uvIds = ids;
    } else {
      out.holes.push_back(FaceHole{0, ids, {ids}});
    }
  }
  out.uvSets.push_back(std::move(uv));
  out.currentUVSet = 0;
  out.rebuildFaceStarts();
}

}  // namespace

bool tessellateSurface(const NurbsData& surface, const TessellationSettings& params, MeshData& out) {
  if (!surface.valid())
    return false;
  if (!surface.planarLoops.empty()) {
    planarRegionMesh(surface, out);
    return true;
  }
  NurbsEvaluator e(surface);
  Grid g = parameterGrid(e, params);
  std::vector<Point3> grid;
  std::vector<std::pair<double, double>> uvs;
  for (double u : g.us)
    for (double v : g.vs) {
      grid.push_back(e.at(u, v));
      uvs.emplace_back((u - e.uMin()) / (e.uMax() - e.uMin()), (v - e.vMin()) / (e.vMax() - e.vMin()));
    }
  gridMesh(grid, uvs, g.us.size(), g.vs.size(), params, 1e-9 * std::max(1.0, e.boundingDiagonal()), out);
  return true;
}

bool controlPointMesh(const NurbsData& surface, const TessellationSettings& params, MeshData& out) {
  if (!surface.valid() || !surface.planarLoops.empty())
    return tessellateSurface(surface, params, out);  // a planar region whatever the format
  // A periodic direction's last `degree` CVs repeat its first: one more than the distinct ones closes it.
  const auto numV = static_cast<std::size_t>(surface.numCVsV());
  const auto cols = static_cast<std::size_t>(surface.numCVsU() - (surface.formU == 3 ? surface.degreeU - 1 : 0));
  const auto rows = numV - static_cast<std::size_t>(surface.formV == 3 ? surface.degreeV - 1 : 0);
  std::vector<Point3> grid;
  std::vector<std::pair<double, double>> uvs;
  for (std::size_t i = 0; i < cols; ++i)
    for (std::size_t j = 0; j < rows; ++j) {
      grid.push_back(surface.cvs[i * numV + j]);
      uvs.emplace_back(static_cast<double>(i) / static_cast<double>(cols - 1),
                       static_cast<double>(j) / static_cast<double>(rows - 1));
    }
  gridMesh(grid, uvs, cols, rows, params, 1e-9 * std::max(1.0, NurbsEvaluator(surface).boundingDiagonal()), out);
  return true;
}

}  // namespace OmbrixHost
