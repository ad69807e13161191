# An edit of a mesh's construction history, then an export, in one mayahost
# session: the export must see the mesh as a session that opens the edited
# scene anew sees it.
# Variables: HOST (mayahost), EMULATOR (empty natively), PLUGIN (module file
# name), BIN (their folder), WORK (a folder of its own), SCENE, SHAPE (the
# mesh whose export record group is compared), EDITS (MEL statements
# separated by " && "), EXPECT (a pattern the group must show after the
# edits), UNCHANGED set: the group must be the one exported before the edits
# (otherwise it must differ from it).
set(EXCHANGE ${WORK}/exchange)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${EXCHANGE})
include(${CMAKE_CURRENT_LIST_DIR}/painter-registry.cmake)
point_painter_registry(${WORK} ${EXCHANGE})

function(run name)
  execute_process(COMMAND ${EMULATOR} ${ARGN} RESULT_VARIABLE status WORKING_DIRECTORY ${BIN}
                  OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0 OR err MATCHES "Error")
    message(FATAL_ERROR "${name}: exit ${status}\n${out}${err}")
  endif()
endfunction()

# The export record's group of SHAPE up to its world matrix, without its UUID
# (a scene that stores none gets new ones in each session).
function(exported_group name scene)
  run(${name} ${HOST} --scene ${scene} --plugin ${PLUGIN} ${ARGN} -c ExportAllOmbrixPlug)
  file(READ ${EXCHANGE}/Maya.obvrecord.json record)
  if(NOT record MATCHES "\"name\": \"${SHAPE}\",[^}]*\"points\": \"[0-9a-f]+\"")
    message(FATAL_ERROR "${name}: the export record has no group of ${SHAPE}:\n${record}")
  endif()
  string(REGEX REPLACE "\"uuid\": \"[^\"]*\"," "" group "${CMAKE_MATCH_0}")
  set(${name} "${group}" PARENT_SCOPE)
endfunction()

string(REPLACE " && " ";" statements "${EDITS}")
set(edits "")
foreach(statement IN LISTS statements)
  list(APPEND edits -c "${statement}")
endforeach()

exported_group(before ${SCENE})
exported_group(edited ${SCENE} ${edits})
run(save ${HOST} --scene ${SCENE} ${edits} --save ${WORK}/edited.ma)
exported_group(reopened ${WORK}/edited.ma)

if(NOT edited STREQUAL reopened)
  message(FATAL_ERROR "edited in the session:\n${edited}\nthe edited scene opened anew:\n${reopened}")
endif()
if(UNCHANGED AND NOT edited STREQUAL before)
  message(FATAL_ERROR "the export changed:\n${before}\n${edited}")
elseif(NOT UNCHANGED AND edited STREQUAL before)
  message(FATAL_ERROR "the export did not follow the edits:\n${edited}")
endif()
if(EXPECT AND NOT edited MATCHES "${EXPECT}")
  message(FATAL_ERROR "the export does not show ${EXPECT}:\n${edited}")
endif()
