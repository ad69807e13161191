// The scene summary of mayahost --stats, as one JSON object.
#include "ColourCommands.h"
#include "HostObject.h"
#include "SceneEvaluation.h"
#include "HostSession.h"
#include "References.h"
#include "SetMembers.h"

#include <maya/MStringArray.h>

#include <sstream>

namespace OmbrixHost {
namespace {

std::string json(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\')
      out += '\\', out += static_cast<char>(c);
    else if (c < 0x20) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
      out += buffer;
    } else
      out += static_cast<char>(c);
  }
  return out + "\"";
}

std::string pathOf(Node* n) {
  auto paths = scene().allPaths(n);
  return paths.empty() ? "" : scene().fullPathName(paths[0]);
}

}  // namespace

LoadRefusals loadRefusals() { return LoadRefusals{scene().refused.total, scene().refused.geometry}; }

std::string sceneStatsJson() {
  auto& s = scene();
  std::ostringstream meshes, surfaces, engines;
  int approximated = 0;  // meshes shown whose history the host evaluated its own way
  for (const auto& n : s.nodes()) {
    evaluateShape(n.get());
    if (n->mesh) {
      const MeshData& m = *n->mesh;
      const bool intermediate = n->number("intermediateObject", 0.0) != 0.0;
      approximated += n->approximated && !intermediate;
      meshes << (meshes.tellp() > 0 ? "," : "") << "{\"name\":" << json(n->name) << ",\"path\":" << json(pathOf(n.get()))
             << ",\"vertices\":" << m.points.size() << ",\"faces\":" << m.numFaces() << ",\"uvSets\":[";
      for (std::size_t i = 0; i < m.uvSets.size(); ++i)
        meshes << (i ? "," : "") << json(m.uvSets[i].name);
      meshes << "],\"intermediate\":" << (intermediate ? "true" : "false")
             << ",\"approximated\":" << (n->approximated ? "true" : "false") << "}";
    } else if (n->nurbs) {
      const NurbsData& d = *n->nurbs;
      bool valid = d.valid();
      surfaces << (surfaces.tellp() > 0 ? "," : "") << "{\"name\":" << json(n->name)
               << ",\"path\":" << json(pathOf(n.get())) << ",\"degreeU\":" << d.degreeU << ",\"degreeV\":" << d.degreeV
               << ",\"spansU\":" << (valid ? d.numCVsU() - d.degreeU : 0)
               << ",\"spansV\":" << (valid ? d.numCVsV() - d.degreeV : 0) << ",\"cvs\":" << d.cvs.size() << "}";
    } else if (n->hasFn(MFn::kShadingEngine)) {
      std::string shader;
      for (const auto& c : n->connections)
        if (!c.outgoing && c.localKey == "surfaceShader")
          shader = c.remote.node->name;
      MSelectionList members;
      collectSetMembers(n.get(), members, true);
      MStringArray names;
      members.getSelectionStrings(names);
      engines << (engines.tellp() > 0 ? "," : "") << "{\"name\":" << json(n->name)
              << ",\"surfaceShader\":" << json(shader) << ",\"members\":[";
      for (unsigned int i = 0; i < names.length(); ++i)
        engines << (i ? "," : "") << json(names[i].asChar());
      engines << "]}";
    }
  }
  // The file nodes whose UV tile preview generateUvTilePreview made this session, in order.
  std::ostringstream previews;
  for (std::size_t i = 0; i < uvTilePreviewCalls().size(); ++i)
    previews << (i ? "," : "") << json(uvTilePreviewCalls()[i]);
  std::ostringstream out;
  out << "{\"meshes\":[" << meshes.str() << "],\"nurbsSurfaces\":[" << surfaces.str() << "],\"shadingEngines\":["
      << engines.str() << "],\"references\":" << referencesJson(json) << ",\"uvTilePreviews\":[" << previews.str()
      << "],\"nodes\":" << s.nodes().size()
      << ",\"refused\":{\"total\":" << s.refused.total << ",\"geometry\":" << s.refused.geometry << "}"
      << ",\"approximated\":" << approximated;
  if (!s.fileFormat.empty())
    out << ",\"format\":" << json(s.fileFormat);
  out << "}";
  return out.str();
}

}  // namespace OmbrixHost
