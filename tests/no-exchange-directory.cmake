# The painter never installed for this user: the registry names no exchange
# directory, so the exchange files are looked for at their default paths, and
# each line that names such a path also says why it is the default one.
# Runs mayahost with ARGS (a ;-list) in WORK; its errors must match each of
# PATTERNS (a ;-list). -DWORK -DMAYAHOST -DARGS -DPATTERNS [-DEMULATOR]
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
if(EMULATOR)
  execute_process(COMMAND ${EMULATOR} reg delete "HKCU\\Software\\Halvera\\Ombrix Vael\\Directories"
                  /v "Temp Directory" /f OUTPUT_QUIET ERROR_QUIET)
else()
  set(ENV{OMBRIX_REGISTRY} ${WORK}/registry)
  file(WRITE ${WORK}/registry "")
endif()
execute_process(COMMAND ${EMULATOR} ${MAYAHOST} ${ARGS} WORKING_DIRECTORY ${WORK}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
foreach(pattern IN LISTS PATTERNS)
  if(NOT err MATCHES "${pattern}")
    message(FATAL_ERROR "mayahost ${ARGS} (exit ${rc}): its errors do not match ${pattern}:\n${err}")
  endif()
endforeach()
