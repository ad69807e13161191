//Maya ASCII 2018ff09 scene
//Codeset: 1252
file -rdi 1 -ns "a" -rfn "aRN" -op "v=0;" -typ "mayaAscii" "a.ma";
file -r -ns "a" -dr 1 -rfn "aRN" -op "v=0;" -typ "mayaAscii" "a.ma";
createNode transform -n "boxB";
createNode mesh -n "boxBShape" -p "boxB";
createNode polyCube -n "boxBCube";
connectAttr "boxBCube.out" "boxBShape.i";
