# nlohmann-json, the header-only JSON library. Debian ships it in
# nlohmann-json3-dev (/usr/include/nlohmann); any other build (MSVC against a
# Maya devkit, say) names the folder holding nlohmann/json.hpp with
# -DNLOHMANN_JSON_INCLUDE_DIR=... The headers are the same on every platform,
# so a cross build looks for them on the build machine too. Only the nlohmann
# folder is copied into the build tree and put on the include path: a cross
# build must not see the build machine's other system headers.
find_path(NLOHMANN_JSON_INCLUDE_DIR nlohmann/json.hpp
  NO_CMAKE_FIND_ROOT_PATH
  DOC "Folder holding nlohmann/json.hpp")
if(NOT NLOHMANN_JSON_INCLUDE_DIR)
  message(FATAL_ERROR "nlohmann/json.hpp was not found: install Debian's nlohmann-json3-dev "
                      "(apt-get install nlohmann-json3-dev), or give "
                      "-DNLOHMANN_JSON_INCLUDE_DIR=<folder holding nlohmann/json.hpp>")
endif()
set(OMBRIX_JSON_STAGING ${CMAKE_BINARY_DIR}/staging/json-include)
file(COPY ${NLOHMANN_JSON_INCLUDE_DIR}/nlohmann DESTINATION ${OMBRIX_JSON_STAGING})
add_library(OmbrixJson INTERFACE)
# SYSTEM: the library's own code is not held to the project's warning flags.
target_include_directories(OmbrixJson SYSTEM INTERFACE ${OMBRIX_JSON_STAGING})
