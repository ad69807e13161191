#pragma once
// NURBS curves as history reads them: the data a nurbsCurve shape holds in
// the file (".cc" -type "nurbsCurve"), in the shape's space or the world's.
#include "GeometryData.h"
#include "Node.h"

#include <string>
#include <vector>

namespace OmbrixHost {

struct NurbsCurve {
  int degree = 1;
  int form = 1;  // 1 open, 2 closed, 3 periodic, as NurbsData counts them
  bool rational = false;
  std::vector<double> knots;  // as Maya writes them: spans + 2 * degree - 1
  std::vector<Point3> cvs;
  std::vector<double> weights;  // one per CV, 1 when not rational
};

// The curve a plug carries: a nurbsCurve shape's data, taken through the
// shape's world matrix when the plug is its worldSpace. False, with `why`
// set, for another source or data that does not describe a curve.
bool curveAt(const PlugRef& source, NurbsCurve& out, std::string& why);

// The curve as a surface one row wide, to be evaluated along U (NurbsEvaluator).
NurbsData curveAsSurface(const NurbsCurve& c);

}  // namespace OmbrixHost
