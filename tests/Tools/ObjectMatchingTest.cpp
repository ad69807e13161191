// Which object block of a Maya OBJ is a scene object's, by the names its g
// lines give: the transform, all its ancestors (in no fixed order), its sets.
#include <gtest/gtest.h>

#include "ObjectMatching.h"

namespace {

std::vector<MayaObjObject> blocks(const std::vector<std::set<std::string>>& names) {
  std::vector<MayaObjObject> objects(names.size());
  for (std::size_t i = 0; i < names.size(); ++i) objects[i].names = names[i];
  return objects;
}

// The transforms of the scene these blocks come from.
bool isTransform(const std::string& name) { return name != "set1" && name != "tweakSet1"; }

int chosen(const std::vector<MayaObjObject>& objects, const std::string& path, int ties = 0) {
  const ObjObjectChoice choice = findObjObject(objects, path, isTransform);
  EXPECT_EQ(choice.ties, ties) << path;
  return choice.index;
}

TEST(ObjectMatching, ChoosesTheBlockOfThePathNotOfAChildOrAnAncestor) {
  // |Wax has a mesh, and so do its children |Wax|WaxTop and |Wax|wax2.
  const auto objects = blocks({{"WaxTop", "Wax"}, {"Wax", "wax2"}, {"Wax", "set1"}});
  EXPECT_EQ(chosen(objects, "|Wax|WaxTop"), 0);
  EXPECT_EQ(chosen(objects, "|Wax|wax2"), 1);
  EXPECT_EQ(chosen(objects, "|Wax"), 2);
  EXPECT_EQ(chosen(objects, "|Lamp"), -1);
}

TEST(ObjectMatching, TellsObjectsOfOneNameApartByTheirAncestors) {
  // |p|l62|l43 and |p|l62|l60|l43: both blocks name only ancestors of the
  // deeper one (c047's jeep has five transforms named loftedSurface43).
  const auto objects = blocks({{"p", "l62", "l43"}, {"p", "l62", "l60", "l43"}, {"p", "l58", "l43"}});
  EXPECT_EQ(chosen(objects, "|p|l62|l60|l43"), 1);
  EXPECT_EQ(chosen(objects, "|p|l62|l43"), 0);
  EXPECT_EQ(chosen(objects, "|p|l58|l43"), 2);
}

TEST(ObjectMatching, CountsInstancesAsTies) {
  const auto objects = blocks({{"a", "b", "shapeParent"}, {"a", "b", "shapeParent"}});
  EXPECT_EQ(chosen(objects, "|a", 1), 0);
}

}  // namespace
