# ImportTexturesOmbrix through mayahost, on a scene with a shader of each
# family the viewport links differently (tests/data/texture/colour_shaders.ma:
# lambert1, standardSurface, aiStandardSurface, usdPreviewSurface, and a blinn
# whose file node the artist gave the colour space ACEScg with Maya's file
# rules on): the import's file nodes as Maya would have them. Each run is
# compared as saved scenes: undo gives the scene before, redo the scene after.
#  - new file nodes are colour managed as `shadingNode -isColorManaged` makes them;
#  - colour spaces are the config's: Maya HOST_MAYA_VERSION's default config,
#    and an ACES 1.2 config given with --ocio-config (none of Maya's names:
#    one warning, the file rules choose);
#  - a tile set is saved as Maya saves one; its preview is generated in
#    interactive Maya (recorded in --stats), the line tells how in batch;
#  - the colour space and the rules are set before the name (undo keeps the
#    artist's ACEScg); the viewport's materialInfo links follow the shader
#    family, lambert1's goes on :initialMaterialInfo.
# The shared scenes Maya saved with these connections load, save and load
# again the same.
# Variables: HOST, PLUGIN, BIN, WORK, SCENE, SHARED (the shared Maya scenes),
# HOST_MAYA_VERSION, EMULATOR (empty natively).
include(${CMAKE_CURRENT_LIST_DIR}/texture-host.cmake)
texture_test_folders("painted maps")

# Every text given is in `text` (regular expressions), what `what` names.
function(expect_in what text)
  foreach(piece ${ARGN})
    if(NOT text MATCHES "${piece}")
      message(FATAL_ERROR "${what} lacks ${piece}:\n${text}")
    endif()
  endforeach()
endfunction()

# The shared Maya-saved scenes: every file node's four connections from
# :defaultColorMgtGlobals come through a save and a load.
foreach(shared "${SHARED}/rel_project/scenes/TextureTest.ma" "${SHARED}/UsdExportUVSwitchTest.ma")
  if(NOT EXISTS "${shared}")
    continue()
  endif()
  get_filename_component(stem "${shared}" NAME_WE)
  foreach(step saved reloaded)
    set(from "${shared}")
    if(step STREQUAL "reloaded")
      set(from ${WORK}/${stem}_saved.ma)
    endif()
    execute_process(COMMAND ${EMULATOR} ${HOST} --scene ${from} -c "listConnections -s 1 -d 0 -p 1 file1.cmcf"
                            -c "listConnections -s 1 -d 0 -p 1 file1.workingSpace" --save ${WORK}/${stem}_${step}.ma
                    RESULT_VARIABLE status WORKING_DIRECTORY ${BIN} OUTPUT_VARIABLE out ERROR_VARIABLE err)
    string(REPLACE "\r\n" "\n" out "${out}")
    if(NOT status EQUAL 0 OR NOT out MATCHES "// Result: defaultColorMgtGlobals.configFileEnabled //\n// Result: defaultColorMgtGlobals.workingSpaceName //")
      message(FATAL_ERROR "${stem} ${step}: exit ${status}\n${out}${err}")
    endif()
  endforeach()
  scene_text(${stem}_saved saved)
  expect_in("${stem}_saved.ma" "${saved}"
            "connectAttr \"[:]?defaultColorMgtGlobals.(cme|cmEnabled)\" \"file1.(cme|colorManagementEnabled)\""
            "connectAttr \"[:]?defaultColorMgtGlobals.(cfp|configFilePath)\" \"file1.(cmcp|colorManagementConfigFilePath)\"")
  expect_same(${stem}_saved ${stem}_reloaded)
endforeach()

# The input spaces the host answers: the default config of the Maya it stands for.
if(HOST_MAYA_VERSION GREATER_EQUAL 2026)
  set(SRGB "sRGB Encoded Rec.709 \\(sRGB\\)")
else()
  set(SRGB "sRGB")
endif()
execute_process(COMMAND ${EMULATOR} ${HOST} -c "colorManagementPrefs -q -inputSpaceNames"
                WORKING_DIRECTORY ${BIN} OUTPUT_VARIABLE out ERROR_VARIABLE err)
expect_in("colorManagementPrefs -q -inputSpaceNames" "${out}" "// Result: [^\n]*${SRGB}" "// Result: [^\n]* Raw ")

foreach(name lambert1_BaseColor.png surface_BaseColor.png surface_Normal.png arnold_BaseColor.png
             arnold_Emissive.1001.png arnold_Emissive.1002.png preview_BaseColor.png paint_BaseColor.png)
  file(WRITE "${PAINTED}/${name}" "image bytes")
endforeach()
file(WRITE ${PROJECT}/sourceimages/paint.tga "image bytes")

host(exported -c ExportAllOmbrixPlug)
host(before)
set(import "ImportTexturesOmbrix -dir \"${PAINTED}\"")
host(after -c "${import}")
# Batch Maya: the line says how to generate the tile preview.
expect_in("the import's output" "${output}"
          "surface: connected DiffuseColor surface_BaseColor.png \\(${SRGB}\\), Bump surface_Normal.png \\(normal map, Raw\\)"
          "arnold: connected DiffuseColor arnold_BaseColor.png \\(${SRGB}\\), Ambient arnold_Emissive.<UDIM>.png \\(tiles 1001-1002, ${SRGB}\\)[^\n]*; Ambient tiles show in the viewport after generateUvTilePreview \"file[0-9]+\"")
scene_text(after saved)
# Six new file nodes, each with the four connections.
string(REGEX MATCHALL "connectAttr \"[:]?defaultColorMgtGlobals.(cme|cmEnabled)\" \"file[0-9]+.(cme|colorManagementEnabled)\"" managed "${saved}")
list(LENGTH managed count)
if(NOT count EQUAL 6)
  message(FATAL_ERROR "after.ma: ${count} new file nodes colour managed, 6 expected:\n${saved}")
endif()
foreach(link "(cfe|configFileEnabled)\" \"file[0-9]+.(cmcf|colorManagementConfigFileEnabled)"
             "(cfp|configFilePath)\" \"file[0-9]+.(cmcp|colorManagementConfigFilePath)"
             "(wsn|workingSpaceName)\" \"file[0-9]+.(ws|workingSpace)")
  string(REGEX MATCHALL "connectAttr \"[:]?defaultColorMgtGlobals.${link}\"" found "${saved}")
  list(LENGTH found count)
  if(NOT count EQUAL 6)
    message(FATAL_ERROR "after.ma: ${count} of 6 file nodes have ${link}")
  endif()
endforeach()
# The tiles as Maya saves them; the viewport's links.
expect_in("after.ma" "${saved}"
          "setAttr \"\\.(uvt|uvTilingMode)\" 3"
          "painted maps/arnold_Emissive.1001.png"
          "connectAttr \"surface.(msg|message)\" \"materialInfo1.(t|texture)\\[0\\]\""
          "connectAttr \"arnold.(msg|message)\" \"materialInfo2.(t|texture)\\[0\\]\""
          "connectAttr \"preview.(msg|message)\" \"materialInfo3.(t|texture)\\[0\\]\""
          "connectAttr \"file[0-9]+.(msg|message)\" \"[:]?initialMaterialInfo.(t|texture)\\[0\\]\"")
if(saved MATCHES "fnp|fileTextureNamePattern|materialInfo[123].(t|texture)\\[1\\]")
  message(FATAL_ERROR "after.ma: an explicit tile pattern, or a second viewport link")
endif()

expect_undo_redo_reopen("${import}")

# Interactive Maya: the preview generated, the line silent about it.
host(interactive --interactive -c "${import}" --stats)
expect_in("the interactive import's output" "${output}" "\"uvTilePreviews\":\\[\"file[0-9]+\"\\]")
if(output MATCHES "tiles show in the viewport")
  message(FATAL_ERROR "interactive: the line tells how to generate a preview made already:\n${output}")
endif()
expect_same(after interactive)

# An ACES 1.2 config: neither "sRGB Encoded Rec.709 (sRGB)", "sRGB" nor "Raw".
set(ACES ${WORK}/aces.ocio)
file(WRITE ${ACES} "ocio_profile_version: 1\nroles:\n  default: Utility - sRGB - Texture\n  data: Utility - Raw\n"
                   "colorspaces:\n  - !<ColorSpace>\n    name: ACES - ACEScg\n"
                   "  - !<ColorSpace>\n    name: Utility - Raw\n  - !<ColorSpace>\n    name: Utility - sRGB - Texture\n")
host(aces --ocio-config ${ACES} -c "${import}")
string(REGEX MATCHALL "has none of Maya's sRGB names" warnings "${output}")
list(LENGTH warnings count)
expect_in("the import's output with an ACES config" "${output}"
          "Warning: Ombrix Vael texture import: the colour management config [^\n]*aces.ocio has none of Maya's sRGB names"
          "surface: connected DiffuseColor surface_BaseColor.png \\(colour space by Maya's file rules\\)")
if(NOT count EQUAL 1)
  message(FATAL_ERROR "the ACES config: ${count} warnings, one expected:\n${output}")
endif()
scene_text(aces saved)
expect_in("aces.ma" "${saved}" "\"Utility - sRGB - Texture\"")
if(saved MATCHES "\\.(ifr|ignoreColorSpaceFileRules)\" (1|yes)")
  message(FATAL_ERROR "aces.ma: the file rules were turned off")
endif()
host(aces_undone --ocio-config ${ACES} -c "${import}" -c undo)
expect_same(before aces_undone)
host(aces_redone --ocio-config ${ACES} -c "${import}" -c undo -c redo)
expect_same(aces aces_redone)
