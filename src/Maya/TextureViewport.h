#pragma once
// What Viewport 2.0 shows of the maps the texture import connects.
//
// The shading group's materialInfo: the Hypershade links to its texture the
// file node of a legacy shader's colour (lambert, blinn, phong, ...), but the
// shader itself for standardSurface, aiStandardSurface and usdPreviewSurface,
// which the viewport draws from their own networks. Public scenes Maya
// saved settle it (Autodesk/maya-usd's 136 Maya ASCII scenes: 57 of 61
// standardSurface links and 10 of 11 usdPreviewSurface links are the
// shader's message; every lambert and blinn link is the file's).
//
// UDIM tiles: Maya's documentation says Viewport 2.0 shows a file node's UV
// tiles only after their preview is generated (the Attribute Editor's
// Generate Preview, MEL `generateUvTilePreview NODE`).
#include <maya/MObject.h>
#include <maya/MPlug.h>

#include <string>

// The plug whose message goes to a materialInfo's texture for the colour map
// `file` of `shader`: the shader's own for the shaders above, else the file's.
MPlug viewportTextureSource(const MObject& shader, const MObject& file);

// The tile preview of a file node in UDIM mode: in interactive Maya generated
// ("" when done, else "tile preview not generated: ..."); in batch, which has
// no viewport, "tiles show in the viewport after generateUvTilePreview ...",
// for the material's line after the channel's name.
std::string generateTilePreview(const MObject& file);
