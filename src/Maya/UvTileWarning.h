#pragma once
// One warning per exported mesh whose UVs the painter cannot paint whole:
// UVs outside the 0-1 square, or faces across tile borders.
#include <maya/MString.h>

struct PolygonArrays;

// Looks at every face with UVs; at most one warning for the mesh.
void warnAboutUvTiles(const PolygonArrays& arrays, const MString& meshName);
