#pragma once
// A transparency fed from a file node through a reverse node (file.outColor
// -> reverse.input, reverse.output -> transparency), as earlier texture
// imports wired an opacity map: a network no Maya-saved scene has and the
// export does not read. Maya's own wiring takes the file's outTransparency
// (the inverse of its alpha) straight in.
#include <maya/MDGModifier.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>

#include <string>

// When `input` is fed so from `file`: queues (unless `preview`) the file's
// outTransparency, with its alpha from luminance, in place of the reverse
// node, which stays in the scene unconnected to the input. The note for the
// material's line; "" when the input is not fed so.
std::string rewireReversedTransparency(MDGModifier& modifier, const MPlug& input, const MObject& file, bool preview);
