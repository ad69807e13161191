#pragma once
// Animation curves driven by time (animCurveTL, animCurveTA, animCurveTU,
// animCurveTT) read from the keys a scene file gives them, as the host needs
// them to place transforms and joints at the scene's current time.
#include "Node.h"

#include <string>

namespace OmbrixHost {

class Scene;

// The current time of the scene: what the file gave time1 (".o"), in the
// scene's time unit; frame 1 when it gave none, as in a new Maya scene.
double currentFrame(const Scene& scene);

// The value at `frame` of the time-driven curve whose output feeds `key` of
// `node`, as the plug holds it (radians, centimetres). False when no such curve feeds it, or when the host cannot tell the
// curve's value there: it answers at a key, before the first key and after
// the last (with constant infinity), and anywhere on a curve whose keys all
// hold one value; between keys of different values the tangents decide,
// which the host does not evaluate.
bool animatedValue(const Node& node, const std::string& key, double frame, double& value);

// Whether some time-driven curve feeds a plug of `node`.
bool isAnimated(const Node& node);

}  // namespace OmbrixHost
