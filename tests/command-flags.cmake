# Every plug-in command's flags, long and short, through mayahost: each row
# runs as MEL and (with Python) as maya.cmds, in sessions of their own, and
# both must give the same result and save the same scene; the Python result
# must be of the row's type. Then the refusals, alike for every command:
# an unknown flag, a flag without its value, a value of the wrong type, a
# value where the command takes none, in MEL and in Python.
# Variables: HOST, TOOL (obvtool), PLUGIN, BIN, WORK, SCENE, EMULATOR,
# PYTHON (ON when mayahost runs Python).
cmake_policy(SET CMP0007 NEW)  # the rows keep their empty fields
set(EXCHANGE ${WORK}/exchange)
set(PAINTED ${WORK}/painted)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${EXCHANGE} ${PAINTED})
include(${CMAKE_CURRENT_LIST_DIR}/painter-registry.cmake)
point_painter_registry(${WORK} ${EXCHANGE})
foreach(name blinn1_pCubeShape1_BaseColor.png lambert1_BaseColor.png lambert1_Normal.png)
  file(WRITE ${PAINTED}/${name} "image bytes")
endforeach()

# mayahost on the scene with the plug-in and pCube1 selected, the steps given,
# saving NAME.ma; its output in `output`, its exit status in `status`.
function(host name)
  execute_process(COMMAND ${EMULATOR} ${HOST} --scene ${SCENE} --plugin ${PLUGIN} --select pCube1 ${ARGN}
                          --save ${WORK}/${name}.ma
                  RESULT_VARIABLE code WORKING_DIRECTORY ${BIN} OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(REPLACE "\r\n" "\n" out "${out}${err}")
  set(output "${out}" PARENT_SCOPE)
  set(status ${code} PARENT_SCOPE)
endfunction()

# Saved scenes are compared without the UUIDs a session gives the nodes at random.
set(SCENE_TEXT_ALSO_SKIP "^[ \t]*rename -uid ")
include(${CMAKE_CURRENT_LIST_DIR}/saved-scenes.cmake)

function(result_line text var)
  string(REGEX MATCH "// Result: [^\n]*//" line "${text}")
  set(${var} "${line}" PARENT_SCOPE)
endfunction()

# Python prints its result the way MEL's command line echoes one.
set(echo "print('// Result: %s //' % (' '.join(map(str, r)) if isinstance(r, list) else int(r) if isinstance(r, bool) else r))")

# COMMAND|MEL FLAGS|PYTHON KEYWORDS|PYTHON RESULT TYPE
set(rows
  "ExportSelOmbrixPlug|-uvSet map1|uvSet='map1'|str"
  "ExportSelOmbrixPlug|-uvs map1|uvs='map1'|str"
  "ExportAllOmbrixPlug|||str"
  "ExportAllOmbrixPlug|-uvSet map1|uvSet='map1'|str"
  "ExportAllOmbrixPlug|-uvs map1|uvs='map1'|str"
  "COR"
  "UVImportOmbrix|||int"
  "UVImportOmbrix||perMesh=False|int"
  "UVImportOmbrix|-perMesh|perMesh=True|list"
  "UVImportOmbrix|-pm|pm=True|list"
  "UVImportOmbrix|-exported -perMesh|exported=True, perMesh=True|list"
  "UVImportOmbrix|-ex -pm|ex=True, pm=True|list"
  "ImportTexturesOmbrix|-directory \"${PAINTED}\" -preview|directory='${PAINTED}', preview=True|int"
  "ImportTexturesOmbrix|-dir \"${PAINTED}\" -pv|dir='${PAINTED}', pv=True|int"
  "ImportTexturesOmbrix|-directory \"${PAINTED}\" -pattern \"<material>_<channel>.<ext>\" -normalMaps|directory='${PAINTED}', pattern='<material>_<channel>.<ext>', normalMaps=True|int"
  "ImportTexturesOmbrix|-dir \"${PAINTED}\" -p \"<material>_<channel>.<ext>\" -nm|dir='${PAINTED}', p='<material>_<channel>.<ext>', nm=True|int"
  "CloseOmbrix|||bool")
set(n 0)
foreach(row IN LISTS rows)
  if(row STREQUAL "COR")  # the painter's answer to the last export
    execute_process(COMMAND ${EMULATOR} ${TOOL} cor ${EXCHANGE}/Maya.obv ${EXCHANGE}/maya.cor --uv shift 0.25 0.5
                    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT code EQUAL 0)
      message(FATAL_ERROR "obvtool cor: ${out}")
    endif()
    continue()
  endif()
  math(EXPR n "${n} + 1")
  string(REPLACE "|" ";" fields "${row}")
  list(GET fields 0 command)
  list(GET fields 1 flags)
  list(GET fields 2 keywords)
  list(GET fields 3 type)
  host(mel${n} -c "${command} ${flags}")
  result_line("${output}" mel_result)
  if(NOT status EQUAL 0 OR NOT mel_result)
    message(FATAL_ERROR "${command} ${flags}: exit ${status}\n${output}")
  endif()
  if(NOT PYTHON)
    continue()
  endif()
  host(py${n} -py "import maya.cmds as cmds\nr = cmds.${command}(${keywords})\nassert type(r) is ${type}, type(r)\n${echo}")
  result_line("${output}" py_result)
  if(NOT status EQUAL 0 OR NOT py_result STREQUAL mel_result)
    message(FATAL_ERROR "${command}(${keywords}): exit ${status}, '${py_result}', MEL '${mel_result}'\n${output}")
  endif()
  scene_text(mel${n} mel_scene)
  scene_text(py${n} py_scene)
  if(NOT mel_scene STREQUAL py_scene)
    message(FATAL_ERROR "${command}: the scene saved after MEL '${flags}' and Python '${keywords}' differ")
  endif()
endforeach()

# The refusals, before any command runs: Maya's messages.
set(commands SwitchOmbrix LaunchOmbrix CloseOmbrix AutoLoadOmbrix ExportAllOmbrixPlug ExportSelOmbrixPlug
             UVImportOmbrix ImportTexturesOmbrix)
set(steps)
set(expected)
foreach(command IN LISTS commands)
  list(APPEND steps -c "${command} -bogus")
  list(APPEND expected "Invalid flag '-bogus'")
  list(APPEND steps -c "${command} -bogus 1 extra")
endforeach()
list(APPEND steps -c "CloseOmbrix extra" -c "ExportAllOmbrixPlug -uvSet" -c "ImportTexturesOmbrix -dir"
                  -c "ImportTexturesOmbrix -p -nm")
list(APPEND expected "Too many objects or values." "Flag '-uvSet' must be passed a string argument"
                     "Flag '-dir' must be passed a string argument" "Flag '-p' must be passed a string argument")
host(refused ${steps})
list(LENGTH commands count)
string(REGEX MATCHALL "Error: line 1: Invalid flag '-bogus'" bogus "${output}")
list(LENGTH bogus bogus_count)
math(EXPR twice "${count} * 2")
if(status EQUAL 0 OR NOT bogus_count EQUAL twice)
  message(FATAL_ERROR "unknown flags: exit ${status}, ${bogus_count} refusals of ${twice}\n${output}")
endif()
foreach(message IN LISTS expected)
  string(FIND "${output}" "${message}" at)
  if(at LESS 0)
    message(FATAL_ERROR "no \"${message}\"\n${output}")
  endif()
endforeach()
scene_text(refused refused_scene)
host(untouched)
scene_text(untouched untouched_scene)
if(NOT refused_scene STREQUAL untouched_scene)
  message(FATAL_ERROR "a refused call changed the scene")
endif()
if(NOT PYTHON)
  return()
endif()

# Python: TypeError for an unknown keyword and for a value of the wrong type,
# for every command alike.
set(script "import maya.cmds as cmds
def refused(call, **kw):
    try:
        call(**kw)
    except TypeError as e:
        print('TypeError: %s' % e)
        return
    raise AssertionError('accepted %r' % kw)
for name in ${commands}:
    refused(getattr(cmds, name), bogus=True)
refused(cmds.ExportAllOmbrixPlug, uvSet=3)
refused(cmds.ImportTexturesOmbrix, directory=['a'])
refused(cmds.UVImportOmbrix, perMesh='yes')
")
string(REPLACE ";" "', '" names "${commands}")
string(REPLACE "in ${commands}:" "in ['${names}']:" script "${script}")
host(python_refused -py "${script}")
string(REGEX MATCHALL "TypeError: Invalid flag 'bogus'" bogus "${output}")
list(LENGTH bogus bogus_count)
if(NOT status EQUAL 0 OR NOT bogus_count EQUAL count)
  message(FATAL_ERROR "Python refusals: exit ${status}, ${bogus_count} of ${count}\n${output}")
endif()
foreach(message "Invalid arguments for flag 'uvSet'.  Expected string, got int"
                "Invalid arguments for flag 'directory'.  Expected string, got list"
                "Flag 'perMesh' must be passed a boolean argument")
  string(FIND "${output}" "TypeError: ${message}" at)
  if(at LESS 0)
    message(FATAL_ERROR "no \"TypeError: ${message}\"\n${output}")
  endif()
endforeach()
