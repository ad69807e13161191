#pragma once
// UV import: brings the layout edited in the painter (the correspondence file
// "maya.cor" in the exchange directory) back onto the selected meshes.
#include <maya/MStatus.h>

// Success, or failure when the correspondence file cannot be loaded.
MStatus importUVs();
