#include "NurbsFitting.h"

#include "NurbsTessellator.h"

#include <cmath>

namespace OmbrixHost {

// B-spline control points by their Greville abscissae: a uniform open (or
// periodic) knot vector and the parameter each CV stands for.
std::vector<double> openKnots(int spans, int degree) {
  std::vector<double> k;
  for (int i = 0; i < degree; ++i)
    k.push_back(0);
  for (int i = 1; i < spans; ++i)
    k.push_back(i);
  for (int i = 0; i < degree; ++i)
    k.push_back(spans);
  return k;
}

std::vector<double> greville(const std::vector<double>& mayaKnots, int degree, int cvs) {
  std::vector<double> full{mayaKnots.front()};
  full.insert(full.end(), mayaKnots.begin(), mayaKnots.end());
  full.push_back(mayaKnots.back());
  std::vector<double> g;
  for (int i = 0; i < cvs; ++i) {
    double s = 0;
    for (int k = 1; k <= degree; ++k)
      s += full[static_cast<std::size_t>(i + k)];
    g.push_back(s / degree);
  }
  return g;
}

// Values of the B-spline basis functions of an open knot vector at t,
// found by evaluating a curve whose CVs are 0 except one.
std::vector<double> basisAt(const std::vector<double>& mayaKnots, int degree, int cvs, double t) {
  NurbsData curve;
  curve.degreeU = degree;
  curve.degreeV = 1;
  curve.knotsU = mayaKnots;
  curve.knotsV = {0.0, 1.0};
  curve.cvs.assign(static_cast<std::size_t>(cvs) * 2, Point3{});
  curve.weights.assign(curve.cvs.size(), 1.0);
  std::vector<double> out;
  for (int j = 0; j < cvs; ++j) {
    curve.cvs[static_cast<std::size_t>(j) * 2] = {1.0, 0.0, 0.0};
    out.push_back(NurbsEvaluator(curve).at(t, 0.0).x);
    curve.cvs[static_cast<std::size_t>(j) * 2] = {};
  }
  return out;
}

// Solves A x = b (small, dense, partial pivoting); false when singular.
bool solveRows(std::vector<std::vector<double>> a, std::vector<std::vector<double>>& rows) {
  std::size_t n = rows.size();
  for (std::size_t c = 0; c < n; ++c) {
    std::size_t pivot = c;
    for (std::size_t r = c + 1; r < n; ++r)
      if (std::fabs(a[r][c]) > std::fabs(a[pivot][c]))
        pivot = r;
    if (std::fabs(a[pivot][c]) < 1e-12)
      return false;
    std::swap(a[c], a[pivot]);
    std::swap(rows[c], rows[pivot]);
    for (std::size_t r = 0; r < n; ++r) {
      if (r == c)
        continue;
      double f = a[r][c] / a[c][c];
      for (std::size_t k = c; k < n; ++k)
        a[r][k] -= f * a[c][k];
      for (std::size_t j = 0; j < rows[r].size(); ++j)
        rows[r][j] -= f * rows[c][j];
    }
  }
  for (std::size_t c = 0; c < n; ++c)
    for (auto& v : rows[c])
      v /= a[c][c];
  return true;
}

bool solve(std::vector<std::vector<double>> a, std::vector<double>& b) {
  std::vector<std::vector<double>> rows;
  for (double v : b)
    rows.push_back({v});
  if (!solveRows(std::move(a), rows))
    return false;
  for (std::size_t r = 0; r < b.size(); ++r)
    b[r] = rows[r][0];
  return true;
}

Revolution revolution(int sections, int degree, double start, double sweep) {
  const double kFullTurn = 6.283185307179586;
  Revolution r;
  double step = sweep / sections;
  r.ring = degree == 3 ? 6.0 / (4.0 + 2.0 * std::cos(step)) : 1.0;
  if (std::fabs(sweep) >= kFullTurn - 1e-9) {
    r.form = 3;
    for (int i = -(degree - 1); i <= sections + degree - 1; ++i)
      r.knots.push_back(i);
    for (int j = 0; j < sections + degree; ++j) {
      r.angles.push_back(start + step * (j - (degree - 1) / 2.0));
      r.rings.push_back(r.ring);
    }
    return r;
  }
  r.knots = openKnots(sections, degree);
  int cvs = sections + degree;
  std::vector<double> g = greville(r.knots, degree, cvs);
  for (int j = 0; j < cvs; ++j) {
    r.angles.push_back(start + step * g[static_cast<std::size_t>(j)]);
    r.rings.push_back(j == 0 || j == cvs - 1 ? 1.0 : r.ring);  // a clamped curve ends on its end CVs
  }
  return r;
}

}  // namespace OmbrixHost
