//Maya ASCII 2018ff09 scene
//Codeset: 1252
file -rdi 1 -ns "d" -rfn "dRN" -op "v=0;" -typ "mayaAscii" "deep29.ma";
file -r -ns "d" -dr 1 -rfn "dRN" -op "v=0;" -typ "mayaAscii" "deep29.ma";
