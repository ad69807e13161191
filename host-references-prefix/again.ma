//Maya ASCII 2018ff09 scene
//Name: again.ma
//Codeset: UTF-8
file -rdi 1 -rpr "Hero" -rfn "HeroRN" -typ "mayaAscii" "asset.ma";
file -rdi 1 -rpr "Idle" -dr 1 -rfn "IdleRN" -typ "mayaAscii" "asset.ma";
file -r -rpr "Hero" -dr 1 -rfn "HeroRN" -typ "mayaAscii" "asset.ma";
file -r -rpr "Idle" -dr 1 -rfn "IdleRN" -typ "mayaAscii" "asset.ma";
requires maya "2018";
currentUnit -l centimeter -a degree -t film;
createNode transform -s -n "persp";
createNode camera -s -n "perspShape" -p "persp";
createNode transform -s -n "top";
createNode camera -s -n "topShape" -p "top";
createNode transform -s -n "front";
createNode camera -s -n "frontShape" -p "front";
createNode transform -s -n "side";
createNode camera -s -n "sideShape" -p "side";
select -ne :time1;
select -ne :sequenceManager1;
select -ne :hardwareRenderingGlobals;
select -ne :renderPartition;
select -ne :renderGlobalsList1;
select -ne :defaultLightList1;
select -ne :defaultShaderList1;
select -ne :postProcessList1;
select -ne :defaultRenderUtilityList1;
select -ne :defaultRenderingList1;
select -ne :lightList1;
select -ne :defaultTextureList1;
select -ne :initialMaterialInfo;
select -ne :lightLinker1;
select -ne :shapeEditorManager;
select -ne :poseInterpolatorManager;
select -ne :layerManager;
select -ne :defaultLayer;
select -ne :renderLayerManager;
select -ne :defaultRenderLayer;
select -ne :defaultRenderGlobals;
select -ne :defaultResolution;
select -ne :hardwareRenderGlobals;
select -ne :characterPartition;
select -ne :defaultHardwareRenderGlobals;
select -ne :ikSystem;
select -ne :defaultColorMgtGlobals;
select -ne :strokeGlobals;
select -ne :particleCloud1;
select -ne :shaderGlow1;
select -ne :lambert1;
select -ne :defaultLightSet;
select -ne :defaultObjectSet;
select -ne :initialParticleSE;
	setAttr ".renderableOnlySet" 1;
select -ne :initialShadingGroup;
	setAttr ".renderableOnlySet" 1;
createNode reference -n "HeroRN";
	setAttr ".ed" -type "dataReferenceEdits" 
		"HeroRN"
		"HeroRN" 1
		2 "|Hero_thing" "translate" " -type \"double3\" 0 7 0";
// End of again.ma
