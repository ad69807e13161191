#pragma once
// Colour management of the file nodes the texture import makes and names.
//
// A new file node is made as Maya's `shadingNode -asTexture -isColorManaged`
// makes one: :defaultColorMgtGlobals' cmEnabled, configFileEnabled,
// configFilePath and workingSpaceName drive its colorManagementEnabled,
// colorManagementConfigFileEnabled, colorManagementConfigFilePath and
// workingSpace (cme -> cme, cfe -> cmcf, cfp -> cmcp, wsn -> ws), so that
// the colour space set on it is applied; every file node Maya made in the
// public scenes Maya 2016-2026 saved carries these four connections.
//
// The colour space set on a map's file node is the name the scene's OCIO
// config gives the map's kind (TextureImport/ColourSpaceNames.h), asked of
// Maya with `colorManagementPrefs -q -inputSpaceNames`.
#include <maya/MDGModifier.h>
#include <maya/MObject.h>

#include <vector>

#include "TextureImport/TexturePlan.h"

// Queues on `modifier` the four connections from :defaultColorMgtGlobals to
// `file`; those Maya's version lacks (a plug it does not have) are left out.
void connectColourManagement(MDGModifier& modifier, const MObject& file);

// The plans with each map's colour space named as the scene's config names
// it; "" where the config holds none of Maya's names for the map's kind
// (Maya's file rules then choose), with one warning naming the config. When
// Maya does not answer the query, the plans as they are (Maya's legacy
// names "sRGB" and "Raw").
std::vector<MaterialPlan> plansInConfigColourSpaces(const std::vector<MaterialPlan>& plans);
