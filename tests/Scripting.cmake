# The commands as scripts call them: every plug-in command's declared flags
# in MEL and (with Python) through maya.cmds, the refusals, and Python in
# mayahost: its calling convention over the host's and the plug-ins' commands,
# the Python examples of docs/USAGE.md and the README's script.
set(ombrix_scenes ${PROJECT_SOURCE_DIR}/examples/maya/scenes)
set(python_env "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan-python.supp")
add_test(NAME command_flags COMMAND ${CMAKE_COMMAND} -DHOST=$<TARGET_FILE:mayahost> -DTOOL=$<TARGET_FILE:obvtool>
         "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}" -DPLUGIN=$<TARGET_FILE_NAME:ObvTester2>
         -DBIN=${CMAKE_BINARY_DIR}/bin -DWORK=${CMAKE_BINARY_DIR}/tests-work/command_flags
         -DSCENE=${ombrix_scenes}/textured_switch.ma -DPYTHON=${OMBRIX_HOST_PYTHON}
         -P ${CMAKE_CURRENT_SOURCE_DIR}/command-flags.cmake)
set_tests_properties(command_flags PROPERTIES RESOURCE_LOCK painter_registry ENVIRONMENT "${python_env}")

if(NOT OMBRIX_HOST_PYTHON)
  ombrix_host_exit(python_unavailable 1 "this build has no Python" -py "print(1)")
  return()
endif()
add_test(NAME python_host_commands
         COMMAND mayahost --plugin $<TARGET_FILE_NAME:HostTestPlugin>
                 --python ${CMAKE_CURRENT_SOURCE_DIR}/data/python/host_commands.py one two
         WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set_tests_properties(python_host_commands PROPERTIES ENVIRONMENT "${python_env}" PASS_REGULAR_EXPRESSION
  "RuntimeError: hostFail: .*RuntimeError: .*noSuchNode.*host commands: all passed")

# The Python examples of docs/USAGE.md, and the README's script, which
# exports, imports the painter's UVs and the painted maps and reads the results.
function(ombrix_python_examples name doc expect)
  add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} -DHOST=$<TARGET_FILE:mayahost> -DTOOL=$<TARGET_FILE:obvtool>
           -DPLUGIN=$<TARGET_FILE_NAME:ObvTester2> -DBIN=${CMAKE_BINARY_DIR}/bin
           -DWORK=${CMAKE_BINARY_DIR}/tests-work/${name} -DSCENE=${ombrix_scenes}/textured_switch.ma
           -DDOC=${doc} "-DEXPECT=${expect}" -P ${CMAKE_CURRENT_SOURCE_DIR}/python-examples.cmake)
  set_tests_properties(${name} PROPERTIES RESOURCE_LOCK painter_registry ENVIRONMENT "${python_env}")
endfunction()
ombrix_python_examples(usage_python_examples ${PROJECT_SOURCE_DIR}/docs/USAGE.md "")
ombrix_python_examples(readme_python_script ${PROJECT_SOURCE_DIR}/README.md
  "exported 2 meshes to [^\n]*Maya.obv.*pCubeShape1: [0-9]+ polygons with new UVs.*[0-9]+ painted maps? connected or reloaded")
