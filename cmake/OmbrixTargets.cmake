# Shared settings for the project's own targets (not for third-party code such as
# GoogleTest, which is built with its own flags in the cross build).

function(ombrix_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W3 /permissive-)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
  endif()
endfunction()

# The layers of src/. Each folder of src/ is a library of its own that sees its
# own headers and those of the layers it depends on, nothing else: an include
# that reaches up does not compile. Sources keep writing "Folder/File.h": each
# folder has an include root of its own in the build tree,
# <build>/layers/<Folder>/<Folder>/, holding for each header of src/<Folder> a
# generated one-line header that includes it by its full path. A library's
# include roots are those of its own folder (public) and, through its DEPENDS,
# those of the layers below it. No links, so a Windows checkout builds the same.

# Writes the include root of src/<folder> and returns its path in <out>.
function(ombrix_layer_root folder out)
  set(source ${PROJECT_SOURCE_DIR}/src/${folder})
  set(root ${CMAKE_BINARY_DIR}/layers/${folder})
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS RELATIVE ${source} ${source}/*.h)
  file(GLOB_RECURSE written RELATIVE ${root}/${folder} ${root}/${folder}/*.h)
  foreach(header IN LISTS written)
    if(NOT header IN_LIST headers)
      file(REMOVE ${root}/${folder}/${header})
    endif()
  endforeach()
  foreach(header IN LISTS headers)
    file(CONFIGURE OUTPUT ${root}/${folder}/${header}
         CONTENT "#include \"${source}/${header}\"\n" @ONLY)
  endforeach()
  set(${out} ${root} PARENT_SCOPE)
endfunction()

# ombrix_library(NAME SOURCES... DEPENDS libs...): a layer, the folder of src/
# its sources are in, over the layers (and other libraries) it depends on.
function(ombrix_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  set(folders)
  foreach(source IN LISTS ARG_SOURCES)
    get_filename_component(path ${source} ABSOLUTE)
    file(RELATIVE_PATH path ${PROJECT_SOURCE_DIR}/src ${path})
    string(REGEX REPLACE "/.*" "" folder ${path})
    list(APPEND folders ${folder})
  endforeach()
  list(REMOVE_DUPLICATES folders)
  foreach(folder IN LISTS folders)
    ombrix_layer_root(${folder} root)
    target_include_directories(${name} PUBLIC ${root})
  endforeach()
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  ombrix_warnings(${name})
endfunction()

# Static runtime for the Windows build: the test programs and tools run under
# Wine without any MinGW DLLs beside them.
if(WIN32 AND NOT MSVC)
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
