#pragma once
// What the texture connection tests share: running plans against the host,
// the plug driving a plug, and the scene as saved text.
#include <maya/MPlugArray.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "Host/HostFixture.h"
#include "Maya/TextureConnection.h"
#include "Platform/Process.h"

class TextureTestBase : public HostTest {
 public:
  // Runs the plans; the lines are kept in the connection.
  static std::unique_ptr<TextureConnection> run(const std::vector<MaterialPlan>& plans, bool preview = false) {
    auto connection = std::make_unique<TextureConnection>();
    connection->plan(plans, preview);
    if (connection->hasChanges()) {
      EXPECT_EQ(connection->doIt(), MStatus::kSuccess);
    }
    return connection;
  }

  // "node.attribute" (long name) of the plug driving `plug`, "" without one.
  static std::string sourceOf(const std::string& plug) {
    const auto dot = plug.find('.');
    const MPlug target = MFnDependencyNode(node(plug.substr(0, dot).c_str())).findPlug(plug.substr(dot + 1).c_str(), true);
    MPlugArray sources;
    target.connectedTo(sources, true, false);
    if (sources.length() == 0) return "";
    return std::string(MFnDependencyNode(sources[0].node()).name().asChar()) + "." +
           sources[0].partialName(false, false, false, false, false, true).asChar();
  }

  static std::string nodeOf(const std::string& plug) { return plug.substr(0, plug.find('.')); }

  // A file name of this process for a scene saved along the way.
  static std::string scenePath(const char* what) {
    return std::string("texture-") + what + "-" + std::to_string(Platform::CurrentProcessId()) + ".ma";
  }

  // The scene as Maya ASCII, without the header lines that name the file and date.
  static std::string sceneText() {
    const std::string path = scenePath("scene");
    std::string error;
    EXPECT_TRUE(OmbrixHost::saveMayaAscii(path, error)) << error;
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    std::string line;
    while (std::getline(in, line))
      if (line.rfind("//", 0) != 0 && line.rfind("fileInfo", 0) != 0) text << line << "\n";
    in.close();
    std::remove(path.c_str());
    return text.str();
  }
};
