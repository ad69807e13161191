//Maya ASCII 2018ff09 scene
//Name: shot.ma
//Last modified: Tue, Dec 01, 2026 04:02:51 PM
//Codeset: 1252
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
requires maya "2018ff09";
currentUnit -l centimeter -a degree -t film;
fileInfo "application" "maya";
fileInfo "product" "Maya 2018";
fileInfo "version" "2018";
createNode transform -s -n "persp";
	rename -uid "0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9";
	setAttr ".v" no;
	setAttr ".t" -type "double3" 30 22 30 ;
createNode camera -s -n "perspShape" -p "persp";
	rename -uid "1B2C3D4E-5F60-7182-93A4-B5C6D7E8F90A";
	setAttr -k off ".v" no;
	setAttr ".fl" 34.999999999999993;
createNode transform -n "set_grp";
	rename -uid "2C3D4E5F-6071-8293-A4B5-C6D7E8F90A1B";
	setAttr ".t" -type "double3" 0 0 10 ;
createNode reference -n "pillowRN";
	rename -uid "3D4E5F60-7182-93A4-B5C6-D7E8F90A1B2C";
	setAttr ".phl[1]" 0;
	setAttr ".ed" -type "dataReferenceEdits" 
		"pillowRN"
		"pillowRN" 6
		2 "|pillow:pCube1" "translate" " -type \"double3\" 5 0 0"
		1 "|pillow:pCube1" "squash" "squash" " -ci 1 -k 1 -at \"double\""
		2 "|pillow:pCube1" "squash" " -k 1 0.25"
		4 "|pillow:pCube1" "note" ""
		2 "|pillow:pCube2" "visibility" " 0"
		5 4 "pillowRN" "|pillow:pCube1.translateY" "pillowRN.placeHolderList[1]" 
		"";
lockNode -l 1 ;
createNode reference -n "pillowRN1";
	rename -uid "4E5F6071-8293-A4B5-C6D7-E8F90A1B2C3D";
	setAttr ".ed" -type "dataReferenceEdits" 
		"pillowRN1"
		"pillowRN1" 3
		0 "|pillow1:pCube1" "|set_grp" "-s -r "
		2 "|set_grp|pillow1:pCube1" "rotate" " -type \"double3\" 0 45 0"
		3 "|pillow:pCube1.scaleY" "|set_grp|pillow1:pCube1.scaleY" "";
lockNode -l 1 ;
createNode reference -n "lampRN";
	rename -uid "5F607182-93A4-B5C6-D7E8-F90A1B2C3D4E";
	setAttr ".ed" -type "dataReferenceEdits" 
		"lampRN"
		"livingRoomLamp:bulbRN" 1
		2 "|livingRoomLamp:bulb:pSphere1" "scale" " -type \"double3\" 2 2 2"
		"lampRN" 1
		2 "|livingRoomLamp:lampBase" "translate" " -type \"double3\" -4 0 0";
lockNode -l 1 ;
createNode reference -n "crateRN";
	rename -uid "60718293-A4B5-C6D7-E8F9-0A1B2C3D4E5F";
	setAttr ".ed" -type "dataReferenceEdits" 
		"crateRN"
		"crateRN" 1
		2 "|crate:crateBox1" "translate" " -type \"double3\" 0 0 -30";
lockNode -l 1 ;
createNode reference -n "ghostRN";
	rename -uid "718293A4-B5C6-D7E8-F90A-1B2C3D4E5F60";
	setAttr ".ed" -type "dataReferenceEdits" 
		"ghostRN";
lockNode -l 1 ;
createNode animCurveTL -n "pCube1_translateY";
	rename -uid "8293A4B5-C6D7-E8F9-0A1B-2C3D4E5F6071";
	setAttr ".tan" 18;
	setAttr ".wgt" no;
	setAttr -s 2 ".ktv[0:1]"  1 0 24 2;
createNode reference -n "sharedReferenceNode";
	rename -uid "93A4B5C6-D7E8-F90A-1B2C-3D4E5F607182";
	setAttr ".ed" -type "dataReferenceEdits" 
		"sharedReferenceNode";
select -ne :time1;
	setAttr ".o" 1;
	setAttr ".unw" 1;
select -ne :initialShadingGroup;
	setAttr ".ro" yes;
connectAttr "pCube1_translateY.o" "pillowRN.phl[1]";
// End of shot.ma
