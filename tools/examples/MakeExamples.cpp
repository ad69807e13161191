// Writes the bundled example project: a textured cube on a ground plane,
// two groups and two materials, with a checker texture beside it.
//   make_examples DIR    writes DIR/cube.obv and DIR/checker.tga
#include <cstdio>
#include <string>

#include "IO/FormatRegistry.h"
#include "IO/ImageFormatList.h"
#include "Model3D/HvModel.h"

namespace {

void AddQuad(HvModel& model, const Vector3 (&corners)[4], Material* material) {
  PolygonDesc desc;
  desc.Resize(4);
  const float u[4] = {0, 1, 1, 0}, v[4] = {0, 0, 1, 1};
  for (int i = 0; i < 4; ++i) {
    desc.positions[i] = corners[i];
    desc.u[i] = u[i];
    desc.v[i] = v[i];
    desc.weights[i] = 1.0f;
  }
  desc.material = material;
  model.AddPolygon(desc);
}

bool WriteChecker(const std::string& path) {
  HvImage image;
  if (!image.SetFormat(64, 64, 100)) return false;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      uint8_t* p = image.PixelAddress(x, y);
      const uint8_t shade = ((x / 8 + y / 8) % 2) != 0 ? 230 : 40;
      p[0] = p[1] = p[2] = shade;
      p[3] = 255;
    }
  return SaveImageByName(image, path.c_str(), "TGA");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_examples DIR\n");
    return 2;
  }
  const std::string dir = argv[1];
  StartupFormats();
  const std::string texture = dir + "/checker.tga";
  bool ok = WriteChecker(texture);

  HvModel model;
  Material* checker = model.FindMaterial("Checker", true);
  checker->SetColor("DiffuseColor", 0xFFC0C0C0u);
  checker->SetMapFileName("DiffuseColor", "checker.tga");
  checker->SetBaseDirectory(dir.c_str());
  Material* ground = model.FindMaterial("Ground", true);
  ground->SetColor("DiffuseColor", 0xFF406020u);

  model.SetCurrentGroup(0);
  model.SetGroupName(0, "Cube");
  const float l = -1, h = 1;
  const Vector3 faces[6][4] = {
      {{h, l, l}, {h, h, l}, {h, h, h}, {h, l, h}}, {{l, l, l}, {l, l, h}, {l, h, h}, {l, h, l}},
      {{l, h, l}, {l, h, h}, {h, h, h}, {h, h, l}}, {{l, l, l}, {h, l, l}, {h, l, h}, {l, l, h}},
      {{l, l, h}, {h, l, h}, {h, h, h}, {l, h, h}}, {{l, l, l}, {l, h, l}, {h, h, l}, {h, l, l}}};
  for (const auto& face : faces) AddQuad(model, face, checker);
  model.SetCurrentGroup(1);
  model.SetGroupName(1, "Ground");
  AddQuad(model, {{-4, -1, -4}, {-4, -1, 4}, {4, -1, 4}, {4, -1, -4}}, ground);
  model.SetEdgeSmoothnessAll(0.5, true);
  model.ComputeCornerNormalsAll(0.4);

  const std::string project = dir + "/cube.obv";
  ok = SaveModelByName(&model, HvString(project.c_str()), "OBV", "", nullptr, nullptr) == 1 && ok;
  TeardownModelFormats();
  TeardownSceneReaders();
  if (!ok) {
    std::fprintf(stderr, "make_examples: %s: cannot write the examples\n", dir.c_str());
    return 1;
  }
  std::printf("wrote %s and %s\n", project.c_str(), texture.c_str());
  return 0;
}
