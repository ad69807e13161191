//Maya ASCII 2018ff09 scene
//Codeset: 1252
createNode transform -n "thing";
createNode mesh -n "thingShape" -p "thing";
createNode polyCube -n "thingCube";
connectAttr "thingCube.out" "thingShape.i";
