# ImportTexturesOmbrix end to end through mayahost: the example scene with a
# shading switch is exported, maps are "painted" into a folder whose path has
# Cyrillic and spaces, and the command connects them (the switch's file node
# for each object re-pointed, new networks on lambert1; the sphere's glow on
# the input blinn1 shares with the cube left alone), headless. The saved
# scenes must match: undo gives the scene before, redo the scene after, a
# save reopened is saved the same; -preview and a folder that is not there
# change nothing. A file the export named that changed since is reloaded, also
# from another folder than the export's. The scene the import made, exported
# again, gives every map it connected back on its channel.
# Variables: HOST, PLUGIN, BIN, WORK, SCENE, EMULATOR (empty natively).
include(${CMAKE_CURRENT_LIST_DIR}/texture-host.cmake)
texture_test_folders("карты с пробелом")

# The painted maps: the cube's and the sphere's colours (their file nodes
# behind the switch), lambert1's colour, a normal map, opacity and glow as two
# tiles, and a glow for the sphere only (blinn1's incandescence, which the
# cube shows too).
foreach(name blinn1_pCubeShape1_BaseColor.png blinn1_pSphereShape1_BaseColor.png lambert1_BaseColor.png
             lambert1_Normal.png lambert1_Opacity.png lambert1_Emissive.1001.png lambert1_Emissive.1002.png
             blinn1_pSphereShape1_Emissive.1001.png blinn1_pSphereShape1_Emissive.1002.png)
  file(WRITE "${PAINTED}/${name}" "image bytes")
endforeach()
foreach(name crate.tga globe.tga default.tga bumps.tga)
  file(WRITE ${PROJECT}/sourceimages/${name} "image bytes")
endforeach()

# Before any export: no record, a Maya error and a failed command.
execute_process(COMMAND ${EMULATOR} ${HOST} --scene ${SCENE} --plugin ${PLUGIN} -c ImportTexturesOmbrix
                RESULT_VARIABLE status WORKING_DIRECTORY ${BIN} OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(status EQUAL 0 OR NOT "${out}${err}" MATCHES "Error: Ombrix Vael texture import: no export record: .*Maya.obvrecord.json")
  message(FATAL_ERROR "without a record: exit ${status}\n${out}${err}")
endif()

# Exported with the project named relative to the current folder: the
# record keeps the texture files' full paths, so that an import run from
# another folder finds them.
file(RELATIVE_PATH WORKSPACE ${BIN} ${PROJECT})
host(exported -c ExportAllOmbrixPlug)
set(WORKSPACE ${PROJECT})
host(before)  # as opened (the export gave some nodes UUIDs)
set(import "ImportTexturesOmbrix -dir \"${PAINTED}\"")
host(after -c "${import}" -c "undoInfo -q -undoName")
foreach(line "lambert1: connected DiffuseColor lambert1_BaseColor.png \\(${SRGB}\\), Bump lambert1_Normal.png \\(normal map, Raw\\), Ambient lambert1_Emissive.<UDIM>.png \\(tiles 1001-1002, ${SRGB}\\), Opacity lambert1_Opacity.png \\(Raw\\)"
             "blinn1\\|pCubeShape1: connected DiffuseColor blinn1_pCubeShape1_BaseColor.png \\(${SRGB}\\);"
             "blinn1\\|pSphereShape1: connected DiffuseColor blinn1_pSphereShape1_BaseColor.png \\(${SRGB}\\);[^\n]*; Ambient blinn1_pSphereShape1_Emissive.<UDIM>.png left alone: blinn1's incandescence is shared with pCubeShape1\n"
             "// Result: 6 //" "// Result: ImportTexturesOmbrix -dir")
  if(NOT output MATCHES "${line}")
    message(FATAL_ERROR "the import's output lacks ${line}:\n${output}")
  endif()
endforeach()
scene_text(after saved)
foreach(piece "карты с пробелом/blinn1_pCubeShape1_BaseColor.png"
              "setAttr \".uvTilingMode\" 3" "setAttr \".bumpInterp\" 1" "connectAttr \"file[0-9]+.outTransparency\" \"lambert1.transparency\""
              "connectAttr \"file1.outColor\" \"lambert1.color\"" "connectAttr \"place2dTexture1.outUV\" \"file1.uvCoord\"")
  if(NOT saved MATCHES "${piece}")
    message(FATAL_ERROR "after.ma lacks ${piece}")
  endif()
endforeach()
# Four new file nodes: the objects' maps went to the switch's crateFile and
# globeFile; nothing on blinn1's glow.
if(saved MATCHES "createNode file -n \"file5\"" OR saved MATCHES "sourceimages/(crate|globe).tga"
   OR saved MATCHES "\"blinn1.(incandescence|ic)\"")
  message(FATAL_ERROR "after.ma: the objects' file nodes were not re-pointed, or blinn1's glow changed")
endif()

expect_undo_redo_reopen("${import}")

host(previewed -c "${import} -preview")
expect_same(before previewed)
if(NOT output MATCHES "lambert1: would connect DiffuseColor")
  message(FATAL_ERROR "the preview's output:\n${output}")
endif()
host(missing -c "ImportTexturesOmbrix -dir \"${WORK}/not there\"" -c "undoInfo -q -undoName")
expect_same(before missing)
if(NOT output MATCHES "Warning: Ombrix Vael texture import: .*not there.*; nothing changed"
   OR NOT output MATCHES "// Result: 0 //")
  message(FATAL_ERROR "a missing folder:\n${output}")
endif()

# Saved over by the painter a second later: reloaded without a folder (the
# exchange directory has no "textures" folder).
execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 1.1)
file(WRITE ${PROJECT}/sourceimages/globe.tga "painted bytes")
set(RUN_DIR ${WORK})
host(reloaded -c ImportTexturesOmbrix)
set(RUN_DIR ${BIN})
if(NOT output MATCHES "blinn1\\|pSphereShape1: reloaded DiffuseColor [^\n]*globe.tga" OR NOT output MATCHES "// Result: 1 //")
  message(FATAL_ERROR "the reload:\n${output}")
endif()
expect_same(before reloaded)

# The imported scene exported again: lambert1's four maps come back on their
# channels, the opacity too (read from the file's outTransparency).
set(SCENE ${WORK}/after.ma)
host(exported_again -c ExportAllOmbrixPlug)
file(READ ${EXCHANGE}/Maya.obvrecord.json record)
string(JSON count LENGTH "${record}" materials)
math(EXPR last "${count} - 1")
set(channels "")
foreach(m RANGE ${last})
  string(JSON shader GET "${record}" materials ${m} shader)
  if(shader STREQUAL "lambert1")
    string(JSON mapped LENGTH "${record}" materials ${m} channels)
    math(EXPR lastMap "${mapped} - 1")
    foreach(c RANGE ${lastMap})
      string(JSON channel GET "${record}" materials ${m} channels ${c} channel)
      string(JSON mapFile GET "${record}" materials ${m} channels ${c} file)
      get_filename_component(mapFile "${mapFile}" NAME)
      list(APPEND channels "${channel}=${mapFile}")
    endforeach()
  endif()
endforeach()
set(expected "DiffuseColor=lambert1_BaseColor.png;Bump=lambert1_Normal.png;Ambient=lambert1_Emissive.1001.png;Opacity=lambert1_Opacity.png")
if(NOT channels STREQUAL expected)
  message(FATAL_ERROR "lambert1 exported again: ${channels}, not ${expected}")
endif()
