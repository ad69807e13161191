# Runs TOOL with ARGS (a ;-list) and checks its exit status is EXPECT; with a
# crosscompiling emulator the tool runs through it.
set(command ${TOOL} ${ARGS})
if(CMAKE_CROSSCOMPILING_EMULATOR)
  set(command ${CMAKE_CROSSCOMPILING_EMULATOR} ${command})
endif()
execute_process(COMMAND ${command} RESULT_VARIABLE status ERROR_VARIABLE errors OUTPUT_QUIET)
if(NOT status EQUAL EXPECT)
  message(FATAL_ERROR "exit status ${status}, expected ${EXPECT}: ${errors}")
endif()
if(EXPECT EQUAL 1 AND NOT errors MATCHES "^obvtool: [^\n]+: [^\n]+\n$")
  message(FATAL_ERROR "expected one line 'obvtool: FILE: reason', got: ${errors}")
endif()
