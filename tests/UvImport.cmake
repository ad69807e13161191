# The UV import: the plug-in's import against the host, obvtool's
# correspondence commands, the round trip through mayahost.
ombrix_test(test_UvImport SOURCES Maya/MayaImportUVsTest.cpp DEPENDS MayaPlugin OpenMaya)
target_include_directories(test_UvImport PRIVATE ${PROJECT_SOURCE_DIR}/host/src)
target_compile_definitions(test_UvImport PRIVATE
                           OMBRIX_EXAMPLE_SCENES="${PROJECT_SOURCE_DIR}/examples/maya/scenes")
# It points the user's "Temp Directory" at a folder of its own.
set_tests_properties(test_UvImport PROPERTIES RESOURCE_LOCK painter-registry)

# Round trips through mayahost: export, maya.cor from the project file,
# UVImportOmbrix, save, load, export again.
function(ombrix_uv_roundtrip name scene select new method)
  add_test(NAME ${name} COMMAND ${CMAKE_COMMAND}
           -DHOST=$<TARGET_FILE:mayahost> -DTOOL=$<TARGET_FILE:obvtool>
           "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}" -DPLUGIN=$<TARGET_FILE_NAME:ObvTester2>
           -DBIN=${CMAKE_BINARY_DIR}/bin -DWORK=${CMAKE_BINARY_DIR}/tests-work/${name}
           -DSCENE=${scene} "-DSELECT=${select}" -DNEW=${new} "-DMETHOD=${method}"
           -P ${CMAKE_CURRENT_SOURCE_DIR}/uv-roundtrip.cmake)
  set_tests_properties(${name} PROPERTIES RESOURCE_LOCK painter-registry)
endfunction()
set(uv_scenes ${PROJECT_SOURCE_DIR}/examples/maya/scenes)
set(uv_all_meshes "select -r `ls -l -type mesh`")
# polyCube and polySphere history: the slow method.
ombrix_uv_roundtrip(uv_roundtrip_history ${uv_scenes}/textured_switch.ma "${uv_all_meshes}" ALL
                    "There is construction history, using slow method")
# Only the cube (first in the export, 6 quads = 12 triangles): the sphere keeps its UVs.
ombrix_uv_roundtrip(uv_roundtrip_selection ${uv_scenes}/textured_switch.ma "select -r pCube1" 12
                    "Polygons affected: 6    \\(Total of: 6\\)")
# A mesh without history: the fast method.
ombrix_uv_roundtrip(uv_roundtrip_no_history ${uv_scenes}/split_mesh.ma "${uv_all_meshes}" ALL
                    "There is no construction history, using fast method")
# The scenes real Maya saved, where present.
get_filename_component(uv_shared_maya ${PROJECT_SOURCE_DIR}/../shared/data/maya ABSOLUTE)
if(DEFINED ENV{OMBRIX_SHARED_MAYA})
  set(uv_shared_maya $ENV{OMBRIX_SHARED_MAYA})
endif()
foreach(scene UsdExportMeshTest UsdExportGeomSubsetTest UsdExportUVSwitchTest multi_uv_simple)
  if(EXISTS ${uv_shared_maya}/${scene}.ma)
    ombrix_uv_roundtrip(uv_roundtrip_real_${scene} ${uv_shared_maya}/${scene}.ma "${uv_all_meshes}" ALL
                        "Polygons affected: [1-9]")
  endif()
endforeach()
