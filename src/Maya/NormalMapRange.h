#pragma once
// A shader input that takes a tangent-space normal as it is, in -1..1: the
// USD preview surface's "normal". A file node reads a normal map's colours as
// 0..1, so Maya's USD support scales and biases them on the file node: a
// colour gain of 2 and an offset of -1, alpha as it is (maya-usd's
// usdPreviewSurfaceWriter.cpp warns of any other values on a file node there,
// and its UsdUVTexture reader and writer map scale and bias to these
// attributes). Only a normal map belongs there; a height map does not.
#include <maya/MDGModifier.h>
#include <maya/MObject.h>

// True for an input that takes a normal without a bump node between.
bool takesNormalDirectly(const char* attribute);

// Queues on a file node the gain and offset that bring its colours to -1..1,
// leaving those already at their value.
void scaleToNormalRange(MDGModifier& modifier, const MObject& file);
