//Maya ASCII 2020 scene
requires maya "2020";
createNode transform -n "frame";
createNode mesh -n "frameShape" -p "frame";
	setAttr ".uvst[0].uvsn" -type "string" "map1";
	setAttr -s 8 ".uvst[0].uvsp[0:7]" -type "float2" 0 0 1 0 1 1 0 1 0.25 0.25 0.75 0.25 0.75 0.75 0.25 0.75;
	setAttr -s 8 ".vt[0:7]"  0 0 0 4 0 0 4 4 0 0 4 0 1 1 0 3 1 0 3 3 0 1 3 0;
	setAttr -s 8 ".ed[0:7]"  0 1 0 1 2 0 2 3 0 3 0 0 4 5 0 5 6 0 6 7 0 7 4 0;
	setAttr -ch 8 ".fc[0]" -type "polyFaces" 
		f 4 0 1 2 3
		mu 0 4 0 1 2 3
		h 4 -8 -7 -6 -5
		mu 0 4 4 7 6 5;
