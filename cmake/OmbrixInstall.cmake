# The Maya module layout: cmake --install <build> --prefix <dir> gives
#   <dir>/OmbrixBridge.mod
#   <dir>/OmbrixBridge/plug-ins/ObvTester2.mll (.so on Linux)
#   <dir>/OmbrixBridge/scripts/OmbrixVael.mel
# so <dir> on MAYA_MODULE_PATH is the whole installation.
set(OMBRIX_MODULE_NAME OmbrixBridge)
set(OMBRIX_MODULE_VERSION 1.25)  # the version the plug-in registers with
install(TARGETS ObvTester2
        LIBRARY DESTINATION ${OMBRIX_MODULE_NAME}/plug-ins
        RUNTIME DESTINATION ${OMBRIX_MODULE_NAME}/plug-ins)
install(FILES ${PROJECT_SOURCE_DIR}/tools/mel/OmbrixVael.mel DESTINATION ${OMBRIX_MODULE_NAME}/scripts)
# A path relative to the .mod file, so the installed folder can be moved as a whole.
file(WRITE ${CMAKE_BINARY_DIR}/${OMBRIX_MODULE_NAME}.mod
     "+ ${OMBRIX_MODULE_NAME} ${OMBRIX_MODULE_VERSION} ./${OMBRIX_MODULE_NAME}\n")
install(FILES ${CMAKE_BINARY_DIR}/${OMBRIX_MODULE_NAME}.mod DESTINATION .)
