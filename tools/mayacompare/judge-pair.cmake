# Runs mayacompare on the committed pair (SCENE, OBJ) after one EDIT of the
# OBJ, and checks its exit status (EXPECT) and what it prints (PATTERN: on
# stdout, or on stderr for the exit status 3 of a damaged file).
#   none     the OBJ as it is
#   point    one vertex of |box moved by 0.1 cm
#   uv       one UV of |box moved by 0.1
#   missing  the object block of |group1|crate left out
#   damaged  a face naming a vertex the object does not have
# Run with -DTOOL= -DSCENE= -DOBJ= -DWORK= -DEDIT= -DEXPECT= -DPATTERN= [-DCMAKE_CROSSCOMPILING_EMULATOR=].
file(READ ${OBJ} text)
if(EDIT STREQUAL "point")
  string(REPLACE "v 1.000000 3.000000 -1.000000\n" "v 1.000000 3.100000 -1.000000\n" edited "${text}")
elseif(EDIT STREQUAL "uv")
  string(REPLACE "vt 0.500000 0.312500\n" "vt 0.500000 0.412500\n" edited "${text}")
elseif(EDIT STREQUAL "missing")
  string(FIND "${text}" "g default\n" first)
  math(EXPR after "${first} + 1")
  string(SUBSTRING "${text}" ${after} -1 rest)
  string(FIND "${rest}" "g default\n" second)
  math(EXPR cut "${after} + ${second}")
  string(SUBSTRING "${text}" 0 ${cut} edited)
elseif(EDIT STREQUAL "damaged")
  set(edited "${text}f 99/1/1 98/2/2 97/3/3\n")
else()
  set(edited "${text}")
endif()
if(NOT EDIT STREQUAL "none" AND edited STREQUAL text)
  message(FATAL_ERROR "the edit ${EDIT} changed nothing in ${OBJ}")
endif()
file(MAKE_DIRECTORY ${WORK})
set(edited_obj ${WORK}/extruded-box-${EDIT}.obj)
file(WRITE ${edited_obj} "${edited}")
set(command ${TOOL} ${SCENE} ${edited_obj} "|box" "|group1|crate")
if(CMAKE_CROSSCOMPILING_EMULATOR)
  set(command ${CMAKE_CROSSCOMPILING_EMULATOR} ${command})
endif()
execute_process(COMMAND ${command} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE errors)
string(REPLACE "\r" "" out "${out}")
string(REPLACE "\r" "" errors "${errors}")
set(shown "${out}")
if(EXPECT EQUAL 3)
  set(shown "${errors}")
endif()
if(NOT status EQUAL EXPECT OR NOT shown MATCHES "${PATTERN}")
  message(FATAL_ERROR "expected exit status ${EXPECT} and output matching ${PATTERN}, got ${status}:\n${out}${errors}")
endif()
