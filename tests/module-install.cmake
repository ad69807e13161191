# Installs the build as a Maya module into WORK/install, then runs a copy of
# mayahost that has no scripts of its own beside it, with MAYA_MODULE_PATH
# naming the installation: the plug-in and its menu script must both come
# from the module. -DBUILD -DWORK -DMAYAHOST -DOPENMAYA -DSUFFIX [-DEMULATOR]
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${WORK}/install
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed:\n${out}")
endif()
foreach(f OmbrixBridge.mod OmbrixBridge/plug-ins/ObvTester2${SUFFIX} OmbrixBridge/scripts/OmbrixVael.mel)
  if(NOT EXISTS ${WORK}/install/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
file(READ ${WORK}/install/OmbrixBridge.mod mod)
if(NOT mod STREQUAL "+ OmbrixBridge 1.25 ./OmbrixBridge\n")
  message(FATAL_ERROR "OmbrixBridge.mod reads: ${mod}")
endif()

# A broken description file beside it costs a warning, not the module.
file(WRITE ${WORK}/install/Broken.mod "MAYA_SCRIPT_PATH+:=nowhere\n+ OnlyAName\n")

file(COPY ${MAYAHOST} ${OPENMAYA} DESTINATION ${WORK}/host)
get_filename_component(host_name ${MAYAHOST} NAME)
set(run ${WORK}/host/${host_name})
if(EMULATOR)
  set(run ${EMULATOR} ${run})
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env MAYA_MODULE_PATH=${WORK}/install
                        ${run} --interactive --plugin ObvTester2 -c "menu -exists OmbrixVaelMenu"
                WORKING_DIRECTORY ${WORK} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out MATCHES "// Result: 1 //"
   OR NOT err MATCHES "Broken.mod:1: a setting before the first module line"
   OR NOT err MATCHES "Broken.mod:2: a module line needs a name, a version and a path")
  message(FATAL_ERROR "mayahost with the installed module (exit ${rc}):\n${out}\n${err}")
endif()
# Without the module path neither the plug-in nor the script is found.
execute_process(COMMAND ${run} --plugin ObvTester2 WORKING_DIRECTORY ${WORK}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(rc EQUAL 0)
  message(FATAL_ERROR "mayahost loaded ObvTester2 without MAYA_MODULE_PATH:\n${out}\n${err}")
endif()
message(STATUS "installed module loaded: ${out}")
