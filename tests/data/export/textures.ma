//Maya ASCII 2025ff01 scene
//Name: textures.ma
// Texture nodes an export follows: a file node by a relative name that is
// missing and by a drive-letter path that is missing, a UDIM file node (the
// name is its first tile), Arnold's aiImage with a <UDIM> token and its
// normal map in front of a bump node, and the USD preview shading's texture.
requires maya "2025";
requires -nodeType "aiStandardSurface" -nodeType "aiImage" -nodeType "aiNormalMap" "mtoa" "5.4.0";
requires -nodeType "usdPreviewSurface" -nodeType "usdUVTexture" "mayaUsdPlugin" "0.27.0";
currentUnit -l centimeter -a degree -t film;
createNode transform -n "plain";
createNode mesh -n "plainShape" -p "plain";
createNode transform -n "arnold";
	setAttr ".t" -type "double3" 3 0 0 ;
createNode mesh -n "arnoldShape" -p "arnold";
createNode transform -n "usd";
	setAttr ".t" -type "double3" 6 0 0 ;
createNode mesh -n "usdShape" -p "usd";
createNode polyCube -n "polyCube1";
createNode polyCube -n "polyCube2";
createNode polyCube -n "polyCube3";
createNode blinn -n "plainBlinn";
createNode shadingEngine -n "plainBlinnSG";
	setAttr ".ihi" 0;
	setAttr ".ro" yes;
createNode file -n "relativeFile";
	setAttr ".ftn" -type "string" "sourceimages/wood_missing.png";
	setAttr ".cs" -type "string" "sRGB";
createNode file -n "absoluteFile";
	setAttr ".ftn" -type "string" "D:/textures/metal_missing.png";
	setAttr ".cs" -type "string" "sRGB";
createNode aiStandardSurface -n "arnoldSurface";
createNode shadingEngine -n "arnoldSurfaceSG";
	setAttr ".ihi" 0;
	setAttr ".ro" yes;
createNode file -n "tiledFile";
	setAttr ".ftn" -type "string" "sourceimages/skin_color.1001.png";
	setAttr ".cs" -type "string" "sRGB";
	setAttr ".uvt" 3;
createNode aiImage -n "tiledImage";
	setAttr ".filename" -type "string" "sourceimages/skin_rough.<UDIM>.png";
createNode aiImage -n "normalImage";
	setAttr ".filename" -type "string" "sourceimages/skin_normal.png";
createNode aiNormalMap -n "aiNormalMap1";
createNode file -n "bumpFile";
	setAttr ".ftn" -type "string" "sourceimages/skin_bump.png";
createNode bump2d -n "bump2d1";
createNode usdPreviewSurface -n "usdSurface";
createNode shadingEngine -n "usdSurfaceSG";
	setAttr ".ihi" 0;
	setAttr ".ro" yes;
createNode usdUVTexture -n "usdTexture";
	setAttr ".file" -type "string" "sourceimages/label.png";
createNode usdUVTexture -n "usdNormalTexture";
	setAttr ".file" -type "string" "sourceimages/label_normal.png";
connectAttr "polyCube1.out" "plainShape.i";
connectAttr "polyCube2.out" "arnoldShape.i";
connectAttr "polyCube3.out" "usdShape.i";
connectAttr "relativeFile.oc" "plainBlinn.c";
connectAttr "absoluteFile.oc" "plainBlinn.sc";
connectAttr "plainBlinn.oc" "plainBlinnSG.ss";
connectAttr "plainShape.iog" "plainBlinnSG.dsm" -na;
connectAttr "tiledFile.oc" "arnoldSurface.base_color";
connectAttr "tiledImage.oc" "arnoldSurface.specular_color";
connectAttr "normalImage.oc" "aiNormalMap1.input";
connectAttr "bump2d1.o" "aiNormalMap1.normal";
connectAttr "bumpFile.oa" "bump2d1.bv";
connectAttr "aiNormalMap1.out" "arnoldSurface.n";
connectAttr "arnoldSurface.out" "arnoldSurfaceSG.ss";
connectAttr "arnoldShape.iog" "arnoldSurfaceSG.dsm" -na;
connectAttr "usdTexture.oc" "usdSurface.dc";
connectAttr "usdNormalTexture.oc" "usdSurface.nrm";
connectAttr "usdSurface.oc" "usdSurfaceSG.ss";
connectAttr "usdShape.iog" "usdSurfaceSG.dsm" -na;
// End of textures.ma
