# ImportTexturesOmbrix through mayahost on a shot that references one asset
# twice, under the namespaces "a" and "b": Maya gives the nodes of both the
# UUIDs the asset holds (Maya's referencing documentation: "When an object is
# referenced multiple times, the source object's unique identifier (UUID) is
# inherited by each reference object"), so the two shaders share one. Exported,
# each material painted with its own map, imported: each map lands on its own
# namespace's shader, and undo gives back the scene as it was.
# Variables: HOST, PLUGIN, BIN, WORK, EMULATOR (empty natively).
set(EXCHANGE ${WORK}/exchange)
set(PROJECT ${WORK}/project)
set(PAINTED ${WORK}/painted)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${EXCHANGE} ${PROJECT}/scenes/assets ${PAINTED})

include(${CMAKE_CURRENT_LIST_DIR}/painter-registry.cmake)
point_painter_registry(${WORK} ${EXCHANGE})

file(WRITE ${PROJECT}/scenes/assets/crate.ma [=[//Maya ASCII 2026 scene
//Name: crate.ma
//Codeset: UTF-8
requires maya "2026";
createNode transform -n "crate";
	rename -uid "6B1D0E52-4A8C-11F0-9A3E-2C4D5E6F7A01";
createNode mesh -n "crateShape" -p "crate";
	rename -uid "6B1D0E52-4A8C-11F0-9A3E-2C4D5E6F7A02";
	setAttr ".uvst[0].uvsn" -type "string" "map1";
	setAttr ".cuvs" -type "string" "map1";
createNode polyCube -n "polyCube1";
	rename -uid "6B1D0E52-4A8C-11F0-9A3E-2C4D5E6F7A03";
	setAttr ".cuv" 4;
createNode blinn -n "wood";
	rename -uid "6B1D0E52-4A8C-11F0-9A3E-2C4D5E6F7A04";
createNode shadingEngine -n "woodSG";
	rename -uid "6B1D0E52-4A8C-11F0-9A3E-2C4D5E6F7A05";
	setAttr ".ihi" 0;
	setAttr ".ro" yes;
connectAttr "polyCube1.out" "crateShape.i";
connectAttr "wood.oc" "woodSG.ss";
connectAttr "crateShape.iog" "woodSG.dsm" -na;
]=])
set(reference "-op \"v=0;\" -typ \"mayaAscii\" \"assets/crate.ma\"")
file(WRITE ${PROJECT}/scenes/shot.ma "//Maya ASCII 2026 scene
//Name: shot.ma
//Codeset: UTF-8
file -rdi 1 -ns \"a\" -rfn \"aRN\" ${reference};
file -rdi 1 -ns \"b\" -rfn \"bRN\" ${reference};
file -r -ns \"a\" -dr 1 -rfn \"aRN\" ${reference};
file -r -ns \"b\" -dr 1 -rfn \"bRN\" ${reference};
requires maya \"2026\";
createNode reference -n \"aRN\";
createNode reference -n \"bRN\";
")
file(WRITE ${PAINTED}/a_wood_BaseColor.png "image bytes")
file(WRITE ${PAINTED}/b_wood_BaseColor.png "image bytes")

set(SCENE ${PROJECT}/scenes/shot.ma)
set(RUN_DIR ${BIN})
set(WORKSPACE ${PROJECT})
include(${CMAKE_CURRENT_LIST_DIR}/texture-host.cmake)

host(exported -c ExportAllOmbrixPlug)
file(READ ${EXCHANGE}/Maya.obvrecord.json record)
if(NOT record MATCHES "\"shader\": \"a:wood\",[^}]*6B1D0E52-4A8C-11F0-9A3E-2C4D5E6F7A04"
   OR NOT record MATCHES "\"shader\": \"b:wood\",[^}]*6B1D0E52-4A8C-11F0-9A3E-2C4D5E6F7A04")
  message(FATAL_ERROR "the record lacks a:wood and b:wood with the asset's UUID:\n${record}")
endif()

host(before)
host(after -c "ImportTexturesOmbrix -dir \"${PAINTED}\"")
foreach(line "a:wood: connected DiffuseColor a_wood_BaseColor.png \\(${SRGB}\\)"
             "b:wood: connected DiffuseColor b_wood_BaseColor.png \\(${SRGB}\\)" "// Result: 2 //")
  if(NOT output MATCHES "${line}")
    message(FATAL_ERROR "the import's output lacks ${line}:\n${output}")
  endif()
endforeach()
if(output MATCHES "refused|took")
  message(FATAL_ERROR "the import's output:\n${output}")
endif()
# Each namespace's shader fed by the file node holding its own map.
file(READ ${WORK}/after.ma saved)
foreach(map a b)
  string(REGEX MATCH "createNode file -n \"([a-zA-Z0-9_]+)\";(\n\t[^\n]*)*\n\t[^\n]*painted/${map}_wood_BaseColor.png" made "${saved}")
  set(node "${CMAKE_MATCH_1}")
  if(node STREQUAL "" OR NOT saved MATCHES "connectAttr \"${node}.outColor\" \"${map}:wood.color\"")
    message(FATAL_ERROR "after.ma: ${map}:wood.color is not fed the file node of ${map}_wood_BaseColor.png")
  endif()
endforeach()

host(undone -c "ImportTexturesOmbrix -dir \"${PAINTED}\"" -c undo)
expect_same(before undone)
