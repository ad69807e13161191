//Maya ASCII 2018 scene
//Name: host-scenefile.ma
//Codeset: UTF-8
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
createNode transform -n "first";
createNode mesh -n "firstShape" -p "first";
	setAttr ".uvst[0].uvsn" -type "string" "map1";
	setAttr ".cuvs" -type "string" "map1";
	setAttr -s 4 ".vt[0:3]"
		0 0 0 1 0 0 1 1 0
		0 1 0;
	setAttr -s 4 ".ed[0:3]"
		0 1 0 1 2 0 2 3 0 3 0 0;
	setAttr -s 1 -ch 4 ".fc[0:0]" -type "polyFaces"
		f 4 0 1 2 3;
createNode transform -n "second";
	setAttr ".translate.translateZ" 4;
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
createNode shadingEngine -n "sg";
	setAttr ".renderableOnlySet" 1;
parent -s -nc -r -add "|first|firstShape" "second";
connectAttr "first|firstShape.instObjGroups[1]" "sg.dagSetMembers[0]";
// End of host-scenefile.ma
