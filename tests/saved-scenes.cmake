# Scenes saved by a test run through mayahost, compared as text.
# The saved scene WORK/NAME.ma without its comment lines (file name and date).
function(scene_text name var)
  file(STRINGS ${WORK}/${name}.ma lines ENCODING UTF-8)
  list(FILTER lines EXCLUDE REGEX "^//")
  set(${var} "${lines}" PARENT_SCOPE)
endfunction()

function(expect_same a b)
  scene_text(${a} text_a)
  scene_text(${b} text_b)
  if(NOT text_a STREQUAL text_b)
    message(FATAL_ERROR "${a}.ma and ${b}.ma differ")
  endif()
endfunction()
