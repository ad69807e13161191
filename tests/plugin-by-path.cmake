# The plug-in loaded by its file, outside any module: a copy of mayahost with
# no scripts of its own beside it, the plug-in in WORK/OmbrixBridge/plug-ins
# and its menu script in WORK/OmbrixBridge/scripts, as the module installs
# them, and no MAYA_MODULE_PATH or MAYA_SCRIPT_PATH. Interactive Maya gets
# the menu from the script beside the plug-in and loses it at unloadPlugin;
# batch Maya neither looks for the script nor builds a menu, so it prints no
# error; without any script interactive Maya still loads the plug-in, with
# one warning. -DWORK -DMAYAHOST -DOPENMAYA -DMODULE -DMEL [-DEMULATOR]
file(REMOVE_RECURSE ${WORK})
get_filename_component(module_name ${MODULE} NAME)
file(COPY ${MODULE} DESTINATION ${WORK}/OmbrixBridge/plug-ins)
file(COPY ${MEL} DESTINATION ${WORK}/OmbrixBridge/scripts)
include(${CMAKE_CURRENT_LIST_DIR}/bare-host.cmake)
copy_bare_host(${WORK}/host host)
set(plugin ${WORK}/OmbrixBridge/plug-ins/${module_name})
unset(ENV{MAYA_MODULE_PATH})
unset(ENV{MAYA_SCRIPT_PATH})
unset(ENV{MAYA_PLUG_IN_PATH})

# Runs the copied mayahost with ARGN; fails unless it exits 0, its standard
# output matches OUT_PATTERN and its errors ERR_PATTERN (QUIET: neither an
# error nor a warning).
function(run_host what out_pattern err_pattern)
  execute_process(COMMAND ${host} ${ARGN} WORKING_DIRECTORY ${WORK}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(err_pattern STREQUAL "QUIET")
    set(err_wrong "Error|Warning")
  else()
    set(err_wrong "")
  endif()
  if(NOT rc EQUAL 0 OR NOT out MATCHES "${out_pattern}" OR (err_wrong AND err MATCHES "${err_wrong}")
     OR (NOT err_wrong AND NOT err MATCHES "${err_pattern}"))
    message(FATAL_ERROR "${what}: exit ${rc}\nstdout:\n${out}\nstderr:\n${err}")
  endif()
endfunction()

run_host("interactive Maya, the script beside the plug-in"
         "^// Result: 1 //\r?\n// Result: ObvTester2 //\r?\n// Result: 0 //\r?\n$" QUIET
         --interactive --plugin ${plugin} -c "menu -exists OmbrixVaelMenu" -c "unloadPlugin ObvTester2"
         -c "menu -exists OmbrixVaelMenu")
run_host("batch Maya" "^Closing OmbrixVael\r?\n// Result: 0 //\r?\n$" QUIET --plugin ${plugin} -c CloseOmbrix)
file(REMOVE_RECURSE ${WORK}/OmbrixBridge/scripts)
run_host("interactive Maya, no script anywhere" "^Closing OmbrixVael\r?\n// Result: 0 //\r?\n// Result: 0 //\r?\n$"
         "Warning: Ombrix Vael: no menu: OmbrixVael.mel is neither on the script path nor at [^\n]*plug-ins/../scripts/OmbrixVael.mel"
         --interactive --plugin ${plugin} -c CloseOmbrix -c "menu -exists OmbrixVaelMenu")
