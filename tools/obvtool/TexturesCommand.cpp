// obvtool textures: which painted file each material of the last export
// would get back, as the plug-in's texture import plans it, without Maya.
#include <cstdio>
#include <string>
#include <vector>

#include "Commands.h"
#include "Exchange/ExchangePaths.h"
#include "Exchange/ExportRecord.h"
#include "TextureImport/TexturePlan.h"

int TexturesCommand(const Arguments& arguments) {
  std::vector<std::string> files;
  TextureSearch search;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--pattern") {
      if (++i == arguments.size()) return UsageError("textures: --pattern needs a pattern");
      search.pattern = arguments[i];
    } else if (argument == "--normal-maps") {
      search.normalMaps = true;
    } else if (argument.size() > 1 && argument[0] == '-') {
      return UsageError("textures: unknown option '" + argument + "'");
    } else {
      files.push_back(argument);
    }
  }
  if (files.size() != 2) return UsageError("textures needs FILE.obv and DIR");
  search.dir = files[1];
  if (search.dir.empty()) return UsageError("textures: DIR is empty");
  char recordPath[kExchangeBufferSize] = {};
  if (files[0].size() >= kExchangeBufferSize) return Fail(files[0], "path too long");
  getRecordFilePath(files[0].c_str(), recordPath);
  ExportRecord record;
  std::string error;
  if (!readExportRecordFile(recordPath, record, error))
    return Fail(recordPath, "no export record beside " + files[0] + " (" + error + ")");
  std::vector<MaterialPlan> plans;
  if (!planTextureImport(record, search, plans, error)) return FailLine(error);
  for (const MaterialPlan& plan : plans) std::printf("%s\n", materialPlanLine(plan, true).c_str());
  return 0;
}
