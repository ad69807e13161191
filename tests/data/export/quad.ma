//Maya ASCII 2020 scene
//Name: quad.ma
requires maya "2020";
currentUnit -l centimeter -a degree -t film;
fileInfo "application" "maya";
createNode transform -n "box";
	setAttr ".t" -type "double3" 1 2 3 ;
	setAttr ".r" -type "double3" 0 90 0 ;
createNode mesh -n "boxShape" -p "box";
	setAttr ".uvst[0].uvsn" -type "string" "map1";
	setAttr -s 4 ".uvst[0].uvsp[0:3]" -type "float2" 0 0 1 0 1 1 0 1;
	setAttr -s 4 ".vt[0:3]"  -0.5 0 0.5 0.5 0 0.5 -0.5 0 -0.5 0.5 0 -0.5;
	setAttr -s 4 ".ed[0:3]"  0 1 0 0 2 0 1 3 0 2 3 0;
	setAttr -ch 4 ".fc[0]" -type "polyFaces" f 4 0 2 -4 -2 mu 0 4 0 1 3 2;
connectAttr "boxShape.iog" ":initialShadingGroup.dsm" -na;
