# The plug-in's scene export: its library through the host stand-in, and the
# module end to end through mayahost.
ombrix_test(test_MayaExport SOURCES
  Maya/SceneExportTest.cpp
  Maya/MaterialExportTest.cpp
  Maya/NurbsExportTest.cpp
  Maya/ExportFlowTest.cpp
  DEPENDS MayaPlugin)
target_include_directories(test_MayaExport PRIVATE ${PROJECT_SOURCE_DIR}/host/src)
# The Windows build shares one user registry between test programs.
set_tests_properties(test_MayaExport test_Maya PROPERTIES RESOURCE_LOCK painter_registry)
