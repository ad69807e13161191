#pragma once
// The MEL of Maya's colour management and texture previews that the host
// answers: colorManagementPrefs (queries of the session's OCIO config) and
// generateUvTilePreview (recorded: the host draws no viewport).
#include <string>
#include <vector>

namespace OmbrixHost {

class MelInterpreter;
void registerColourCommands(MelInterpreter& mel);

// The file nodes whose UV tile preview was generated this session, in order.
std::vector<std::string>& uvTilePreviewCalls();

}  // namespace OmbrixHost
