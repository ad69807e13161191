// obvtool verify and convert.
#include <algorithm>
#include <cctype>
#include <memory>
#include <string>

#include "Commands.h"
#include "IO/FormatRegistry.h"
#include "IO/ModelFileReader.h"
#include "IO/Hv3Format.h"
#include "IO/ObjFormat.h"
#include "IO/ObvFormat.h"
#include "Platform/Console.h"
#include "TerminalProgress.h"

namespace {

std::string LowerExtension(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  const size_t separator = path.find_last_of("/\\");
  if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) return "";
  std::string extension = path.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

}  // namespace

bool VerifyProjectFile(const std::string& path) {
  HvIO stream(path.c_str(), HvIO::kRead);
  ObvFormat format;
  format.Attach(&stream, 0);
  stream.SetByteOrder(HvIO::kLittleEndian);
  return stream.IsOpen() && format.Verify() == 1;
}

int VerifyCommand(const Arguments& arguments) {
  if (arguments.size() != 1) return UsageError("verify takes one project or correspondence file");
  const std::string& path = arguments[0];
  if (IsCorrespondenceFile(path)) return CorrespondenceVerify(path);
  HvIO stream(path.c_str(), HvIO::kRead);
  if (!stream.IsOpen()) return Fail(path, "cannot open the file");
  ObvFormat format;
  format.Attach(&stream, 0);
  if (format.Identify() != 1) return Fail(path, "not a project file (header text missing)");
  if (!VerifyProjectFile(path)) return Fail(path, "check words do not match the contents");
  std::printf("%s: check words verified\n", path.c_str());
  return 0;
}

int ConvertCommand(const Arguments& arguments) {
  std::vector<std::string> files;
  std::string options;
  for (size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == "--options") {
      if (i + 1 >= arguments.size()) return UsageError("--options needs a text");
      options = arguments[++i];
    } else if (!arguments[i].empty() && arguments[i][0] == '-') {
      return UsageError("convert: unknown option '" + arguments[i] + "'");
    } else {
      files.push_back(arguments[i]);
    }
  }
  if (files.size() != 2) return UsageError("convert takes an input and an output file");
  const std::string& in = files[0];
  const std::string& out = files[1];
  const std::string extension = LowerExtension(out);
  if (extension != "obv" && extension != "obj" && extension != "hv3")
    return Fail(out, "cannot write ." + (extension.empty() ? std::string("(no extension)") : extension) +
                         " files (supported: .obv, .obj, .hv3)");
  const bool terminal = Platform::StderrIsTerminal();
  LoadedModel loaded;
  std::string error;
  {
    std::unique_ptr<TerminalProgress> progress;
    if (terminal) progress = std::make_unique<TerminalProgress>("reading");
    if (!ReadModelFile(in.c_str(), loaded, error, progress.get())) return FailLine(error);
  }
  std::unique_ptr<TerminalProgress> progress;
  if (terminal) progress = std::make_unique<TerminalProgress>("writing");
  if (extension == "obj") {
    HvIO stream(out.c_str(), HvIO::kWrite);
    ObjModelFormat obj;
    obj.Attach(&stream, 0);
    if (!stream.IsOpen() || obj.Write(loaded.Model(), nullptr, progress.get()) != 1 ||
        stream.Flush() != 1)
      return Fail(out, "cannot write the OBJ file");
    return 0;
  }
  if (extension == "hv3") {
    HvIO stream(out.c_str(), HvIO::kWrite);
    Scene scene;
    auto node = std::make_unique<SceneNode>(SceneNode::kMeshSet);
    node->SetPayload(loaded.Model());
    scene.AddNode(std::move(node));
    Hv3Format hv3;
    hv3.Attach(&stream, 0);
    if (!stream.IsOpen() || hv3.Save(&scene, 0, progress.get()) != 1 || stream.Flush() != 1)
      return Fail(out, "cannot write the HV3 file");
    return 0;
  }
  if (SaveModelByName(loaded.Model(), HvString(out.c_str()), "OBV", options.c_str(),
                      progress.get(), nullptr) != 1)
    return Fail(out, "cannot write the project file");
  return 0;
}
