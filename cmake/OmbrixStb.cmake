# stb_image and stb_image_write, the header-only image codecs. Debian ships them
# in libstb-dev (/usr/include/stb); any other build (MSVC against a Maya
# devkit, say) names the folder holding stb_image.h with -DSTB_INCLUDE_DIR=...
# The headers are the same on every platform, so a cross build looks for them
# on the build machine too.
find_path(STB_INCLUDE_DIR stb_image.h
  PATH_SUFFIXES stb
  NO_CMAKE_FIND_ROOT_PATH
  DOC "Folder holding stb_image.h and stb_image_write.h")
if(NOT STB_INCLUDE_DIR)
  message(FATAL_ERROR "stb_image.h was not found: install Debian's libstb-dev "
                      "(apt-get install libstb-dev), or give -DSTB_INCLUDE_DIR=<folder holding stb_image.h>")
endif()
