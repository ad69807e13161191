//Maya ASCII 2018ff09 scene
//Codeset: 1252
file -rdi 1 -ns "me" -rfn "meRN" -op "v=0;" -typ "mayaAscii" "self.ma";
file -r -ns "me" -dr 1 -rfn "meRN" -op "v=0;" -typ "mayaAscii" "self.ma";
createNode transform -n "boxSelf";
createNode mesh -n "boxSelfShape" -p "boxSelf";
createNode polyCube -n "boxSelfCube";
connectAttr "boxSelfCube.out" "boxSelfShape.i";
