#pragma once
// Session settings of colour management that mayahost and the tests reach:
// the OCIO config standing in for Maya's preferences, and the record of UV
// tile previews generated (the host draws no viewport).
#include <maya/MTypes.h>

#include <string>
#include <vector>

namespace OmbrixHost {

// Another OCIO config than the default of the Maya the host stands for: its
// colour spaces are the input spaces `colorManagementPrefs -q
// -inputSpaceNames` answers, its path `-q -configFilePath`, its default role
// what the file rules' Default rule gives. False with `error` when the file
// cannot be read or names no colour space (the config stays as it was).
OPENMAYA_EXPORT bool useOcioConfig(const std::string& file, std::string& error);
// The default config of Maya `version` for new scenes (2022-2025's, or 2026's).
OPENMAYA_EXPORT void useMayaDefaultColourConfig(int version);
// The file nodes `generateUvTilePreview` was run on this session, in order.
OPENMAYA_EXPORT std::vector<std::string> uvTilePreviewsGenerated();

}  // namespace OmbrixHost
