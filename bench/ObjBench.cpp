// Reading generated 1M-triangle OBJ files into a model, beside
// tinyobjloader and assimp in the same run; and writing the model as OBJ.
#include <benchmark/benchmark.h>

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <tiny_obj_loader.h>

#include <cstdio>
#include <string>

#include "IO/ObjFormat.h"
#include "ProcessMemory.h"
#include "Model3D/HvModel.h"
#include "Platform/Process.h"
#include "Support/GeneratedObj.h"

namespace {

std::string Scratch(const char* name) {
  return "/tmp/ombrix-bench-" + std::to_string(Platform::CurrentProcessId()) + "-" + name;
}

// The generated 1M-triangle files the writer digests are pinned on: a
// 708 x 708 grid with v/vt/vn on every corner (999,698 triangles) and an
// irregular mesh of positions only, which the reader joins, smooths and
// gives corner normals.
std::string WriteScratch(const char* name, const std::string& text) {
  const std::string file = Scratch(name);
  std::FILE* out = std::fopen(file.c_str(), "wb");
  std::fwrite(text.data(), 1, text.size(), out);
  std::fclose(out);
  return file;
}

const std::string& ObjFile() {
  static const std::string path = WriteScratch("grid.obj", GridObj(708, true));
  return path;
}

const std::string& PlainObjFile() {
  static const std::string path = WriteScratch("plain.obj", IrregularObj(708));
  return path;
}

const std::string& File(int which) { return which == 0 ? ObjFile() : PlainObjFile(); }

// Each read reports peak_MB: the resident memory it adds at its peak, over
// its iterations (the peak is reset before the first).
// Arg 0: the file with normals; arg 1: positions only.
void ReadOurs(benchmark::State& state) {
  const std::string& path = File(static_cast<int>(state.range(0)));
  long polygons = 0;
  const double baseline = ResetPeakMemory();
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
  state.counters["peak_MB"] = PeakMegabytes() - baseline;
}

void ReadTinyObjLoader(benchmark::State& state) {
  const std::string& path = ObjFile();
  long faces = 0;
  const double baseline = ResetPeakMemory();
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
  state.counters["peak_MB"] = PeakMegabytes() - baseline;
}

// Arg 0: the file with normals, read as it is; arg 1: positions only, with
// the work our reader does on it (join identical vertices, smooth normals).
void ReadAssimp(benchmark::State& state) {
  const std::string& path = File(static_cast<int>(state.range(0)));
  const unsigned steps =
      state.range(0) == 0 ? 0u : aiProcess_JoinIdenticalVertices | aiProcess_GenSmoothNormals;
  long faces = 0;
  const double baseline = ResetPeakMemory();
  for (auto _ : state) {
    Assimp::Importer importer;
    importer.SetPropertyFloat(AI_CONFIG_PP_GSN_MAX_SMOOTHING_ANGLE, 45.0f);
    const aiScene* scene = importer.ReadFile(path, steps);
    faces = 0;
    for (unsigned m = 0; scene != nullptr && m < scene->mNumMeshes; ++m) faces += scene->mMeshes[m]->mNumFaces;
  }
  state.counters["polygons"] = static_cast<double>(faces);
  state.counters["peak_MB"] = PeakMegabytes() - baseline;
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

BENCHMARK(ReadOurs)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3)->MeasureProcessCPUTime();
BENCHMARK(ReadTinyObjLoader)->Unit(benchmark::kMillisecond)->Iterations(3)->MeasureProcessCPUTime();
BENCHMARK(ReadAssimp)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3)->MeasureProcessCPUTime();
BENCHMARK(WriteOurs)->Unit(benchmark::kMillisecond)->Iterations(3)->MeasureProcessCPUTime();

BENCHMARK_MAIN();
