# mayahost --stats-file: the scene's JSON alone in its file, whatever the commands print.
execute_process(COMMAND ${EMULATOR} ${MAYAHOST} --scene ${SCENE} --accept-loss -c "print \"noise on stdout\\n\""
                        --stats-file ${OUT} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "mayahost: exit ${status}\n${out}${err}")
endif()
file(READ ${OUT} stats)
# The JSON alone in the file, the command's line still on stdout.
if(NOT stats MATCHES "^{\"meshes\":\\[{\"name\":\"gridShape\".*\"refused\":{\"total\":4,\"geometry\":4},\"approximated\":0,\"format\":\"mayaAscii\"}\n$"
   OR NOT out MATCHES "noise on stdout")
  message(FATAL_ERROR "the statistics file holds:\n${stats}\nstdout:\n${out}")
endif()
