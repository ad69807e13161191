//Maya ASCII 2018 scene
//Name: nurbs_sphere.ma
//Codeset: UTF-8
requires maya "2018";
currentUnit -l centimeter -a degree -t film;
fileInfo "application" "maya";
createNode transform -n "nurbsSphere1";
	setAttr ".t" -type "double3" 0 2 0 ;
createNode nurbsSurface -n "nurbsSphereShape1" -p "nurbsSphere1";
	setAttr -k off ".v";
	setAttr ".vir" yes;
	setAttr ".vif" yes;
	setAttr ".tw" yes;
	setAttr ".dvu" 0;
	setAttr ".dvv" 0;
	setAttr ".cpr" 4;
	setAttr ".cps" 4;
createNode makeNurbSphere -n "makeNurbSphere1";
	setAttr ".ax" -type "double3" 0 1 0 ;
	setAttr ".r" 2;
createNode lambert -n "lambert2";
createNode shadingEngine -n "lambert2SG";
	setAttr ".ihi" 0;
	setAttr ".ro" yes;
createNode file -n "marbleFile";
	setAttr ".ftn" -type "string" "sourceimages/marble.tga";
connectAttr "makeNurbSphere1.os" "nurbsSphereShape1.cr";
connectAttr "marbleFile.oc" "lambert2.c";
connectAttr "lambert2.oc" "lambert2SG.ss";
connectAttr "nurbsSphereShape1.iog" "lambert2SG.dsm" -na;
// End of nurbs_sphere.ma
