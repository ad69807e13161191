#include "ColourSession.h"

#include "ColourCommands.h"
#include "ColourConfig.h"

namespace OmbrixHost {

bool useOcioConfig(const std::string& file, std::string& error) {
  return readOcioConfig(file, colourConfig(), error);
}

void useMayaDefaultColourConfig(int version) { colourConfig() = mayaDefaultColourConfig(version); }

std::vector<std::string> uvTilePreviewsGenerated() { return uvTilePreviewCalls(); }

}  // namespace OmbrixHost
