// mayacompare: the judge of the host's history evaluation. It loads a scene
// in this process through the host library, as mayahost does, and compares
// the meshes it names with the OBJ Maya itself exported of that scene.
#include <nlohmann/json.hpp>

#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "MayaObjReader.h"
#include "MeshComparison.h"
#include "ObjectMatching.h"
#include "SceneMeshes.h"

namespace {

const char* kUsage =
    "usage: mayacompare [options] SCENE.ma MAYA.obj [OBJECT...]\n"
    "Loads SCENE as mayahost does (its history evaluated by the host) and compares\n"
    "each OBJECT, the DAG path of a transform such as |group1|pCube1, with the\n"
    "object of MAYA.obj (written by Maya's OBJ export) whose g line names it.\n"
    "  --objects LIST   more objects, separated by ';'\n"
    "  --history LIST   each object's history node types, in the order of the\n"
    "                   objects, entries separated by ';', types by ','; '-' for\n"
    "                   none (only reported, as the objects' history)\n"
    "  --id ID          the pair's name in the report (default: SCENE's folder)\n"
    "  --json           one JSON object instead of one line per object\n"
    "  --help           this text\n"
    "Counts (vertices, faces, face-vertices, UVs) must be equal. The geometry\n"
    "matches when every face corner's point pairs with one of Maya's corners\n"
    "within 1e-4 of the diagonal of Maya's bounding box (in world space and\n"
    "centimetres); the UVs match when every corner's UV (of the current UV set)\n"
    "pairs with one of Maya's within 1e-4. Pairing ignores vertex and face order.\n"
    "Each line: ID OBJECT [HISTORY] geometry yes|no uvs yes|no: REASON\n"
    "Exit status: 0 every object matches geometry and UVs, 1 some object does\n"
    "not (or is missing), 2 usage, 3 SCENE or MAYA.obj cannot be read.\n";

struct Options {
  std::string scene, obj, id;
  std::vector<std::string> objects, history;
  bool json = false;
};

struct ObjectReport {
  std::string object, history, reason;
  bool geometry = false, uvs = false;
};

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
    parts.push_back(text.substr(start, at - start));
  parts.push_back(text.substr(start));
  return parts;
}

int usage(const std::string& why) {
  std::cerr << "mayacompare: " << why << "\n" << kUsage;
  return 2;
}

bool parse(int argc, char** argv, Options& o, std::string& error) {
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const bool valued = a == "--objects" || a == "--history" || a == "--id";
    if (valued && i + 1 >= argc) {
      error = a + " needs a value";
      return false;
    }
    if (a == "--objects") {
      for (const auto& object : split(argv[++i], ';'))
        if (!object.empty()) o.objects.push_back(object);
    } else if (a == "--history") {
      o.history = split(argv[++i], ';');
    } else if (a == "--id") {
      o.id = argv[++i];
    } else if (a == "--json") {
      o.json = true;
    } else if (a.size() > 1 && a[0] == '-') {
      error = "unknown option " + a;
      return false;
    } else {
      positional.push_back(a);
    }
  }
  if (positional.size() < 2) {
    error = "a scene and an OBJ are needed";
    return false;
  }
  o.scene = positional[0];
  o.obj = positional[1];
  o.objects.insert(o.objects.begin(), positional.begin() + 2, positional.end());
  if (o.objects.empty()) {
    error = "no object to compare";
    return false;
  }
  if (o.id.empty()) o.id = std::filesystem::u8path(o.scene).parent_path().filename().u8string();
  return true;
}

ObjectReport judge(const std::string& object, const std::vector<MayaObjObject>& mayaObjects) {
  ObjectReport report;
  report.object = object;
  const ObjObjectChoice choice = findObjObject(mayaObjects, object, isSceneTransform);
  const SceneMesh ours = readSceneMesh(object);
  if (choice.index < 0 || !ours.found) {
    report.reason = choice.index < 0 ? "missing from the OBJ" : "";
    if (!ours.found) report.reason += (report.reason.empty() ? "" : "; ") + ("in the scene: " + ours.reason);
    return report;
  }
  const MeshVerdict verdict = compareMeshes(ours.mesh, mayaObjects[static_cast<std::size_t>(choice.index)].mesh);
  report.geometry = verdict.geometry;
  report.uvs = verdict.uvs;
  report.reason = verdict.reason;
  if (!ours.historyNote.empty())
    report.reason = "history not wholly evaluated (" + ours.historyNote + ")" + (report.reason.empty() ? "" : "; ") + report.reason;
  if (choice.ties > 0)
    report.reason += (report.reason.empty() ? "" : "; ") + std::to_string(choice.ties + 1) +
                     " OBJ objects name it, the first compared";
  return report;
}

void printText(const std::string& id, const std::vector<ObjectReport>& reports) {
  for (const auto& r : reports)
    std::cout << id << " " << r.object << " [" << r.history << "] geometry " << (r.geometry ? "yes" : "no") << " uvs "
              << (r.uvs ? "yes" : "no") << ": " << (r.reason.empty() ? "matches" : r.reason) << "\n";
}

void printJson(const std::string& id, const std::vector<ObjectReport>& reports, std::size_t loadProblems) {
  nlohmann::json objects = nlohmann::json::array();
  for (const auto& r : reports)
    objects.push_back({{"object", r.object}, {"history", r.history}, {"geometry", r.geometry}, {"uvs", r.uvs},
                       {"reason", r.reason}});
  nlohmann::json out = {{"pair", id}, {"loadProblems", loadProblems}, {"objects", objects}};
  std::cout << out.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::cout << kUsage;
      return 0;
    }
  Options o;
  std::string error;
  if (!parse(argc, argv, o, error)) return usage(error);
  std::vector<MayaObjObject> mayaObjects;
  if (!readMayaObj(o.obj, mayaObjects, error)) {
    std::cerr << "mayacompare: " << error << std::endl;
    return 3;
  }
  std::error_code missing;
  if (!std::filesystem::is_regular_file(std::filesystem::u8path(o.scene), missing)) {
    std::cerr << "mayacompare: " << o.scene << ": cannot open the scene" << std::endl;
    return 3;
  }
  std::vector<std::string> problems;
  loadScene(o.scene, problems);
  for (const auto& p : problems) std::cerr << p << "\n";
  std::vector<ObjectReport> reports;
  bool all = true;
  for (std::size_t i = 0; i < o.objects.size(); ++i) {
    reports.push_back(judge(o.objects[i], mayaObjects));
    reports.back().history = i < o.history.size() ? o.history[i] : "";
    all = all && reports.back().geometry && reports.back().uvs;
  }
  if (o.json)
    printJson(o.id, reports, problems.size());
  else
    printText(o.id, reports);
  return all ? 0 : 1;
}
