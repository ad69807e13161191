//Maya ASCII 2018ff09 scene
//Codeset: 1252
file -rdi 1 -ns "a" -rfn "aRN" -op "v=0;" -typ "mayaAscii" "a.ma";
file -r -ns "a" -dr 1 -rfn "aRN" -op "v=0;" -typ "mayaAscii" "a.ma";
file -rdi 1 -ns "me" -rfn "meRN" -op "v=0;" -typ "mayaAscii" "self.ma";
file -r -ns "me" -dr 1 -rfn "meRN" -op "v=0;" -typ "mayaAscii" "self.ma";
file -rdi 1 -ns "rig" -rfn "rigRN" -op "v=0;" -typ "FBX export" "rig.fbx";
file -r -ns "rig" -dr 1 -rfn "rigRN" -op "v=0;" -typ "FBX export" "rig.fbx";
file -rdi 1 -ns "d" -rfn "dRN" -op "v=0;" -typ "mayaAscii" "deep0.ma";
file -r -ns "d" -dr 1 -rfn "dRN" -op "v=0;" -typ "mayaAscii" "deep0.ma";
file -rdi 1 -ns "a" -rfn "second_aRN" -op "v=0;" -typ "mayaAscii" "a.ma";
file -r -ns "a" -dr 1 -rfn "second_aRN" -op "v=0;" -typ "mayaAscii" "a.ma";
createNode transform -n "own";
createNode mesh -n "ownShape" -p "own";
createNode polyCube -n "ownCube";
connectAttr "ownCube.out" "ownShape.i";
