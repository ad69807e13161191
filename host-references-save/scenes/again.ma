//Maya ASCII 2018ff09 scene
//Name: again.ma
//Codeset: UTF-8
file -rdi 1 -ns "pillow" -rfn "pillowRN" -op "v=0;" -typ "mayaAscii" "C:/Users/anna/Documents/maya/projects/living/scenes/assets/pillow.ma";
file -rdi 1 -ns "pillow1" -rfn "pillowRN1" -op "v=0;" -typ "mayaAscii" "C:/Users/anna/Documents/maya/projects/living/scenes/assets/pillow.ma";
file -rdi 1 -ns "livingRoomLamp" -rfn "lampRN" -op "v=0;" -typ "mayaAscii" "assets/lamp.ma";
file -rdi 2 -ns "bulb" -rfn "livingRoomLamp:bulbRN" -op "v=0;" -typ "mayaAscii" "scenes/assets/bulb.ma";
file -rdi 1 -ns "crate" -dr 1 -rfn "crateRN" -op "v=0;" -typ "mayaAscii" "assets/crate.ma";
file -rdi 1 -ns "ghost" -rfn "ghostRN" -op "v=0;" -typ "mayaAscii" "C:/Users/anna/Documents/maya/projects/living/scenes/assets/ghost.ma";
file -r -ns "pillow" -dr 1 -rfn "pillowRN" -op "v=0;" -typ "mayaAscii" "C:/Users/anna/Documents/maya/projects/living/scenes/assets/pillow.ma";
file -r -ns "pillow1" -dr 1 -rfn "pillowRN1" -op "v=0;" -typ "mayaAscii" "C:/Users/anna/Documents/maya/projects/living/scenes/assets/pillow.ma";
file -r -ns "livingRoomLamp" -dr 1 -rfn "lampRN" -op "v=0;" -typ "mayaAscii" "assets/lamp.ma";
file -r -ns "crate" -dr 1 -rfn "crateRN" -op "v=0;" -typ "mayaAscii" "assets/crate.ma";
file -r -ns "ghost" -dr 1 -rfn "ghostRN" -op "v=0;" -typ "mayaAscii" "C:/Users/anna/Documents/maya/projects/living/scenes/assets/ghost.ma";
requires maya "2018";
currentUnit -l centimeter -a degree -t film;
fileInfo "application" "maya";
fileInfo "product" "Maya 2018";
fileInfo "version" "2018";
createNode transform -s -n "persp";
	setAttr ".translate.translateX" 30;
	setAttr ".translate.translateY" 22;
	setAttr ".translate.translateZ" 30;
	setAttr ".visibility" 0;
createNode camera -s -n "perspShape" -p "persp";
	setAttr ".visibility" 0;
	setAttr ".fl" 34.999999999999993;
	setAttr ".fl" 34.999999999999993;
	setAttr ".fl" 34.999999999999993;
createNode transform -s -n "top";
createNode camera -s -n "topShape" -p "top";
createNode transform -s -n "front";
createNode camera -s -n "frontShape" -p "front";
createNode transform -s -n "side";
createNode camera -s -n "sideShape" -p "side";
createNode transform -n "set_grp";
	setAttr ".translate.translateX" 0;
	setAttr ".translate.translateY" 0;
	setAttr ".translate.translateZ" 10;
select -ne :time1;
	setAttr ".o" 1;
	setAttr ".unw" 1;
	setAttr ".o" 1;
	setAttr ".unw" 1;
	setAttr ".o" 1;
	setAttr ".o" 1;
	setAttr ".o" 1;
	setAttr ".unw" 1;
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
createNode reference -n "pillowRN";
	setAttr ".phl[1]" 0;
	setAttr ".ed" -type "dataReferenceEdits" 
		"pillowRN"
		"pillowRN" 5
		2 "|pillow:pCube1" "translate" " -type \"double3\" 5 0 0"
		1 "|pillow:pCube1" "squash" "squash" " -ci 1 -k 1 -at \"double\""
		2 "|pillow:pCube1" "squash" " -k 1 0.25"
		4 "|pillow:pCube1" "note" ""
		2 "|pillow:pCube2" "visibility" " 0";
createNode reference -n "pillowRN1";
	setAttr ".ed" -type "dataReferenceEdits" 
		"pillowRN1"
		"pillowRN1" 3
		0 "|pillow1:pCube1" "|set_grp" "-s -r "
		2 "|set_grp|pillow1:pCube1" "rotate" " -type \"double3\" 0 45 0"
		3 "|pillow:pCube1.scaleY" "|set_grp|pillow1:pCube1.scaleY" "";
createNode reference -n "lampRN";
	setAttr ".ed" -type "dataReferenceEdits" 
		"lampRN"
		"livingRoomLamp:bulbRN" 1
		2 "|livingRoomLamp:bulb:pSphere1" "scale" " -type \"double3\" 2 2 2"
		"lampRN" 1
		2 "|livingRoomLamp:lampBase" "translate" " -type \"double3\" -4 0 0";
createNode reference -n "crateRN";
	setAttr ".ed" -type "dataReferenceEdits" 
		"crateRN"
		"crateRN" 1
		2 "|crate:crateBox1" "translate" " -type \"double3\" 0 0 -30";
createNode reference -n "ghostRN";
	setAttr ".ed" -type "dataReferenceEdits" 
		"ghostRN";
createNode animCurveTL -n "pCube1_translateY";
	setAttr ".tan" 18;
	setAttr ".wgt" no;
	setAttr -s 2 ".ktv[0:1]"  1 0 24 2;
createNode reference -n "sharedReferenceNode";
connectAttr "pCube1_translateY.o" "pillow:pCube1.translate.translateY";
// End of again.ma
