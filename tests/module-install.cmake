# Installs the build as a Maya module into WORK/install, then runs a copy of
# mayahost that has no scripts of its own beside it, with MAYA_MODULE_PATH
# naming the installation: the plug-in and its menu script must both come
# from the module. -DBUILD -DWORK -DMAYAHOST -DOPENMAYA -DSUFFIX [-DEMULATOR]
# The .mod file gets one line per Maya version: an older unversioned line
# and another version's line already there, the install replaces the first
# and keeps the second (with its settings); a second install changes nothing.
# -DMAYA_VERSION (the host's) -DPLATFORM (linux or win64)
file(REMOVE_RECURSE ${WORK})
file(WRITE ${WORK}/install/OmbrixBridge.mod
     "+ OmbrixBridge 1.25 ./OmbrixBridge\n+ MAYAVERSION:2019 PLATFORM:${PLATFORM} OmbrixBridge 1.25 ./OmbrixBridge/2019\n"
     "MAYA_SCRIPT_PATH+:=extra\n")
foreach(round 1 2)
  execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${WORK}/install
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed:\n${out}")
  endif()
endforeach()
set(version_dir OmbrixBridge/${MAYA_VERSION})
foreach(f OmbrixBridge.mod ${version_dir}/plug-ins/ObvTester2${SUFFIX} ${version_dir}/scripts/OmbrixVael.mel)
  if(NOT EXISTS ${WORK}/install/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
file(READ ${WORK}/install/OmbrixBridge.mod mod)
string(CONCAT expected "+ MAYAVERSION:2019 PLATFORM:${PLATFORM} OmbrixBridge 1.25 ./OmbrixBridge/2019\nMAYA_SCRIPT_PATH+:=extra\n"
             "+ MAYAVERSION:${MAYA_VERSION} PLATFORM:${PLATFORM} OmbrixBridge 1.25 ./${version_dir}\n")
if(NOT mod STREQUAL expected)
  message(FATAL_ERROR "OmbrixBridge.mod reads:\n${mod}\nexpected:\n${expected}")
endif()
# The 2019 line's folder holds a module file that is no plug-in: mayahost,
# standing for Maya ${MAYA_VERSION}, must pass that line over.
file(WRITE ${WORK}/install/OmbrixBridge/2019/plug-ins/ObvTester2${SUFFIX} "not a module")

# A broken description file beside it costs a warning, not the module.
file(WRITE ${WORK}/install/Broken.mod "MAYA_SCRIPT_PATH+:=nowhere\n+ OnlyAName\n")

include(${CMAKE_CURRENT_LIST_DIR}/bare-host.cmake)
copy_bare_host(${WORK}/host run)
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
