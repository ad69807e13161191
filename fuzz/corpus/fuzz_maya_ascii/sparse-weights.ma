//Maya ASCII 2020 scene
requires maya "2020";
createNode transform -n "bar";
createNode mesh -n "barShape" -p "bar";
	setAttr ".uvst[0].uvsn" -type "string" "map1";
createNode mesh -n "barShapeOrig" -p "bar";
	setAttr ".io" yes;
	setAttr -s 6 ".vt[0:5]"  -0.5 0 0 0.5 0 0 -0.5 1 0 0.5 1 0 -0.5 2 0 0.5 2 0;
	setAttr -s 7 ".ed[0:6]"  0 1 0 0 2 0 1 3 0 2 3 0 2 4 0 3 5 0 4 5 0;
	setAttr -s 2 -ch 8 ".fc[0:1]" -type "polyFaces" f 4 0 2 -4 -2 f 4 3 5 -7 -5;
createNode joint -n "joint1";
createNode joint -n "joint2" -p "joint1";
	setAttr ".t" -type "double3" 0 1 0 ;
	setAttr ".r" -type "double3" 0 0 90 ;
createNode skinCluster -n "skinCluster1";
	setAttr -s 6 ".wl";
	setAttr ".wl[0:5].w"
		1 0 1
		1 0 1
		2 0 0.5 1 0.5
		2 0 0.5 7 0.5
		1 1 1
		1 1 1;
	setAttr -s 2 ".pm";
	setAttr ".pm[0]" -type "matrix" 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1;
	setAttr ".pm[1]" -type "matrix" 1 0 0 0 0 1 0 0 0 0 1 0 0 -1 0 1;
	setAttr ".gm" -type "matrix" 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1;
connectAttr "joint1.wm" "skinCluster1.ma[0]";
connectAttr "joint2.wm" "skinCluster1.ma[1]";
connectAttr "barShapeOrig.w" "skinCluster1.ip[0].ig";
connectAttr "skinCluster1.og[0]" "barShape.i";
