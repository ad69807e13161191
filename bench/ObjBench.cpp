// Reading a generated 1M-triangle OBJ (v/vt/vn on every corner) into a
// model, beside tinyobjloader and assimp (ReadFile, no post-processing) in
// the same run; and writing the same model as OBJ.
#include <benchmark/benchmark.h>

#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#include <tiny_obj_loader.h>

#include <cstdio>
#include <string>

#include "IO/ObjFormat.h"
#include "Model3D/HvModel.h"
#include "Platform/Process.h"

namespace {

std::string Scratch(const char* name) {
  return "/tmp/ombrix-bench-" + std::to_string(Platform::CurrentProcessId()) + "-" + name;
}

// A 708 x 708 vertex grid with heights: 999,698 triangles, every corner
// with its own v/vt/vn indices.
const std::string& ObjFile() {
  static const std::string path = [] {
    const std::string file = Scratch("grid.obj");
    std::FILE* out = std::fopen(file.c_str(), "w");
    const int side = 708;
    for (int y = 0; y < side; ++y)
      for (int x = 0; x < side; ++x) std::fprintf(out, "v %d %d %g\n", x, y, ((x * 7 + y * 3) % 11) * 0.1);
    for (int y = 0; y < side; ++y)
      for (int x = 0; x < side; ++x) std::fprintf(out, "vt %g %g\n", x / 707.0, y / 707.0);
    for (int y = 0; y < side; ++y)
      for (int x = 0; x < side; ++x) std::fprintf(out, "vn 0 0 1\n");
    for (int y = 0; y + 1 < side; ++y)
      for (int x = 0; x + 1 < side; ++x) {
        const int a = y * side + x + 1, b = a + 1, c = a + side + 1, d = a + side;
        std::fprintf(out, "f %d/%d/%d %d/%d/%d %d/%d/%d\n", a, a, a, b, b, b, c, c, c);
        std::fprintf(out, "f %d/%d/%d %d/%d/%d %d/%d/%d\n", a, a, a, c, c, c, d, d, d);
      }
    std::fclose(out);
    return file;
  }();
  return path;
}

void ReadOurs(benchmark::State& state) {
  const std::string& path = ObjFile();
  long polygons = 0;
  for (auto _ : state) {
    HvModel model;
    HvIO stream(path.c_str(), HvIO::kRead);
    ObjModelFormat format;
    format.Attach(&stream, 0);
    if (format.Read(&model, nullptr, nullptr) != 1) state.SkipWithError("read failed");
    polygons = model.TotalPolygonCount();
    state.PauseTiming();
    model.ClearAll();
    state.ResumeTiming();
  }
  state.counters["polygons"] = static_cast<double>(polygons);
}

void ReadTinyObjLoader(benchmark::State& state) {
  const std::string& path = ObjFile();
  long faces = 0;
  for (auto _ : state) {
    tinyobj::attrib_t attributes;
    std::vector<tinyobj::shape_t> shapes;
    std::vector<tinyobj::material_t> materials;
    std::string warning, error;
    tinyobj::LoadObj(&attributes, &shapes, &materials, &warning, &error, path.c_str());
    faces = 0;
    for (const auto& shape : shapes) faces += static_cast<long>(shape.mesh.num_face_vertices.size());
  }
  state.counters["polygons"] = static_cast<double>(faces);
}

void ReadAssimp(benchmark::State& state) {
  const std::string& path = ObjFile();
  long faces = 0;
  for (auto _ : state) {
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(path, 0);
    faces = 0;
    for (unsigned m = 0; scene != nullptr && m < scene->mNumMeshes; ++m) faces += scene->mMeshes[m]->mNumFaces;
  }
  state.counters["polygons"] = static_cast<double>(faces);
}

void WriteOurs(benchmark::State& state) {
  HvModel model;
  {
    HvIO stream(ObjFile().c_str(), HvIO::kRead);
    ObjModelFormat format;
    format.Attach(&stream, 0);
    format.Read(&model, nullptr, nullptr);
  }
  const std::string path = Scratch("written.obj");
  for (auto _ : state) {
    HvIO stream(path.c_str(), HvIO::kWrite);
    ObjModelFormat format;
    format.Attach(&stream, 0);
    format.Write(&model, nullptr, nullptr);
  }
  std::remove(path.c_str());
}

}  // namespace

BENCHMARK(ReadOurs)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(ReadTinyObjLoader)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(ReadAssimp)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(WriteOurs)->Unit(benchmark::kMillisecond)->Iterations(2);

BENCHMARK_MAIN();
