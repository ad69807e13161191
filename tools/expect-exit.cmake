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
# PATTERN: what the one error line must look like (obvtool's form by default).
if(NOT DEFINED PATTERN)
  set(PATTERN "^obvtool: [^\n]+: [^\n]+\n$")
endif()
if(EXPECT EQUAL 1 AND NOT errors MATCHES "${PATTERN}")
  message(FATAL_ERROR "expected one error line matching ${PATTERN}, got: ${errors}")
endif()
