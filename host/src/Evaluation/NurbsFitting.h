#pragma once
// B-spline helpers shared by the NURBS creation and history nodes: knot
// vectors as Maya writes them (no end knots doubled), Greville abscissae,
// basis values, small dense solves and the CV layout of a surface of revolution.
#include <vector>

namespace OmbrixHost {

// A uniform open knot vector of `spans` spans.
std::vector<double> openKnots(int spans, int degree);
// The parameter each of `cvs` CVs stands for.
std::vector<double> greville(const std::vector<double>& mayaKnots, int degree, int cvs);
// The values of the basis functions of an open knot vector at t.
std::vector<double> basisAt(const std::vector<double>& mayaKnots, int degree, int cvs, double t);
// Solves A X = B (partial pivoting) in place, B given by rows (one per row of
// A, any number of columns); false when A is singular.
bool solveRows(std::vector<std::vector<double>> a, std::vector<std::vector<double>>& rows);
// The same for one column.
bool solve(std::vector<std::vector<double>> a, std::vector<double>& b);

// The direction round an axis: `sections` spans from `start` through `sweep`
// radians, periodic when the sweep is a full turn. Each CV sits at its angle,
// as far out as the radius times its ring factor, which widens a cubic's
// inner CVs so that the curve passes through the circle at its knots.
struct Revolution {
  std::vector<double> knots;
  int form = 1;  // 1 open, 3 periodic
  std::vector<double> angles;
  std::vector<double> rings;
  double ring = 1.0;  // the inner CVs' factor
};
Revolution revolution(int sections, int degree, double start, double sweep);

}  // namespace OmbrixHost
