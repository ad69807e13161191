#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "IO/FormatRegistry.h"
#include "IO/ModelIOUtil.h"
#include "IO/ObjFormat.h"
#include "IO/UniquePointPool.h"
#include "Model3D/HvModel.h"
#include "Model3D/Scene.h"
#include "Support/FileText.h"
#include "Support/TempPath.h"

namespace {

int ReadModel(const TempPath& path, HvModel& model) {
  HvIO stream(path.c_str(), HvIO::kRead);
  ObjModelFormat format;
  format.Attach(&stream, 0);
  return format.Read(&model, nullptr, nullptr);
}

// One polygon as read back (PolygonData itself is not copyable).
struct ReadPolygon {
  std::vector<Vector3> positions, normals;
  std::vector<float> u, v;
  void* material = nullptr;
  void* aux = nullptr;
};

ReadPolygon Polygon(HvModel& model, int group, int index) {
  PolygonData data;
  ReadPolygon out;
  EXPECT_TRUE(model.GetPolygon(PolygonId{group, index, 1}, data));
  out.positions.assign(data.positions, data.positions + data.count);
  out.normals.assign(data.normals, data.normals + data.count);
  out.u.assign(data.u, data.u + data.count);
  out.v.assign(data.v, data.v + data.count);
  out.material = data.material;
  out.aux = data.aux;
  return out;
}

}  // namespace

TEST(ObjWriter, OneTriangleFileToTheLetter) {
  HvModel model;
  PolygonDesc desc;
  desc.Resize(3);
  const Vector3 corners[3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  for (int i = 0; i < 3; ++i) {
    desc.positions[i] = corners[i];
    desc.normals[i] = Vector3(0, 0, 1);
    desc.u[i] = corners[i].x;
    desc.v[i] = corners[i].y;
  }
  model.AddPolygon(desc);
  TempPath path("one.obj");
  {
    HvIO stream(path.c_str(), HvIO::kWrite);
    ObjModelFormat format;
    format.Attach(&stream, 0);
    ASSERT_EQ(format.Write(&model, nullptr, nullptr), 1);
  }
  const std::string text = ReadText(path.str());
  EXPECT_EQ(text.rfind("# OBJ (Wavefront) file\n# Output from Halvera's OmbrixVael.\n# ", 0), 0u);
  EXPECT_NE(text.find("#     vertices   (v)  = 3\n#     UV coords  (tv) = 3\n"
                      "#     normals    (vn) = 1\n#     faces      (f)  = 1\n\n"),
            std::string::npos);
  EXPECT_NE(text.find("v            0            0            0\n"), std::string::npos);
  EXPECT_NE(text.find("vn            0            0            1\n"), std::string::npos);
  EXPECT_NE(text.find("vt            0            0\n"), std::string::npos);  // v 1 written as 1 - 1
  EXPECT_NE(text.find("vt            0            1\n"), std::string::npos);  // v 0 written as 1
  EXPECT_NE(text.find("\ng Default\nf "), std::string::npos);
  const size_t face = text.find("\nf ");
  const std::string faceLine = text.substr(face + 1, text.find('\n', face + 1) - face - 1);
  int a, b, c, d, e, f, n1, n2, n3;
  EXPECT_EQ(std::sscanf(faceLine.c_str(), "f %d/%d/%d %d/%d/%d %d/%d/%d", &a, &b, &n1, &c, &d, &n2,
                        &e, &f, &n3),
            9);
  EXPECT_EQ(n1 + n2 + n3, 3);
  EXPECT_EQ(faceLine.back(), ' ');
  EXPECT_EQ(text.substr(text.size() - 16), "\n# end of file\n\n");
}

TEST(UniquePointPool, BucketOrderSignedZerosAndFind) {
  UniquePointPool pool;
  pool.Add(PointRecord(0.0f, 0, 0));
  pool.Add(PointRecord(-0.0f, 0, 0));  // equal as floats: not added again
  pool.Add(PointRecord(1, 2, 3));
  pool.Add(PointRecord(1, 2, 3));
  EXPECT_EQ(pool.Count(), 2);
  const int zero = pool.Find(PointRecord(-0.0f, 0, 0));
  const int other = pool.Find(PointRecord(1, 2, 3));
  EXPECT_EQ(zero, UniquePointPool::BucketOf(PointRecord(0.0f, 0, 0)) <
                          UniquePointPool::BucketOf(PointRecord(1, 2, 3))
                      ? 0
                      : 1);
  EXPECT_EQ(zero + other, 1);
  EXPECT_EQ(pool.Find(PointRecord(9, 9, 9)), -1);
  EXPECT_EQ(pool.Get(5), PointRecord());
  UniquePointPool keep(true);
  keep.Add(PointRecord(1, 1, 1));
  keep.Add(PointRecord(1, 1, 1));
  EXPECT_EQ(keep.Count(), 2);
}

TEST(ObjReader, FacesIndicesAndTheirInheritance) {
  TempPath path("faces.obj");
  WriteText(path.str(),
            "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 1E2 0 0\nvt 0.25\nvt 0.5 0.5\nvt 1 1\nvn 0 0 1\n"
            "f 1 2 3\nf 1/1 2 3/3\nf 1 2/2 3/3\nf -1 -2 -3\nf 4 2 3\n");
  HvModel model;
  ASSERT_EQ(ReadModel(path, model), 1);
  ASSERT_EQ(model.TotalPolygonCount(), 5);
  ReadPolygon plain = Polygon(model, 0, 0);
  EXPECT_EQ(plain.normals[0], Vector3(0, 0, 0));  // the file has vn lines: no rebuild
  EXPECT_EQ(plain.u[0], 0.0f);
  ReadPolygon inherit = Polygon(model, 0, 1);
  EXPECT_EQ(inherit.u[1], 0.25f);  // took texture index 1 from the corner before
  EXPECT_EQ(inherit.v[1], 1.0f);   // 'vt 0.25' stores v 1.0
  EXPECT_EQ(inherit.u[2], 1.0f);
  ReadPolygon lose = Polygon(model, 0, 2);
  EXPECT_EQ(lose.u[1], 0.0f);  // the first corner had none
  ReadPolygon negative = Polygon(model, 0, 3);
  EXPECT_EQ(negative.positions[0], Vector3(0, 0, 0));  // '-1' read as 1
  EXPECT_EQ(Polygon(model, 0, 4).positions[0], Vector3(102, 0, 0));  // 1E2 -> 102
}

TEST(ObjReader, FaceIndexTextAsStrtolReadsIt) {
  // Leading zeros, separators of any kind, digits glued to other text, and
  // the largest index: each face's first corner tells what was read.
  TempPath path("indices.obj");
  WriteText(path.str(),
            "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 7 7 7\n"
            "f 0000000000000000000000004 2 3\nf 4//1 2//1 3//1\nf\t4/x/ 2 3\nf x4 2 3\n"
            "f 2147483647 2 3\nf 3 4 1 \\\n 2\nf 4 -2 -3\n");
  HvModel model;
  ASSERT_EQ(ReadModel(path, model), 1);
  ASSERT_EQ(model.TotalPolygonCount(), 7);
  for (int face : {0, 1, 2, 3}) EXPECT_EQ(Polygon(model, 0, face).positions[0], Vector3(7, 7, 7)) << face;
  EXPECT_EQ(Polygon(model, 0, 4).positions[0], Vector3(0, 0, 0));  // beyond the positions
  EXPECT_EQ(Polygon(model, 0, 5).positions.size(), 4u);            // continued on the next line
  EXPECT_EQ(Polygon(model, 0, 6).positions[2], Vector3(0, 1, 0));  // '-3' read as 3
  // Past the 32-bit range the face fails, however many digits, where long
  // has 64 bits; where it has 32, strtol stops at the 32-bit limit itself,
  // which is a valid index.
  for (const char* face : {"f 1 2 2147483648\n", "f 1 2 -2147483648\n", "f 1 2 99999999999999999999\n"}) {
    WriteText(path.str(), std::string("v 0 0 0\nv 1 0 0\nv 0 1 0\n") + face);
    HvModel big;
    EXPECT_EQ(ReadModel(path, big), sizeof(long) == 4 ? 1 : 0) << face;
  }
}

TEST(ObjReader, SceneVariantCountsNegativeIndicesBack) {
  TempPath path("scene.obj");
  WriteText(path.str(), "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 5 5 5\nf -1 -2 -3\nusemtl red paint\nf 1 2 3\n");
  HvIO stream(path.c_str(), HvIO::kRead);
  ObjSceneFormat format;
  format.Attach(&stream, 0);
  Scene scene;
  ASSERT_EQ(format.Load(&scene, "", nullptr), 1);
  std::unique_ptr<HvModel> model(scene.FirstModel());
  ASSERT_NE(model, nullptr);
  ReadPolygon first = Polygon(*model, 0, 0);
  EXPECT_EQ(first.positions[0], Vector3(5, 5, 5));
  EXPECT_EQ(first.positions[2], Vector3(1, 0, 0));
  EXPECT_EQ(first.aux, model->Shader(0, false));
  EXPECT_EQ(Polygon(*model, 0, 1).aux, model->FindShader("red_paint", false));
}

TEST(ObjReader, GroupsContinuationsAndFailures) {
  TempPath path("groups.obj");
  WriteText(path.str(), "v 0 0 0\nv 1 0 0 \\\n\nv 0 1 0\ng left arm\nf 1 2 3\ng\nf 1 2 3\n");
  HvModel model;
  ASSERT_EQ(ReadModel(path, model), 1);
  EXPECT_EQ(model.FindGroup("leftarm"), 0);  // 'g left arm': the words joined
  EXPECT_EQ(model.FindGroup(""), 1);         // a bare 'g'
  EXPECT_EQ(Polygon(model, 0, 0).positions[1], Vector3(1, 0, 0));  // the continued line
  EXPECT_EQ(Polygon(model, 0, 0).positions[2], Vector3(0, 1, 0));

  const char* failures[] = {"v 0 0 0\nvt\n", "v 0 0 0\nvn 1 2\n", "v 0 0 0\nf 1 2\n",
                            "v 0 0 0\nf 1 0 2\n", "v 0 0 0\nf a b c\n", "# nothing\n"};
  for (const char* text : failures) {
    WriteText(path.str(), text);
    HvModel failed;
    EXPECT_EQ(ReadModel(path, failed), 0) << text;
  }
  WriteText(path.str(), std::string(3000, '#') + "\nv 0 0 0\n");  // nothing stored in 2048 bytes
  HvModel late;
  EXPECT_EQ(ReadModel(path, late), 0);
  WriteText(path.str(), std::string("v 0 0 0\n") + std::string(100, '\x01'));
  HvModel binary;
  EXPECT_EQ(ReadModel(path, binary), 0);
}

TEST(ObjReader, MaterialLibraries) {
  TempPath mtl("lib.mtl"), obj("uses-lib.obj");
  WriteText(mtl.str(),
            "newmtl wood\nKd 0.8\nKa -0.5 1 1\nd 0.5\nNs 12\n"
            "map_Kd -bm 2 -s 1 1 1 wood grain.tga\nnewmtl metal\nKs 1 0.5\n");
  WriteText(obj.str(), "mtllib " + mtl.str() + "\nv 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl wood\nf 1 2 3\n");
  HvModel model;
  ASSERT_EQ(ReadModel(obj, model), 1);
  const Material* wood = model.FindMaterial("wood", false);
  ASSERT_NE(wood, nullptr);
  EXPECT_EQ(wood->GetColor("DiffuseColor"), 0xFFCCCCCCu);
  EXPECT_EQ(wood->GetColor("Ambient"), 0x404040u);  // '-0.5' does not count: ignored
  EXPECT_EQ(wood->GetColor("Opacity"), 0xFF7F7F7Fu);
  EXPECT_EQ(wood->SpecularExponent(), 12.0);
  EXPECT_EQ(wood->BumpMultiplier(), 2.0);
  EXPECT_STREQ(wood->GetMapFileName("DiffuseColor"), "1 1 wood grain.tga");
  EXPECT_EQ(model.FindMaterial("metal", false)->GetColor("SpecularColor"), 0xFFFF7F7Fu);
  EXPECT_EQ(Polygon(model, 0, 0).material, wood);
}

TEST(ObjRegistry, SaveByNameAnswersZeroAndIdentifyLooksAtTheExtension) {
  StartupFormats();
  HvModel model;
  TempPath path("byname.OBJ");
  EXPECT_EQ(SaveModelByName(&model, HvString(path.c_str()), "OBJ", "", nullptr, nullptr), 0);
  HvIO stream(path.c_str(), HvIO::kRead);
  ObjModelFormat format;
  format.Attach(&stream, 0);
  EXPECT_EQ(format.Identify(), 1);
  TeardownModelFormats();
  TeardownSceneReaders();
}

TEST(ModelIOUtil, TextHelpers) {
  char number[] = "+1.5E3\t-2";
  sanitizeNumberText(number);
  EXPECT_STREQ(number, "01.503\t-2");
  char padded[] = " \tname with blanks \r\n";
  char* trimmed = trimBlanks(padded);
  EXPECT_STREQ(trimmed, "name with blanks");
  blanksToUnderscores(trimmed);
  EXPECT_STREQ(trimmed, "name_with_blanks");
  char single[] = " x";
  EXPECT_STREQ(trimBlanks(single), "x");
  EXPECT_EQ(getIntOption("Clump=1 Other=3 Clump=4", "Clump", 0), 4);
  EXPECT_EQ(getIntOption("Other=3", "Clump", 7), 7);
  EXPECT_EQ(getIntOption(nullptr, "Clump", 5), 5);
}
