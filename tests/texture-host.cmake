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

# The saved scene without its comment lines (file name and date).
function(scene_text name var)
  file(STRINGS ${WORK}/${name}.ma lines ENCODING UTF-8)
  list(FILTER lines EXCLUDE REGEX "^//")
  set(${var} "${lines}" PARENT_SCOPE)
endfunction()

function(expect_same a b)
  scene_text(${a} text_a)
  scene_text(${b} text_b)
  if(NOT text_a STREQUAL text_b)
    message(FATAL_ERROR "${a}.ma and ${b}.ma differ")
  endif()
endfunction()
