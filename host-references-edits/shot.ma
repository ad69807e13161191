//Maya ASCII 2018ff09 scene
//Codeset: 1252
file -rdi 1 -ns "x" -rfn "xRN" -op "v=0;" -typ "mayaAscii" "asset.ma";
file -r -ns "x" -dr 1 -rfn "xRN" -op "v=0;" -typ "mayaAscii" "asset.ma";
createNode reference -n "xRN";
	setAttr ".ed" -type "dataReferenceEdits" 
		"xRN"
		"xRN" 2
		2 "|x:thing" "translate" " -type \"double3\" 1 2 3"
		9 "|x:thing";
createNode reference -n "strayRN";
	setAttr ".ed" -type "dataReferenceEdits" 
		"strayRN"
		"strayRN" 1
		2 "|y:thing" "visibility" " 0";
createNode transform -n "own";
createNode mesh -n "ownShape" -p "own";
createNode polyCube -n "ownCube";
connectAttr "ownCube.out" "ownShape.i";
