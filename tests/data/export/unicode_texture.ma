//Maya ASCII 2018 scene
//Name: split_mesh.ma
//Codeset: UTF-8
requires maya "2018";
currentUnit -l centimeter -a degree -t film;
fileInfo "application" "maya";
createNode transform -n "split";
createNode mesh -n "splitShape" -p "split";
	setAttr -k off ".v";
	setAttr -s 2 ".iog[0].og";
	setAttr ".iog[0].og[0].gcl" -type "componentList" 1 "f[0]";
	setAttr ".iog[0].og[1].gcl" -type "componentList" 1 "f[1]";
	setAttr ".vir" yes;
	setAttr ".vif" yes;
	setAttr ".uvst[0].uvsn" -type "string" "map1";
	setAttr -s 6 ".uvst[0].uvsp[0:5]" -type "float2" 0 0 0.5 0 1 0 0 1 0.5
		 1 1 1;
	setAttr ".cuvs" -type "string" "map1";
	setAttr -s 6 ".vt[0:5]"  -1 0 0.5 0 0 0.5 1 0 0.5 -1 0 -0.5 0 0 -0.5 1 0 -0.5;
	setAttr -s 7 ".ed[0:6]"  0 1 0 1 4 0 4 3 0 3 0 0 1 2 0 2 5 0 5 4 0;
	setAttr -s 2 -ch 8 ".fc[0:1]" -type "polyFaces" 
		f 4 0 1 2 3
		mu 0 4 0 1 4 3
		f 4 4 5 6 -2
		mu 0 4 1 2 5 4;
createNode blinn -n "redBlinn";
	setAttr ".c" -type "float3" 1 0 0 ;
createNode shadingEngine -n "redSG";
	setAttr ".ihi" 0;
	setAttr ".ro" yes;
createNode lambert -n "woodLambert";
createNode shadingEngine -n "woodSG";
	setAttr ".ihi" 0;
	setAttr ".ro" yes;
createNode file -n "woodFile";
	setAttr ".ftn" -type "string" "sourceimages/木目 Дерево.tga";
connectAttr "redBlinn.oc" "redSG.ss";
connectAttr "woodFile.oc" "woodLambert.c";
connectAttr "woodLambert.oc" "woodSG.ss";
connectAttr "splitShape.iog.og[0]" "redSG.dsm" -na;
connectAttr "splitShape.iog.og[1]" "woodSG.dsm" -na;
// End of split_mesh.ma
