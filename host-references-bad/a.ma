//Maya ASCII 2018ff09 scene
//Codeset: 1252
file -rdi 1 -ns "b" -rfn "bRN" -op "v=0;" -typ "mayaAscii" "b.ma";
file -r -ns "b" -dr 1 -rfn "bRN" -op "v=0;" -typ "mayaAscii" "b.ma";
createNode transform -n "boxA";
createNode mesh -n "boxAShape" -p "boxA";
createNode polyCube -n "boxACube";
connectAttr "boxACube.out" "boxAShape.i";
