//Maya ASCII 2018 scene
//Name: odd_data.ma
// Data an export meets in the field: a mesh without polygons, file textures
// that name no file or a missing one, a shading switch without inputs, a
// bump node without a value, a shading group without a shader, an
// intermediate shape.
requires maya "2018";
currentUnit -l centimeter -a degree -t film;
createNode transform -n "hollow";
createNode mesh -n "hollowShape" -p "hollow";
createNode transform -n "box";
	setAttr ".t" -type "double3" 0 5 0 ;
createNode mesh -n "boxShape" -p "box";
createNode mesh -n "boxShapeOrig" -p "box";
	setAttr ".io" yes;
createNode polyCube -n "polyCube1";
createNode polyCube -n "polyCube2";
createNode blinn -n "odd";
createNode shadingEngine -n "oddSG";
	setAttr ".ro" yes;
createNode shadingEngine -n "bareSG";
	setAttr ".ro" yes;
createNode file -n "noName";
createNode file -n "missing";
	setAttr ".ftn" -type "string" "sourceimages/not-there.tga";
createNode tripleShadingSwitch -n "idleSwitch";
createNode bump2d -n "emptyBump";
connectAttr "polyCube1.out" "boxShape.i";
connectAttr "polyCube2.out" "boxShapeOrig.i";
connectAttr "noName.oc" "odd.c";
connectAttr "missing.oc" "odd.ic";
connectAttr "idleSwitch.out" "odd.it";
connectAttr "emptyBump.o" "odd.n";
connectAttr "odd.oc" "oddSG.ss";
connectAttr "boxShape.iog" "oddSG.dsm" -na;
connectAttr "hollowShape.iog" "bareSG.dsm" -na;
// End of odd_data.ma
