//Maya ASCII 2018ff09 scene
//Codeset: 1252
file -r -rpr "Hero" -rfn "HeroRN" -typ "mayaAscii" "asset.ma";
file -r -rpr "Idle" -dr 1 -rfn "IdleRN" -typ "mayaAscii" "asset.ma";
createNode reference -n "HeroRN";
	setAttr ".ed" -type "dataReferenceEdits" 
		"HeroRN"
		"HeroRN" 1
		2 "|Hero_thing" "translate" " -type \"double3\" 0 7 0";
