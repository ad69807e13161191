# The UV import: the plug-in's import against the host, obvtool's
# correspondence commands, the round trip through mayahost.
ombrix_test(test_UvImport SOURCES Maya/MayaImportUVsTest.cpp DEPENDS MayaPlugin OpenMaya)
target_include_directories(test_UvImport PRIVATE ${PROJECT_SOURCE_DIR}/host/src)
target_compile_definitions(test_UvImport PRIVATE
                           OMBRIX_EXAMPLE_SCENES="${PROJECT_SOURCE_DIR}/examples/maya/scenes")
# It points the user's "Temp Directory" at a folder of its own.
set_tests_properties(test_UvImport PROPERTIES RESOURCE_LOCK painter-registry)
