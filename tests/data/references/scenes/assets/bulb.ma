//Maya ASCII 2018ff09 scene
//Name: bulb.ma
//Last modified: Mon, Nov 30, 2026 10:20:05 AM
//Codeset: 1252
requires maya "2018ff09";
currentUnit -l centimeter -a degree -t film;
fileInfo "application" "maya";
createNode transform -n "pSphere1";
	rename -uid "4C1A8E2B-4D7F-5E31-0B9C-2F6A8D1E3C75";
createNode mesh -n "pSphereShape1" -p "pSphere1";
	rename -uid "9D3E5A7C-4B1F-2C80-6E4A-1B7D9C3F5A86";
	setAttr -k off ".v";
	setAttr ".vir" yes;
	setAttr ".vif" yes;
	setAttr ".uvst[0].uvsn" -type "string" "map1";
	setAttr ".cuvs" -type "string" "map1";
createNode polySphere -n "polySphere1";
	rename -uid "2A8C4E6D-4F1B-3D90-7C5E-0A2B4D6F8C97";
	setAttr ".r" 0.5;
	setAttr ".sa" 8;
	setAttr ".sh" 4;
select -ne :time1;
	setAttr ".o" 1;
select -ne :initialShadingGroup;
	setAttr ".ro" yes;
connectAttr "polySphere1.out" "pSphereShape1.i";
connectAttr "pSphereShape1.iog" ":initialShadingGroup.dsm" -na;
// End of bulb.ma
