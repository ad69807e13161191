# The plug-in names every function-set kind by the API's enumerator: a number
# cast to MFn::Type means another kind in another Maya version.
file(GLOB_RECURSE sources ${SOURCE_DIR}/*.cpp ${SOURCE_DIR}/*.h)
foreach(source ${sources})
  file(STRINGS ${source} casts REGEX "MFn::Type>? *\\( *[0-9]")
  if(casts)
    message(FATAL_ERROR "${source}: a kind by number: ${casts}")
  endif()
endforeach()
