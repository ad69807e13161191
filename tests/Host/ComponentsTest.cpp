// Component texts as selections name them ("grid.f[2:5]", "grid.vtx[*]").
#include "HostFixture.h"

#include <maya/MFnSingleIndexedComponent.h>

#include <string>
#include <vector>

namespace {

struct Selected {
  bool whole = true;  // the text named no component: the whole mesh
  MFn::Type type = MFn::kInvalid;
  std::vector<int> elements;
};

Selected select(const std::string& component) {
  MSelectionList list;
  EXPECT_EQ(list.add(MString(("split." + component).c_str())), MStatus::kSuccess) << component;
  MDagPath path;
  MObject object;
  EXPECT_EQ(list.getDagPath(0, path, object), MStatus::kSuccess) << component;
  Selected out;
  if (object.isNull())
    return out;
  out.whole = false;
  out.type = object.apiType();
  MIntArray elements;
  MFnSingleIndexedComponent(object).getElements(elements);
  for (unsigned int i = 0; i < elements.length(); ++i)
    out.elements.push_back(elements[i]);
  return out;
}

}  // namespace

TEST_F(HostTest, ComponentTextsNameSingleIndicesRangesAndAllOfEachKind) {
  quadMesh("split", true);  // two faces, four points
  const struct {
    const char* text;
    MFn::Type type;
    std::vector<int> elements;
  } cases[] = {
      {"f[1]", MFn::kMeshPolygonComponent, {1}},
      {"vtx[1:3]", MFn::kMeshVertComponent, {1, 2, 3}},
      {"e[2:2]", MFn::kMeshEdgeComponent, {2}},
      {"f[*]", MFn::kMeshPolygonComponent, {0, 1}},
      {"vtx[*]", MFn::kMeshVertComponent, {0, 1, 2, 3}},
      {"map[0000000003]", MFn::kMeshMapComponent, {3}},
      {"f[2147483647]", MFn::kMeshPolygonComponent, {2147483647}},
      {"f[2147483646:2147483647]", MFn::kMeshPolygonComponent, {2147483646, 2147483647}},
  };
  for (const auto& c : cases) {
    const Selected s = select(c.text);
    EXPECT_FALSE(s.whole) << c.text;
    EXPECT_EQ(s.type, c.type) << c.text;
    EXPECT_EQ(s.elements, c.elements) << c.text;
  }
}

TEST_F(HostTest, MalformedOrHugeComponentTextsSelectTheWholeMesh) {
  quadMesh("split", true);
  for (const char* text : {"f[]", "g[1]", "ff[1]", "F[1]", "vt[1]", "f[ 1]", "f[1 ]", "f[+1]", "f[-1]", "f[1x]",
                           "f[0x1]", "f[12345678901]", "f[3:1]", "f[:1]", "f[1:]", "f[0:1:1]", "f[**]", "f[*:1]",
                           "f[1]]", "f[[1]", "f[0:2147483647]"})
    EXPECT_TRUE(select(text).whole) << text;
}
