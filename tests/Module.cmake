# The installed Maya module layout, loaded by mayahost through MAYA_MODULE_PATH.
if(WIN32)
  set(module_suffix .mll)
else()
  set(module_suffix .so)
endif()
add_test(NAME module_install_layout COMMAND ${CMAKE_COMMAND}
         -DBUILD=${CMAKE_BINARY_DIR} -DWORK=${CMAKE_BINARY_DIR}/tests-work/module-install
         -DMAYAHOST=$<TARGET_FILE:mayahost> -DOPENMAYA=$<TARGET_FILE:OpenMaya> -DSUFFIX=${module_suffix}
         "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}" -P ${CMAKE_CURRENT_SOURCE_DIR}/module-install.cmake)
set_tests_properties(module_install_layout PROPERTIES RESOURCE_LOCK painter_registry)
