//Maya ASCII 2018ff09 scene
//Name: lamp.ma
//Last modified: Mon, Nov 30, 2026 10:31:17 AM
//Codeset: 1252
file -rdi 1 -ns "bulb" -rfn "bulbRN" -op "v=0;" -typ "mayaAscii" "scenes/assets/bulb.ma";
file -r -ns "bulb" -dr 1 -rfn "bulbRN" -op "v=0;" -typ "mayaAscii" "scenes/assets/bulb.ma";
requires maya "2018ff09";
currentUnit -l centimeter -a degree -t film;
fileInfo "application" "maya";
createNode transform -n "lampBase";
	rename -uid "6B2D8F1A-4E3C-7A50-1D9B-3C5E7A9F1B08";
createNode mesh -n "lampBaseShape" -p "lampBase";
	rename -uid "8C4E1A3B-4D5F-9B60-2E7C-4A6C8E1B3D19";
	setAttr -k off ".v";
	setAttr ".vir" yes;
	setAttr ".vif" yes;
	setAttr ".uvst[0].uvsn" -type "string" "map1";
	setAttr ".cuvs" -type "string" "map1";
createNode polyCube -n "polyCube1";
	rename -uid "5E7A9C1D-4B3F-1E80-3F8D-5B7D9F2C4E2A";
	setAttr ".w" 2;
	setAttr ".h" 0.5;
	setAttr ".d" 2;
	setAttr ".cuv" 4;
createNode reference -n "bulbRN";
	rename -uid "1F3B5D7E-4C9A-2B70-4A9E-6C8E1A3D5F3B";
	setAttr ".ed" -type "dataReferenceEdits" 
		"bulbRN"
		"bulbRN" 1
		2 "|bulb:pSphere1" "translate" " -type \"double3\" 0 3 0";
lockNode -l 1 ;
select -ne :time1;
	setAttr ".o" 1;
select -ne :initialShadingGroup;
	setAttr ".ro" yes;
connectAttr "polyCube1.out" "lampBaseShape.i";
connectAttr "lampBaseShape.iog" ":initialShadingGroup.dsm" -na;
// End of lamp.ma
