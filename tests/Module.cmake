# The installed Maya module layout, loaded by mayahost through MAYA_MODULE_PATH.
if(WIN32)
  set(module_suffix .mll)
else()
  set(module_suffix .so)
endif()
add_test(NAME module_install_layout COMMAND ${CMAKE_COMMAND}
         -DBUILD=${CMAKE_BINARY_DIR} -DWORK=${CMAKE_BINARY_DIR}/tests-work/module-install
         -DMAYAHOST=$<TARGET_FILE:mayahost> -DOPENMAYA=$<TARGET_FILE:OpenMaya> -DSUFFIX=${module_suffix}
         "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}" -DMAYA_VERSION=${OMBRIX_MAYA_VERSION}
         -DPLATFORM=$<IF:$<BOOL:${WIN32}>,win64,linux> -P ${CMAKE_CURRENT_SOURCE_DIR}/module-install.cmake)
set_tests_properties(module_install_layout PROPERTIES RESOURCE_LOCK painter_registry)

# Under Wine: the module's commands against the painter stand-in as a process of its own.
if(WIN32)
  add_test(NAME module_painter_processes COMMAND ${CMAKE_COMMAND}
           "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}" -DMAYAHOST=$<TARGET_FILE:mayahost>
           -DMODULE=$<TARGET_FILE:ObvTester2> -DBIN=${CMAKE_BINARY_DIR}/bin
           -DSCENE=${PROJECT_SOURCE_DIR}/examples/maya/scenes/textured_switch.ma
           -DWORK=${CMAKE_BINARY_DIR}/tests-work/module-painter
           -P ${CMAKE_CURRENT_SOURCE_DIR}/wine/plugin-painter.cmake)
  # It starts and closes painter windows and sets the painter's registry values.
  set_tests_properties(module_painter_processes PROPERTIES RUN_SERIAL TRUE RESOURCE_LOCK painter_registry)
endif()

# The plug-in loaded by its file, outside a module: its menu script from beside it.
add_test(NAME module_loaded_by_path COMMAND ${CMAKE_COMMAND}
         -DWORK=${CMAKE_BINARY_DIR}/tests-work/module-by-path -DMAYAHOST=$<TARGET_FILE:mayahost>
         -DOPENMAYA=$<TARGET_FILE:OpenMaya> -DMODULE=$<TARGET_FILE:ObvTester2>
         -DMEL=${PROJECT_SOURCE_DIR}/tools/mel/OmbrixVael.mel "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}"
         -P ${CMAKE_CURRENT_SOURCE_DIR}/plugin-by-path.cmake)
