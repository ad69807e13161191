# Shared settings for the project's own targets (not for third-party code such as
# GoogleTest, which is built with its own flags in the cross build).

function(ombrix_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W3 /permissive-)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
  endif()
endfunction()

# ombrix_library(NAME SOURCES... DEPENDS libs...)
function(ombrix_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  ombrix_warnings(${name})
endfunction()

# Static runtime for the Windows build: the test programs and tools run under
# Wine without any MinGW DLLs beside them.
if(WIN32 AND NOT MSVC)
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
