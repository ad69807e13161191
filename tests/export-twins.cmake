# Two files of one scene (SCENE and TWIN, e.g. its Maya ASCII and Maya Binary
# saves) exported headless in turn into the same exchange directory: the
# project files must be the same, byte for byte.
# Variables: those of SCRIPT (export-scene.cmake) but SCENE, and TWIN.
foreach(scene IN ITEMS ${SCENE} ${TWIN})
  execute_process(COMMAND ${CMAKE_COMMAND} "-DEMULATOR=${EMULATOR}" -DMAYAHOST=${MAYAHOST} -DOBVTOOL=${OBVTOOL}
                          -DMODULE=${MODULE} -DSCENE=${scene} -DWORK=${WORK} -P ${SCRIPT}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "export of ${scene} failed:\n${out}${err}")
  endif()
  file(SHA256 ${WORK}/Maya.obv digest)
  list(APPEND digests ${digest})
endforeach()
list(GET digests 0 first)
list(GET digests 1 second)
if(NOT first STREQUAL second)
  message(FATAL_ERROR "${SCENE} and ${TWIN} export different project files (${first}, ${second})")
endif()
