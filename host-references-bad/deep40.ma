//Maya ASCII 2018ff09 scene
//Codeset: 1252
createNode transform -n "bottom";
createNode mesh -n "bottomShape" -p "bottom";
createNode polyCube -n "bottomCube";
connectAttr "bottomCube.out" "bottomShape.i";
