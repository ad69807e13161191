#pragma once
// Which object of a Maya OBJ is the scene's object at a DAG path. A g line
// names the transform and, in no fixed order, its ancestors and the sets
// some of its faces belong to. An object block is the path's when it names
// the path's last transform; among several, the one naming fewest other
// transforms that are not ancestors (a child's block names its parent too),
// then leaving out fewest ancestors (|a|b|c's block names a, b and c, while
// that of |a|c, another c, names a and c), then naming fewest sets.
#include <functional>
#include <string>
#include <vector>

#include "MayaObjReader.h"

struct ObjObjectChoice {
  int index = -1;  // the block, -1 for none
  int ties = 0;    // further blocks as good (instances of one shape)
};

// isTransform(name): the scene has a transform of that name.
ObjObjectChoice findObjObject(const std::vector<MayaObjObject>& objects, const std::string& dagPath,
                              const std::function<bool(const std::string&)>& isTransform);
