# obvtool textures on an export record and a folder of painted maps: one line
# per material; a folder that is not there and a project file without a
# record are refused with one line naming them.
# TOOL, WORK, CMAKE_CROSSCOMPILING_EMULATOR.
set(emulator)
if(CMAKE_CROSSCOMPILING_EMULATOR)
  set(emulator ${CMAKE_CROSSCOMPILING_EMULATOR})
endif()
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/painted ${WORK}/exported ${WORK}/alone)
foreach(name wood_BaseColor.1002.png wood_BaseColor.1001.png wood_Normal.png "steel plate_Specular.png" notes.txt)
  file(WRITE "${WORK}/painted/${name}" "image bytes")
endforeach()
file(WRITE ${WORK}/exported/steel_alpha.png "image bytes")
file(WRITE ${WORK}/Maya.obvrecord.json [=[
{"format":"Ombrix export record","version":1,"scene":"","time":"2026-12-08T17:00:00Z","frame":1,"groups":[],
 "materials":[
  {"shadingEngine":"woodSG","shader":"wood","channels":[]},
  {"shadingEngine":"steelSG","shader":"steel plate","shaderUuid":"5B7E2C41-4D1A-9F3E-0C7B-8E2AA1D4F601",
   "channels":[{"channel":"Opacity","file":"exported/steel_alpha.png","modified":"2000-01-01T00:00:00Z"}]}]}
]=])

execute_process(COMMAND ${emulator} ${TOOL} textures Maya.obv painted WORKING_DIRECTORY ${WORK}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE errors)
string(REPLACE "\r\n" "\n" out "${out}")
set(expected
"wood: would connect DiffuseColor wood_BaseColor.<UDIM>.png (tiles 1001-1002, sRGB), \
Bump wood_Normal.png (normal map, Raw); not found Ambient, SpecularColor, Opacity
steel plate: would connect SpecularColor steel plate_Specular.png (sRGB); would reload Opacity steel_alpha.png; \
not found DiffuseColor, Bump, Ambient
")
if(NOT status EQUAL 0 OR NOT out STREQUAL expected)
  message(FATAL_ERROR "exit ${status}, got:\n${out}${errors}\nexpected:\n${expected}")
endif()

# Every bump map a normal map, and another pattern.
execute_process(COMMAND ${emulator} ${TOOL} textures Maya.obv painted --normal-maps --pattern <shader>_<channel>.<udim>.<ext>
                WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT out MATCHES "^wood: would connect DiffuseColor wood_BaseColor.<UDIM>.png \\(tiles 1001-1002, sRGB\\); not found Bump")
  message(FATAL_ERROR "exit ${status}, got:\n${out}${errors}")
endif()

function(expect_refusal what pattern)
  execute_process(COMMAND ${emulator} ${TOOL} textures ${ARGN} WORKING_DIRECTORY ${WORK}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE errors)
  string(REPLACE "\r\n" "\n" errors "${errors}")
  if(NOT status EQUAL 1 OR NOT out STREQUAL "" OR NOT errors MATCHES "${pattern}")
    message(FATAL_ERROR "${what}: exit ${status}, got:\n${out}${errors}")
  endif()
endfunction()
expect_refusal("a missing folder" "^obvtool: the texture folder no-such-folder cannot be read: [^\n]+\n$"
               Maya.obv no-such-folder)
expect_refusal("no record" "^obvtool: alone.Maya.obvrecord.json: no export record beside alone/Maya.obv [^\n]+\n$"
               alone/Maya.obv painted)

# obvtool info shows the shader's UUID the record keeps.
execute_process(COMMAND ${emulator} ${TOOL} info Maya.obvrecord.json WORKING_DIRECTORY ${WORK}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT out MATCHES "material wood \\(woodSG\\), uuid none\r?\n[^\n]*material steel plate \\(steelSG\\), uuid 5B7E2C41-4D1A-9F3E-0C7B-8E2AA1D4F601\r?\n")
  message(FATAL_ERROR "obvtool info: exit ${status}, got:\n${out}${errors}")
endif()
