// obvtool: inspect, verify and convert the models and project files of the
// Ombrix bridge from the command line.
#include <cstdio>
#include <cstring>
#include <string>

#include "Commands.h"
#include "IO/FormatRegistry.h"

namespace {

const char kUsage[] =
    "usage: obvtool COMMAND [ARGUMENTS]\n"
    "\n"
    "  info FILE [--json] [--partial]       summary of a model or project file: format, groups\n"
    "                                       with polygon and triangle counts, materials and their\n"
    "                                       map file names, shaders, bounds; for a project file\n"
    "                                       whether its check words verify; for\n"
    "                                       a correspondence file (maya.cor): its record count,\n"
    "                                       bounds (Maya frame) and UV range; a damaged file is\n"
    "                                       refused (\"FILE: offset N: REASON\", \"FILE:LINE: REASON\"),\n"
    "                                       --partial shows what was read before the damage\n"
    "  verify FILE                          check a project file's closing check words, or that a\n"
    "                                       correspondence file is whole and its values finite\n"
    "  cor PROJECT.obv OUT.cor [--uv planar|shift DU DV|same]\n"
    "                                       a correspondence file with one record per triangle\n"
    "                                       of the project file, with new UVs (same: its own)\n"
    "  uvlayout FILE -o OUT.png [--size N]  picture of the UV layout of a project or\n"
    "                                       correspondence file (default 1024 pixels)\n"
    "  convert IN OUT [--options TEXT]      read any supported model file and write OUT by its\n"
    "                                       extension: .obv (options 'p' writes it unpacked)\n"
    "                                       .obj or .hv3\n"
    "  textures FILE.obv DIR [--pattern P] [--normal-maps]\n"
    "                                       which painted file in DIR each material of the export\n"
    "                                       record beside FILE.obv would get back, one line per\n"
    "                                       material (default pattern <material>_<channel>.<ext>;\n"
    "                                       --normal-maps: every bump map is a normal map)\n"
    "  painter status|launch|switch|close|autoload [--token N]\n"
    "                                       talk to the painter: status never launches (exit 1\n"
    "                                       when none answers); launch starts it from its\n"
    "                                       registered installation and waits for it\n"
    "  doctor                               registry values, painter executable, whether a\n"
    "                                       painter answers, exchange and log directories\n"
    "                                       (exit 0 when an export could run)\n"
    "  --help                               this text\n"
    "\n"
    "Exit status: 0 success, 1 bad input or failed operation, 2 usage.\n";

}  // namespace

int Fail(const std::string& file, const std::string& reason) {
  std::fprintf(stderr, "obvtool: %s: %s\n", file.c_str(), reason.c_str());
  return 1;
}

int FailLine(const std::string& line) {
  std::fprintf(stderr, "obvtool: %s\n", line.c_str());
  return 1;
}

int UsageError(const std::string& message) {
  std::fprintf(stderr, "obvtool: %s\n%s", message.c_str(), kUsage);
  return 2;
}

int main(int argc, char** argv) {
  if (argc < 2) return UsageError("no command given");
  const std::string command = argv[1];
  if (command == "--help" || command == "-h" || command == "help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  const Arguments arguments(argv + 2, argv + argc);
  StartupFormats();
  int status = 2;
  if (command == "info")
    status = InfoCommand(arguments);
  else if (command == "verify")
    status = VerifyCommand(arguments);
  else if (command == "convert")
    status = ConvertCommand(arguments);
  else if (command == "painter")
    status = PainterCommand(arguments);
  else if (command == "cor")
    status = CorCommand(arguments);
  else if (command == "uvlayout")
    status = UvLayoutCommand(arguments);
  else if (command == "textures")
    status = TexturesCommand(arguments);
  else if (command == "doctor")
    status = DoctorCommand(arguments);
  else
    status = UsageError("unknown command '" + command + "'");
  TeardownModelFormats();
  TeardownSceneReaders();
  return status;
}
