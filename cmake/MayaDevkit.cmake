# A real Maya devkit in place of the host stand-in: -DMAYA_DEVKIT=<dir>, the
# folder that holds include/maya (and, in a full devkit, lib/ with OpenMaya
# and Foundation). The target OpenMaya then stands for the devkit's library,
# so the plug-in's targets link against it unchanged. With headers only (the
# public Linux devkit headers, say), compiling the plug-in's sources is the
# check; a module still links, its Maya symbols left for Maya to resolve.
if(NOT EXISTS ${MAYA_DEVKIT}/include/maya/MTypes.h)
  message(FATAL_ERROR "MAYA_DEVKIT=${MAYA_DEVKIT}: no include/maya/MTypes.h there")
endif()

add_library(OpenMaya INTERFACE)
# SYSTEM: the devkit's own headers are not held to the project's warning flags.
target_include_directories(OpenMaya SYSTEM INTERFACE ${MAYA_DEVKIT}/include)
target_compile_definitions(OpenMaya INTERFACE REQUIRE_IOSTREAM _BOOL)
if(WIN32)
  target_compile_definitions(OpenMaya INTERFACE NT_PLUGIN)
elseif(APPLE)
  target_compile_definitions(OpenMaya INTERFACE OSMac_ MAC_PLUGIN)
else()
  target_compile_definitions(OpenMaya INTERFACE LINUX)
endif()

foreach(lib OpenMaya Foundation)
  find_library(MAYA_${lib}_LIBRARY NAMES ${lib} PATHS ${MAYA_DEVKIT}/lib NO_DEFAULT_PATH)
  if(MAYA_${lib}_LIBRARY)
    target_link_libraries(OpenMaya INTERFACE ${MAYA_${lib}_LIBRARY})
  endif()
endforeach()
if(MAYA_OpenMaya_LIBRARY)
  message(STATUS "Maya devkit: ${MAYA_DEVKIT} (headers and libraries)")
else()
  message(STATUS "Maya devkit: ${MAYA_DEVKIT} (headers only: the plug-in's sources are compiled, not linked against Maya)")
endif()

# Sources written for the host stand-in that must compile against the devkit too.
add_library(DevkitCheck OBJECT ${PROJECT_SOURCE_DIR}/tests/integration/HostTestPlugin.cpp)
target_link_libraries(DevkitCheck PRIVATE OpenMaya)
ombrix_warnings(DevkitCheck)
