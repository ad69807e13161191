# obvtool painter and doctor against the painter stand-in, under Wine:
# status (none), launch, status, autoload, close, status (none again).
# Variables: EMULATOR (the wine runner), TOOL (obvtool.exe), BIN (its folder).
# Output goes through files: a painter started by the tool inherits the
# tool's output under Wine, and a pipe would stay open until it exits.
function(run expected)
  execute_process(COMMAND ${EMULATOR} ${TOOL} ${ARGN} RESULT_VARIABLE status
                  OUTPUT_FILE painter-cycle.out ERROR_FILE painter-cycle.err)
  file(READ painter-cycle.out out)
  file(READ painter-cycle.err err)
  if(NOT status EQUAL expected)
    message(FATAL_ERROR "obvtool ${ARGN}: exit ${status}, expected ${expected}\n${out}${err}")
  endif()
  message(STATUS "obvtool ${ARGN}: exit ${status}: ${out}${err}")
endfunction()

include(${CMAKE_CURRENT_LIST_DIR}/../tests/painter-registry.cmake)
point_painter_registry(${BIN} ${BIN} ${BIN})
# Whatever an earlier run left behind goes first.
execute_process(COMMAND ${EMULATOR} ${TOOL} painter close OUTPUT_QUIET ERROR_QUIET)
execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 1)
run(1 painter close)
run(1 painter status)
run(0 painter launch)
run(0 painter status)
run(0 doctor)
run(0 painter autoload --token 5)
run(0 painter close)
# The stand-in leaves once it has handled CloseMe.
foreach(attempt RANGE 50)
  execute_process(COMMAND ${EMULATOR} ${TOOL} painter status RESULT_VARIABLE status
                  OUTPUT_FILE painter-cycle.out ERROR_FILE painter-cycle.err)
  if(status EQUAL 1)
    return()
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 0.2)
endforeach()
message(FATAL_ERROR "the painter stand-in did not leave after CloseMe")
