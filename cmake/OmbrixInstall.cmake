# The Maya module layout: cmake --install <build> --prefix <dir> gives
#   <dir>/OmbrixBridge.mod
#   <dir>/OmbrixBridge/<maya version>/plug-ins/ObvTester2.mll (.so on Linux)
#   <dir>/OmbrixBridge/<maya version>/scripts/OmbrixVael.mel
# so <dir> on MAYA_MODULE_PATH is the whole installation. The .mod file gets
# one line per Maya version and platform ("+ MAYAVERSION:2024 PLATFORM:win64
# OmbrixBridge 1.25 ./OmbrixBridge/2024"): installing the build of another
# Maya version into the same <dir> adds its line and keeps the others, so
# each Maya finds the plug-in built for it.
set(OMBRIX_MODULE_NAME OmbrixBridge)
set(OMBRIX_MODULE_VERSION 1.25)  # the version the plug-in registers with

# The Maya version the plug-in is built for: the devkit's (MAYA_API_VERSION
# 20240000 is 2024; before 2018 201600 is 2016), else the host's.
set(ombrix_maya_version ${OMBRIX_HOST_MAYA_VERSION})
if(MAYA_DEVKIT)
  file(STRINGS ${MAYA_DEVKIT}/include/maya/MTypes.h api_line REGEX "^#define[ \t]+MAYA_API_VERSION[ \t]+[0-9]+")
  string(REGEX REPLACE ".*MAYA_API_VERSION[ \t]+([0-9]+).*" "\\1" api "${api_line}")
  if(api MATCHES "^20[0-9][0-9]")
    string(SUBSTRING "${api}" 0 4 ombrix_maya_version)
  else()
    message(FATAL_ERROR "MAYA_DEVKIT=${MAYA_DEVKIT}: no Maya version in MTypes.h's MAYA_API_VERSION (${api})")
  endif()
endif()
set(OMBRIX_MAYA_VERSION ${ombrix_maya_version} CACHE STRING "The Maya version the module is installed for" FORCE)
if(WIN32)
  set(ombrix_platform win64)
elseif(APPLE)
  set(ombrix_platform mac)
else()
  set(ombrix_platform linux)
endif()

set(ombrix_module_dir ${OMBRIX_MODULE_NAME}/${OMBRIX_MAYA_VERSION})
install(TARGETS ObvTester2
        LIBRARY DESTINATION ${ombrix_module_dir}/plug-ins
        RUNTIME DESTINATION ${ombrix_module_dir}/plug-ins)
install(FILES ${PROJECT_SOURCE_DIR}/tools/mel/OmbrixVael.mel DESTINATION ${ombrix_module_dir}/scripts)
# The .mod file's line for this version, merged into what the folder holds.
# A path relative to the .mod file, so the installed folder can be moved as a whole.
set(OMBRIX_MODULE_LINE
    "+ MAYAVERSION:${OMBRIX_MAYA_VERSION} PLATFORM:${ombrix_platform} ${OMBRIX_MODULE_NAME} ${OMBRIX_MODULE_VERSION} ./${ombrix_module_dir}")
install(CODE "set(OMBRIX_MOD_FILE \"\${CMAKE_INSTALL_PREFIX}/${OMBRIX_MODULE_NAME}.mod\")
set(OMBRIX_MODULE_NAME \"${OMBRIX_MODULE_NAME}\")
set(OMBRIX_MODULE_LINE \"${OMBRIX_MODULE_LINE}\")")
install(SCRIPT ${PROJECT_SOURCE_DIR}/cmake/merge-module-file.cmake)
