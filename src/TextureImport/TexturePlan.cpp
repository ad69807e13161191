#include "TextureImport/TexturePlan.h"

bool planTextureImport(const ExportRecord& record, const TextureSearch& search,
                       std::vector<MaterialPlan>& plans, std::string& error) {
  (void)record, (void)search, (void)plans;
  error = "not yet";
  return false;
}

std::string materialPlanLine(const MaterialPlan& plan, bool preview) {
  (void)preview;
  return plan.material;
}
