# Every Python example of a document runs as written, through mayahost on the
# example scene with the module, pCube1 selected: after an export of the
# scene and a maya.cor made from it (the painter's answer), with painted maps
# in the exchange directory's "textures" folder. EXPECT: a pattern the
# output of the last example must show.
# Variables: HOST, TOOL (obvtool), PLUGIN, BIN, WORK, SCENE, DOC, EXPECT.
set(EXCHANGE ${WORK}/exchange)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${EXCHANGE}/textures)
file(WRITE ${EXCHANGE}/textures/blinn1_pCubeShape1_BaseColor.png "image bytes")
include(${CMAKE_CURRENT_LIST_DIR}/painter-registry.cmake)
point_painter_registry(${WORK} ${EXCHANGE})

function(run name)
  execute_process(COMMAND ${HOST} --scene ${SCENE} --plugin ${PLUGIN} --select pCube1 ${ARGN}
                  RESULT_VARIABLE status WORKING_DIRECTORY ${BIN} OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${name}: exit ${status}\n${out}${err}")
  endif()
  set(output "${out}${err}" PARENT_SCOPE)
endfunction()

run(export -c ExportAllOmbrixPlug)
execute_process(COMMAND ${TOOL} cor ${EXCHANGE}/Maya.obv ${EXCHANGE}/maya.cor --uv shift 0.25 0.5
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "obvtool cor: ${out}")
endif()

file(READ ${DOC} text)
string(REGEX MATCHALL "```python\n[^`]*```" blocks "${text}")
if(NOT blocks)
  message(FATAL_ERROR "${DOC} holds no Python example")
endif()
set(n 0)
foreach(block IN LISTS blocks)
  math(EXPR n "${n} + 1")
  string(REGEX REPLACE "^```python\n" "" code "${block}")
  string(REGEX REPLACE "```$" "" code "${code}")
  file(WRITE ${WORK}/example${n}.py "${code}")
  run(example${n} --python ${WORK}/example${n}.py)
endforeach()
if(EXPECT AND NOT output MATCHES "${EXPECT}")
  message(FATAL_ERROR "the last example's output does not match ${EXPECT}\n${output}")
endif()
