# The UV round trip through mayahost and obvtool: export the whole scene,
# make maya.cor from the project file with shifted UVs, import them onto the
# selection and export again in that session, save, load the saved scene and
# export once more. The last project file must carry exactly the
# correspondence file's UVs on the meshes that were selected and the first
# export's UVs everywhere else, and the export in the import's session the
# same.
# Variables: HOST (mayahost), TOOL (obvtool), EMULATOR (empty natively),
# PLUGIN (module file name), BIN (their folder), WORK (a folder of its own),
# SCENE, SELECT (MEL selecting the meshes to import onto), NEW (how many
# leading triangles of the export are on the selected meshes: ALL for all),
# METHOD (a pattern the import's output must show); PAINTER set (Windows):
# the painter stand-in writes maya.cor itself after AutoLoadOmbrix's LoadMe.
# PREPARE: MEL run on the scene (saved again) before anything else, such as
# "delete -ch". MODE undo: the import is undone in the same session, so the
# second export must equal the first and the scene hold the same nodes;
# MODE redo: undone and redone, as if imported once. EXPORT_SELECTION set: both exports
# are of the selection only. MODE unload: only
# unloadPlugin after the import, before and after flushUndo. NO_TWEAK set: the saved
# scene must hold no polyTweakUV node. UV: obvtool's --uv choice for maya.cor
# ("shift;0.25;0.5" when not given). UV_COUNT set: `polyEvaluate -uvcoord` on
# the selection after the import must answer it (UVs shared as the painter
# shares them). MOVE_ONLY set: the saved scene must hold no polyMapDel node.
# COUNT_ONLY set: the UVs are not compared with maya.cor's (a planar layout
# is rounded on its way through the project file).
# EXCHANGE_NAME: the exchange directory's name in WORK ("exchange" when not
# given); obvtool reads and writes copies beside it, so that only the
# module's own file calls meet the name.
# The artist's work between the export and the import: BETWEEN is MEL run
# in the import's session before the import, statements separated by " && ";
# RESTORE is MEL run before the later exports (putting back what BETWEEN
# changed, so that they can be compared). WARNING: a
# pattern the import's output must also show. EXPORT_FLAGS: appended to the
# export commands ("-uvSet map1"). UNTOUCHED_SET: a UV set exported by name
# before and after the import, which must not differ. RECORD "remove" or
# "damage": the export record is deleted or garbled before the import.
# IMPORT: the import command ("UVImportOmbrix" when not given).
# EXPORT_SETUP: MEL run before each export of the round trip, in its session. OUTPUT_ONLY
# set: only the import's output is checked.
if(NOT EXCHANGE_NAME)
  set(EXCHANGE_NAME exchange)
endif()
set(EXCHANGE ${WORK}/${EXCHANGE_NAME})
set(export -c "ExportAllOmbrixPlug ${EXPORT_FLAGS}")
if(EXPORT_SELECTION)
  set(export -c "${SELECT}" -c "ExportSelOmbrixPlug ${EXPORT_FLAGS}")
endif()
if(EXPORT_SETUP)
  list(INSERT export 0 -c "${EXPORT_SETUP}")
endif()
if(NOT IMPORT)
  set(IMPORT UVImportOmbrix)
endif()
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${EXCHANGE})
# SCENE_FOLDER: the scene is opened from a copy in that folder of WORK.
if(SCENE_FOLDER)
  get_filename_component(scene_name ${SCENE} NAME)
  file(COPY ${SCENE} DESTINATION "${WORK}/${SCENE_FOLDER}")
  set(SCENE "${WORK}/${SCENE_FOLDER}/${scene_name}")
endif()

include(${CMAKE_CURRENT_LIST_DIR}/painter-registry.cmake)
point_painter_registry(${WORK} ${EXCHANGE} ${BIN})

function(run name)
  execute_process(COMMAND ${EMULATOR} ${ARGN} RESULT_VARIABLE status WORKING_DIRECTORY ${BIN}
                  OUTPUT_FILE ${WORK}/${name}.out ERROR_FILE ${WORK}/${name}.err)
  file(READ ${WORK}/${name}.out out)
  file(READ ${WORK}/${name}.err err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${name}: exit ${status}\n${out}${err}")
  endif()
  set(output "${out}${err}" PARENT_SCOPE)
endfunction()

if(PREPARE)
  run(prepare ${HOST} --scene ${SCENE} -c "${PREPARE}" --save ${WORK}/prepared.ma)
  set(SCENE ${WORK}/prepared.ma)
endif()

if(PAINTER)
  # The stand-in, started by AutoLoadOmbrix, writes maya.cor on LoadMe.
  set(ENV{OMBVAEL_ARGS} "--write-cor shift:0.25:0.5 --journal ${WORK}/painter.journal")
  execute_process(COMMAND ${EMULATOR} ${TOOL} painter close OUTPUT_QUIET ERROR_QUIET)
  run(export1 ${HOST} --scene ${SCENE} --plugin ${PLUGIN} -c ExportAllOmbrixPlug -c AutoLoadOmbrix)
  foreach(attempt RANGE 100)
    if(EXISTS ${EXCHANGE}/maya.cor)
      break()
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 0.2)
  endforeach()
  execute_process(COMMAND ${EMULATOR} ${TOOL} painter close OUTPUT_QUIET ERROR_QUIET)
  if(NOT EXISTS ${EXCHANGE}/maya.cor)
    message(FATAL_ERROR "the painter stand-in wrote no maya.cor; see ${WORK}/painter.journal")
  endif()
  file(RENAME ${EXCHANGE}/Maya.obv ${WORK}/first.obv)
else()
  run(export1 ${HOST} --scene ${SCENE} --plugin ${PLUGIN} ${export})
  file(RENAME ${EXCHANGE}/Maya.obv ${WORK}/first.obv)
  if(NOT UV)
    set(UV shift 0.25 0.5)
  endif()
  run(cor ${TOOL} cor ${WORK}/first.obv ${WORK}/maya.cor --uv ${UV})
  file(RENAME ${WORK}/maya.cor ${EXCHANGE}/maya.cor)
endif()
run(same ${TOOL} cor ${WORK}/first.obv ${WORK}/same.cor)
# The project file of one UV set, read back as correspondence records (hex).
function(set_export scene set out)
  run(export_${set} ${HOST} --scene ${scene} --plugin ${PLUGIN} -c "ExportAllOmbrixPlug -uvSet ${set}")
  run(cor_${set} ${TOOL} cor ${EXCHANGE}/Maya.obv ${WORK}/${set}.cor)
  file(READ ${WORK}/${set}.cor records HEX)
  set(${out} "${records}" PARENT_SCOPE)
endfunction()
if(UNTOUCHED_SET)
  set_export(${SCENE} ${UNTOUCHED_SET} untouched_before)
  # Its record must not be the one the import reads.
  run(export_again ${HOST} --scene ${SCENE} --plugin ${PLUGIN} ${export})
endif()
set(between "")
string(REPLACE " && " ";" statements "${BETWEEN}")
foreach(statement IN LISTS statements)
  list(APPEND between -c "${statement}")
endforeach()
if(RECORD STREQUAL "remove")
  file(REMOVE ${EXCHANGE}/Maya.obvrecord.json)
elseif(RECORD STREQUAL "damage")
  file(WRITE ${EXCHANGE}/Maya.obvrecord.json "{\"format\": \"Ombrix export record\", \"version\": 1, \"groups\": [")
endif()
set(steps ${between} -c "${SELECT}" -c "${IMPORT}")
if(EXPORTED)
  # Onto the meshes of the last export, found through its record after SELECT
  # (which then renames rather than selects): no selection.
  set(steps ${between} -c "${SELECT}" -c "select -cl" -c "${IMPORT} -exported")
endif()
if(MODE STREQUAL "unload")
  # unloadPlugin is refused while the import is on the undo queue, and
  # succeeds once the queue is flushed; the commands are gone after it.
  execute_process(COMMAND ${EMULATOR} ${HOST} --scene ${SCENE} --plugin ${PLUGIN} ${steps}
                          -c "unloadPlugin ObvTester2" -c flushUndo -c "unloadPlugin ObvTester2" -c UVImportOmbrix
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err WORKING_DIRECTORY ${BIN})
  if(NOT err MATCHES "unloadPlugin: ObvTester2 cannot be unloaded: the undo queue holds its commands; run flushUndo first"
     OR NOT out MATCHES "// Result: ObvTester2 //" OR NOT err MATCHES "Cannot find procedure \"UVImportOmbrix\""
     OR status EQUAL 0)
    message(FATAL_ERROR "unloadPlugin with the import on the undo queue (exit ${status}):\n${out}${err}")
  endif()
  return()
endif()
if(MODE STREQUAL "undo")
  # An export between the import and the undo leaves nothing on the queue.
  set(steps ${between} -c "${SELECT}" -c ls -c UVImportOmbrix -c ExportAllOmbrixPlug -c "undoInfo -q -undoName"
            -c undo -c ls)
elseif(MODE STREQUAL "redo")
  set(steps ${steps} -c undo -c redo -c "undoInfo -q -undoName")
endif()
if(UV_COUNT)
  list(APPEND steps -c "polyEvaluate -uvcoord")
endif()
set(restore "")
if(RESTORE)
  set(restore -c "${RESTORE}")
endif()
# The meshes as the import (or its undo) left them, exported in its session.
if(NOT OUTPUT_ONLY)
  list(APPEND steps ${restore} ${export})
endif()
run(import ${HOST} --scene ${SCENE} --plugin ${PLUGIN} ${steps} --save ${WORK}/imported.ma)
if(NOT OUTPUT_ONLY)
  file(RENAME ${EXCHANGE}/Maya.obv ${WORK}/in_session.obv)
endif()
if(UV_COUNT AND NOT output MATCHES "// Result: ${UV_COUNT} //")
  message(FATAL_ERROR "the selection does not hold ${UV_COUNT} UVs after the import:\n${output}")
endif()
# For scripts the import answers the polygons it gave new UVs.
if(METHOD MATCHES "Polygons affected: ([0-9]+)")
  set(affected ${CMAKE_MATCH_1})
  if(NOT output MATCHES "// Result: ${affected} //")
    message(FATAL_ERROR "the import does not answer ${affected} polygons:\n${output}")
  endif()
endif()
if(MODE)
  # The import is on the undo queue under its own name, and undo takes it back.
  if(NOT output MATCHES "// Result: UVImportOmbrix //" OR NOT output MATCHES "Undo: UVImportOmbrix")
    message(FATAL_ERROR "the import was not undone as a command of its own:\n${output}")
  endif()
endif()
if(MODE STREQUAL "undo")
  # The two answers of ls (the commands between answer results of their own).
  string(REGEX MATCHALL "// Result: persp [^\n]* //" listed "${output}")
  list(GET listed 0 nodes_before)
  list(GET listed -1 nodes_after)
  if(NOT nodes_before STREQUAL nodes_after)
    message(FATAL_ERROR "undo left other nodes than were there:\n${nodes_before}\n${nodes_after}")
  endif()
  set(NEW 0)
endif()
function(forbid_node type)
  file(READ ${WORK}/imported.ma saved_scene)
  if(saved_scene MATCHES "${type}")
    message(FATAL_ERROR "the saved scene holds a ${type} node; see ${WORK}/imported.ma")
  endif()
endfunction()
if(NO_TWEAK)
  forbid_node(polyTweakUV)
endif()
if(MOVE_ONLY)
  forbid_node(polyMapDel)
endif()
if(NOT output MATCHES "${METHOD}")
  message(FATAL_ERROR "the import's output does not show '${METHOD}':\n${output}")
endif()
if(NOT output MATCHES "Finished Importing UV's")
  message(FATAL_ERROR "the import did not finish:\n${output}")
endif()
# As batch Maya: no wait cursor and no menu, so no error.
if(output MATCHES "Error")
  message(FATAL_ERROR "the import printed an error:\n${output}")
endif()
if(WARNING AND NOT output MATCHES "${WARNING}")
  message(FATAL_ERROR "the import's output does not show '${WARNING}':\n${output}")
endif()
message(STATUS "${output}")
if(OUTPUT_ONLY)
  return()
endif()
if(UNTOUCHED_SET)
  set_export(${WORK}/imported.ma ${UNTOUCHED_SET} untouched_after)
  if(NOT untouched_after STREQUAL untouched_before)
    message(FATAL_ERROR "the import changed the UV set ${UNTOUCHED_SET}; see ${WORK}")
  endif()
endif()
run(export2 ${HOST} --scene ${WORK}/imported.ma --plugin ${PLUGIN} ${restore} ${export})
file(RENAME ${EXCHANGE}/Maya.obv ${WORK}/second.obv)
run(second ${TOOL} cor ${WORK}/second.obv ${WORK}/second.cor)
run(in_session ${TOOL} cor ${WORK}/in_session.obv ${WORK}/in_session.cor)
file(READ ${WORK}/second.cor second HEX)
file(READ ${WORK}/in_session.cor in_session HEX)
if(NOT in_session STREQUAL second)
  message(FATAL_ERROR "the export in the import's session differs from the export of the saved scene; see ${WORK}")
endif()

if(COUNT_ONLY)
  return()
endif()
# Expected: the header, then for each of the first NEW triangles the first
# record of maya.cor with its three corner positions (meshes that lie on
# each other take the UVs of the first of them, as the import does), and for
# the rest the unchanged export's record. A record is 60 bytes (120 hex
# digits) after 8 bytes of header; corner c's x y z are its bytes 20c..20c+11.
file(READ ${EXCHANGE}/maya.cor shifted HEX)
file(READ ${WORK}/same.cor same HEX)
file(READ ${WORK}/second.cor second HEX)
string(LENGTH "${same}" digits)
math(EXPR count "(${digits} - 16) / 120")
if(NEW STREQUAL "ALL")
  set(NEW ${count})
endif()
function(record_at text index out_record out_key)
  math(EXPR at "16 + ${index} * 120")
  string(SUBSTRING "${text}" ${at} 120 record)
  string(SUBSTRING "${record}" 0 24 k0)
  string(SUBSTRING "${record}" 40 24 k1)
  string(SUBSTRING "${record}" 80 24 k2)
  set(${out_record} "${record}" PARENT_SCOPE)
  set(${out_key} "${k0}${k1}${k2}" PARENT_SCOPE)
endfunction()
set(keys "")
set(records "")
if(count GREATER 0)
  math(EXPR last "${count} - 1")
  foreach(i RANGE ${last})
    record_at("${shifted}" ${i} record key)
    list(APPEND keys "${key}")
    list(APPEND records "${record}")
  endforeach()
endif()
string(SUBSTRING "${shifted}" 0 16 expected)
if(count GREATER 0)
  foreach(i RANGE ${last})
    if(i LESS NEW)
      list(GET keys ${i} key)
      list(FIND keys "${key}" first)
      list(GET records ${first} record)
    else()
      record_at("${same}" ${i} record key)
    endif()
    string(APPEND expected "${record}")
  endforeach()
endif()
if(NOT second STREQUAL expected)
  string(LENGTH "${second}" a)
  string(LENGTH "${expected}" b)
  message(FATAL_ERROR "the second export's UVs differ from the correspondence file's "
                      "(${a} against ${b} hex digits); see ${WORK}")
endif()
if(second STREQUAL same AND NOT MODE STREQUAL "undo" AND NOT NEW EQUAL 0)
  message(FATAL_ERROR "the second export is the first one: nothing was imported")
endif()
