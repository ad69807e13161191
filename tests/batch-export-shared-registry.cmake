# mayahost --batch where every process reads the one registry of the user
# (Windows): asked for two jobs, it says it exports one scene at a time, each
# scene still gets its own folder, and the user's exchange directory is
# given back at the end.
# Variables: EMULATOR (the Windows build's runner), MAYAHOST, MODULE,
# SCENES (;-list), WORK (made here).
include(${CMAKE_CURRENT_LIST_DIR}/painter-registry.cmake)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/mine)
point_painter_registry(${WORK} ${WORK}/mine)
set(key "HKCU\\Software\\Halvera\\Ombrix Vael\\Directories")

execute_process(COMMAND ${EMULATOR} ${MAYAHOST} --batch ${SCENES} --out ${WORK}/out --jobs 2 --plugin ${MODULE}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "mayahost --batch: exit ${status}\n${out}${err}")
endif()
if(NOT err MATCHES "so the batch exports one scene at a time")
  message(FATAL_ERROR "the batch does not say it runs one scene at a time:\n${err}")
endif()
file(READ ${WORK}/out/summary.json summary)
list(LENGTH SCENES total)
string(JSON exported GET "${summary}" exported)
if(NOT exported EQUAL total)
  message(FATAL_ERROR "${exported} of ${total} scenes exported:\n${summary}\n${err}")
endif()
foreach(scene IN LISTS SCENES)
  get_filename_component(name ${scene} NAME_WE)
  if(NOT EXISTS ${WORK}/out/${name}/Maya.obv)
    message(FATAL_ERROR "${name}: no project file in its folder\n${summary}")
  endif()
endforeach()
file(GLOB left ${WORK}/mine/*)
if(left)
  message(FATAL_ERROR "the batch wrote into the user's exchange directory: ${left}")
endif()
execute_process(COMMAND ${EMULATOR} reg query "${key}" /v "Temp Directory" OUTPUT_VARIABLE now ERROR_VARIABLE err)
string(REPLACE "/" "\\\\" mine "Z:${WORK}/mine")
if(NOT now MATCHES "${mine}")
  message(FATAL_ERROR "the exchange directory was not given back: ${now}${err}")
endif()
