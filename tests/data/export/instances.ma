//Maya ASCII 2018 scene
//Name: instances.ma
// One cube shape under two transforms (the second 10 units along x), and a
// group holding a second cube, for the walk orders and for selections.
requires maya "2018";
currentUnit -l centimeter -a degree -t film;
createNode transform -n "first";
createNode mesh -n "firstShape" -p "first";
createNode transform -n "second";
	setAttr ".t" -type "double3" 10 0 0 ;
parent -add -s -nc -r "|first|firstShape" "second";
createNode transform -n "holder";
createNode transform -n "inner" -p "holder";
	setAttr ".t" -type "double3" 0 0 -20 ;
createNode mesh -n "innerShape" -p "inner";
createNode polyCube -n "polyCube1";
createNode polyCube -n "polyCube2";
connectAttr "polyCube1.out" "firstShape.i";
connectAttr "polyCube2.out" "innerShape.i";
connectAttr "firstShape.iog" ":initialShadingGroup.dsm" -na;
connectAttr "innerShape.iog" ":initialShadingGroup.dsm" -na;
// End of instances.ma
