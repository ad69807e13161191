# A scene exported headless through mayahost and the plug-in module, then the
# project file read back with obvtool.
# Variables: EMULATOR (the Windows build's runner, empty natively), MAYAHOST,
# OBVTOOL, MODULE, SCENE, WORK (the exchange directory, made here),
# COMMANDS (;-list of MEL lines, default ExportAllOmbrixPlug), SELECT
# (;-list), EXPECT (regular expression on `obvtool info --json`), OUTPUT
# (regular expression on mayahost's output), REAL (1: check one group per
# non-intermediate mesh or NURBS surface and one material per shader, and
# as many record groups), RECORD (regular expression on the export record
# as `obvtool info --json` shows it).
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
if(EMULATOR)
  include(${CMAKE_CURRENT_LIST_DIR}/painter-registry.cmake)
  point_painter_registry(${WORK} ${WORK} ${WORK})
else()
  set(ENV{OMBRIX_REGISTRY} ${WORK}/registry)
  file(WRITE ${WORK}/registry "Software\\Halvera\\Ombrix Vael\\Directories\tTemp Directory\t${WORK}\n"
                              "Software\\Halvera\\Ombrix Vael\\Directories\tBase Directory\t${WORK}\n")
endif()

if(NOT COMMANDS)
  set(COMMANDS ExportAllOmbrixPlug)
endif()
set(args --scene ${SCENE})
foreach(name IN LISTS SELECT)
  list(APPEND args --select ${name})
endforeach()
list(APPEND args --plugin ${MODULE})
foreach(command IN LISTS COMMANDS)
  list(APPEND args -c ${command})
endforeach()
execute_process(COMMAND ${EMULATOR} ${MAYAHOST} ${args} RESULT_VARIABLE status
                OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "mayahost ${args}: exit ${status}\n${out}${err}")
endif()
# mayahost runs as batch Maya: loading the module, exporting and unloading it
# print no error there.
if(err MATCHES "Error")
  message(FATAL_ERROR "mayahost ${args} printed an error:\n${err}")
endif()
if(OUTPUT AND NOT "${out}${err}" MATCHES "${OUTPUT}")
  message(FATAL_ERROR "mayahost output does not match ${OUTPUT}:\n${out}${err}")
endif()

file(READ ${WORK}/OBVLLOG/2500946208.log log)
if(NOT log MATCHES "^Maya.obv\r?\n$")
  message(FATAL_ERROR "log file holds: ${log}")
endif()
execute_process(COMMAND ${EMULATOR} ${OBVTOOL} info ${WORK}/Maya.obv --json RESULT_VARIABLE status
                OUTPUT_VARIABLE info ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT info MATCHES "\"verified\":true")
  message(FATAL_ERROR "obvtool info: exit ${status}\n${info}${err}")
endif()
if(EXPECT AND NOT info MATCHES "${EXPECT}")
  message(FATAL_ERROR "project file does not match ${EXPECT}:\n${info}")
endif()
execute_process(COMMAND ${EMULATOR} ${OBVTOOL} info ${WORK}/Maya.obvrecord.json --json RESULT_VARIABLE status
                OUTPUT_VARIABLE record ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "obvtool info on the export record: exit ${status}\n${record}${err}")
endif()
if(RECORD AND NOT record MATCHES "${RECORD}")
  message(FATAL_ERROR "export record does not match ${RECORD}:\n${record}")
endif()
# The project's info shows each group's digests as the record keeps them.
execute_process(COMMAND ${EMULATOR} ${OBVTOOL} info ${WORK}/Maya.obv RESULT_VARIABLE status
                OUTPUT_VARIABLE text ERROR_VARIABLE err)
string(REGEX MATCHALL "\"topology\":\"[0-9a-f]+\",\"points\":\"[0-9a-f]+\"" digests "${record}")
if(NOT status EQUAL 0 OR (record MATCHES "\"dagPath\":" AND NOT digests))
  message(FATAL_ERROR "obvtool info: exit ${status}, recorded digests: ${digests}\n${text}${err}")
endif()
foreach(digest IN LISTS digests)
  string(REGEX REPLACE "\"topology\":\"([0-9a-f]+)\",\"points\":\"([0-9a-f]+)\"" "topology \\1, points \\2"
         shown "${digest}")
  string(FIND "${text}" "${shown}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "obvtool info does not show \"${shown}\":\n${text}")
  endif()
endforeach()

if(REAL)
  execute_process(COMMAND ${EMULATOR} ${MAYAHOST} --scene ${SCENE} --stats OUTPUT_VARIABLE stats ERROR_QUIET)
  string(REGEX MATCHALL "\"intermediate\":false" meshes "${stats}")
  string(REGEX MATCHALL "\"cvs\":" surfaces "${stats}")
  string(REGEX MATCHALL "\"surfaceShader\":\"[^\"]+\"" shaders "${stats}")
  list(REMOVE_DUPLICATES shaders)
  list(LENGTH meshes mesh_count)
  list(LENGTH surfaces surface_count)
  list(LENGTH shaders shader_count)
  math(EXPR shape_count "${mesh_count} + ${surface_count}")
  string(REGEX MATCHALL "\"triangles\":" groups "${info}")
  string(REGEX MATCHALL "\"maps\":" materials "${info}")
  list(LENGTH groups group_count)
  math(EXPR group_count "${group_count} - 1")  # the last one is the model's total
  list(LENGTH materials material_count)
  string(REGEX MATCHALL "\"dagPath\":" recorded "${record}")
  list(LENGTH recorded recorded_count)
  if(NOT group_count EQUAL shape_count OR NOT material_count EQUAL shader_count
     OR NOT recorded_count EQUAL group_count)
    message(FATAL_ERROR "${group_count} groups (${recorded_count} recorded) for ${shape_count} shapes, ${material_count} materials "
                        "for ${shader_count} shaders:\n${info}")
  endif()
endif()
message(STATUS "${info}")
