# What the texture import's end-to-end scripts share: host(NAME MEL...) runs
# mayahost on SCENE with the plug-in and the MEL lines given, saving
# WORK/NAME.ma and leaving its output in `output`; it runs in RUN_DIR with the
# project WORKSPACE. Variables: HOST, PLUGIN, BIN, WORK, EMULATOR.
function(host name)
  file(RELATIVE_PATH plugin ${RUN_DIR} ${BIN}/${PLUGIN})
  execute_process(COMMAND ${EMULATOR} ${HOST} --scene ${SCENE} --workspace ${WORKSPACE} --plugin ${plugin} ${ARGN}
                          --save ${WORK}/${name}.ma
                  RESULT_VARIABLE status WORKING_DIRECTORY ${RUN_DIR}
                  OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${name}: exit ${status}\n${out}${err}")
  endif()
  string(REPLACE "\r\n" "\n" out "${out}${err}")
  set(output "${out}" PARENT_SCOPE)
endfunction()

include(${CMAKE_CURRENT_LIST_DIR}/saved-scenes.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/painter-registry.cmake)

# A fresh WORK: the exchange directory (the registry points at it), the
# project (with sourceimages) and the folder PAINTED the maps are painted
# into; mayahost runs in BIN with that project.
macro(texture_test_folders painted)
  set(EXCHANGE ${WORK}/exchange)
  set(PROJECT ${WORK}/project)
  set(PAINTED "${WORK}/${painted}")
  file(REMOVE_RECURSE ${WORK})
  file(MAKE_DIRECTORY ${EXCHANGE} ${PROJECT}/sourceimages "${PAINTED}")
  point_painter_registry(${WORK} ${EXCHANGE})
  set(RUN_DIR ${BIN})
  set(WORKSPACE ${PROJECT})
endmacro()

# Colour maps are in the sRGB space of the config of the Maya the host stands
# for: "sRGB" (2022-2025) or "sRGB Encoded Rec.709 (sRGB)" (2026).
set(SRGB "sRGB( Encoded Rec\\.709 \\(sRGB\\))?")

# The scene the MEL line `import` made, against the one saved as `before`:
# undo gives the scene before, redo the scene after, and the scene after,
# reopened and saved, is saved the same.
function(expect_undo_redo_reopen import)
  host(undone -c "${import}" -c undo)
  expect_same(before undone)
  host(redone -c "${import}" -c undo -c redo)
  expect_same(after redone)
  execute_process(COMMAND ${EMULATOR} ${HOST} --scene ${WORK}/after.ma --save ${WORK}/reopened.ma
                  RESULT_VARIABLE status WORKING_DIRECTORY ${BIN} OUTPUT_QUIET ERROR_QUIET)
  expect_same(after reopened)
endfunction()
