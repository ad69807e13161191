# The plug-in's scene export: its library through the host stand-in, and the
# module end to end through mayahost.
ombrix_test(test_MayaExport SOURCES
  Maya/SceneExportTest.cpp
  Maya/ExportDigestTest.cpp
  Maya/MaterialExportTest.cpp
  Maya/NurbsExportTest.cpp
  Maya/ExportFlowTest.cpp
  Maya/PluginModuleTest.cpp
  DEPENDS MayaPlugin)
target_link_libraries(test_MayaExport PRIVATE HostInternals)
add_dependencies(test_MayaExport ObvTester2)
# The module is loaded from the programs' folder (beside OpenMaya).
if(WIN32)
  set(export_module ../bin/$<TARGET_FILE_NAME:ObvTester2>)
else()
  set(export_module $<TARGET_FILE:ObvTester2>)
endif()
target_compile_definitions(test_MayaExport PRIVATE OMBRIX_MODULE="${export_module}"
                           OMBRIX_MEL_DIR="${PROJECT_SOURCE_DIR}/tools/mel")
# The Windows build shares one user registry between test programs.
set_tests_properties(test_MayaExport test_Maya PROPERTIES RESOURCE_LOCK painter_registry)

# End to end: mayahost loads the module, runs the commands, unloads it;
# obvtool reads what the export wrote.
set(export_work ${CMAKE_BINARY_DIR}/tests-work/export)
set(export_data ${CMAKE_CURRENT_SOURCE_DIR}/data/export)
function(ombrix_export_test name scene)
  cmake_parse_arguments(ARG "REAL" "EXPECT;OUTPUT" "SELECT;COMMANDS" ${ARGN})
  add_test(NAME ${name} COMMAND ${CMAKE_COMMAND}
           "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}" -DMAYAHOST=$<TARGET_FILE:mayahost>
           -DOBVTOOL=$<TARGET_FILE:obvtool> -DMODULE=$<TARGET_FILE:ObvTester2> -DSCENE=${scene}
           -DWORK=${export_work}/${name} "-DSELECT=${ARG_SELECT}" "-DCOMMANDS=${ARG_COMMANDS}"
           "-DEXPECT=${ARG_EXPECT}" "-DOUTPUT=${ARG_OUTPUT}" -DREAL=${ARG_REAL}
           -P ${CMAKE_CURRENT_SOURCE_DIR}/export-scene.cmake)
  set_tests_properties(${name} PROPERTIES RESOURCE_LOCK painter_registry)
endfunction()

set(example_scenes ${PROJECT_SOURCE_DIR}/examples/maya/scenes)
ombrix_export_test(export_switch_scene ${example_scenes}/textured_switch.ma
  EXPECT "\"groups\":\\[{\"name\":\"pCubeShape1\",\"polygons\":6,\"triangles\":12},{\"name\":\"pSphereShape1\",\"polygons\":96,\"triangles\":168}\\].*\"materials\":\\[{\"name\":\"lambert1\",\"maps\":{}},{\"name\":\"blinn1\\|pCubeShape1\",\"maps\":{\"DiffuseColor\":\"[^\"]*/sourceimages/crate.tga\",\"Bump\":\"[^\"]*/sourceimages/bumps.tga\"}},{\"name\":\"blinn1\\|pSphereShape1\",\"maps\":{\"DiffuseColor\":\"[^\"]*/sourceimages/globe.tga\"")
ombrix_export_test(export_split_scene ${example_scenes}/split_mesh.ma
  EXPECT "\"groups\":\\[{\"name\":\"splitShape\",\"polygons\":2,\"triangles\":4}\\].*{\"name\":\"redBlinn\",\"maps\":{}},{\"name\":\"woodLambert\",\"maps\":{\"DiffuseColor\":\"[^\"]*/sourceimages/wood.tga\"}}")
ombrix_export_test(export_nurbs_scene ${example_scenes}/nurbs_sphere.ma
  EXPECT "\"groups\":\\[{\"name\":\"polySurfaceShape1\",\"polygons\":[0-9]+,\"triangles\":[0-9]+}\\].*\"lambert2\",\"maps\":{\"DiffuseColor\":\"[^\"]*/sourceimages/marble.tga\"")
# A selection: selection order, then each subtree depth first; an instance by its own path.
ombrix_export_test(export_selection ${export_data}/instances.ma
  SELECT inner "|second|firstShape" COMMANDS ExportSelOmbrixPlug
  EXPECT "\"groups\":\\[{\"name\":\"innerShape\",[^]]*},{\"name\":\"firstShape\",[^]]*}\\].*\"bounds\":{\"min\":\\[-0.5,-0.5,-20.5\\],\"max\":\\[10.5,0.5,0.5\\]}")
ombrix_export_test(export_all_instances ${export_data}/instances.ma
  EXPECT "\"groups\":\\[{\"name\":\"firstShape\",[^]]*},{\"name\":\"firstShape\",[^]]*},{\"name\":\"innerShape\",[^]]*}\\]")
# Odd data: what is sound is exported; missing textures keep their workspace name.
ombrix_export_test(export_odd_data ${export_data}/odd_data.ma
  EXPECT "\"groups\":\\[{\"name\":\"boxShape\",\"polygons\":6,\"triangles\":12}\\].*{\"name\":\"odd\",\"maps\":{\"Ambient\":\"[^\"]*sourceimages/not-there.tga\"}}")
# A shot of references: two copies of one asset, a nested one, each at the place its edits give it (the
# deferred and the missing reference export nothing); names carry their namespaces, cut at 32 bytes.
ombrix_export_test(export_referenced_shot ${CMAKE_CURRENT_SOURCE_DIR}/data/references/scenes/shot.ma
  EXPECT "\"groups\":.{\"name\":\"pillow:pCubeShape1\",\"polygons\":6,.*{\"name\":\"livingRoomLamp:bulb:pSphereShape\",\"polygons\":32,.*{\"name\":\"livingRoomLamp:lampBaseShape\",.*{\"name\":\"pillow1:pCubeShape1\",.*{\"name\":\"pillow:lambert2\",\"maps\":{}},{\"name\":\"pillow1:lambert2\".*\"bounds\":{\"min\":.-5,-0.5,-1.,\"max\":.5.5,4,10.7071.}"
  OUTPUT "shot.ma:15: Warning: reference ghostRN: cannot find")
# Construction history: a skinned bar (its top turned by the tip joint), a frozen cube moved to
# z -20, and a cube behind a node the host does not evaluate, exported from the cube and said so.
ombrix_export_test(export_history ${export_data}/history.ma
  EXPECT "\"groups\":\\[{\"name\":\"barShape\",\"polygons\":1,\"triangles\":2},{\"name\":\"frozenShape\",\"polygons\":6,\"triangles\":12},{\"name\":\"bevelledShape\",\"polygons\":6,\"triangles\":12}\\].*\"bounds\":{\"min\":\\[-1,-0.5,-20.5\\],\"max\":\\[0.5,1.5,0.5\\]}"
  OUTPUT "Warning: bevelledShape: construction history through polyBevel1 \\(polyBevel3\\) is not evaluated")
# The echoes, and the painter commands with no painter installed; the export after them.
ombrix_export_test(export_commands ${example_scenes}/split_mesh.ma
  COMMANDS CloseOmbrix SwitchOmbrix LaunchOmbrix AutoLoadOmbrix UVImportOmbrix ExportAllOmbrixPlug
  OUTPUT "Closing OmbrixVael\r?\nSwitching to OmbrixVael\r?\nLaunching OmbrixVael\r?\n")

# The scenes real Maya saved: one group per shape, one material per shader.
if(EXISTS ${ombrix_shared_maya}/UsdExportMeshTest.ma)
  foreach(scene UsdExportGeomSubsetTest UsdExportMeshTest UsdExportUVSwitchTest)
    ombrix_export_test(export_real_${scene} ${ombrix_shared_maya}/${scene}.ma REAL)
  endforeach()
  # Current shaders: a USD preview surface, and Maya 2025's default standardSurface1.
  ombrix_export_test(export_real_multi_uv_simple ${ombrix_shared_maya}/multi_uv_simple.ma REAL
    EXPECT "{\"name\":\"multi_uv_set_mat\",\"maps\":{\"DiffuseColor\":\"[^\"]*label_bc.png\",\"Opacity\":\"[^\"]*label_o.png\"}}")
  ombrix_export_test(export_real_TextureTest ${ombrix_shared_maya}/rel_project/scenes/TextureTest.ma REAL
    EXPECT "\"materials\":\\[{\"name\":\"standardSurface1\",\"maps\":{\"DiffuseColor\":\"[^\"]*/rel_project/sourceimages/grid.png\"}}")
endif()
# A Maya Binary scene: the skinned cube of the rig Maya 2020 saved, whole and where its joints hold it.
if(EXISTS ${ombrix_shared_maya}/mb/rig.anim.mb)
  ombrix_export_test(export_real_binary_rig ${ombrix_shared_maya}/mb/rig.anim.mb REAL
    EXPECT "\"groups\":\\[{\"name\":\"meshShape\",\"polygons\":6,\"triangles\":12}\\].*\"bounds\":{\"min\":\\[-0.5,-0.5,-0.5\\],\"max\":\\[0.5,0.5,0.5\\]}")
endif()
# The same quad saved as Maya ASCII and as Maya Binary exports the same project file, byte for byte.
add_test(NAME export_binary_twin COMMAND ${CMAKE_COMMAND}
         "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}" -DMAYAHOST=$<TARGET_FILE:mayahost>
         -DOBVTOOL=$<TARGET_FILE:obvtool> -DMODULE=$<TARGET_FILE:ObvTester2>
         -DSCENE=${export_data}/quad.ma -DTWIN=${export_data}/quad.mb -DWORK=${export_work}/export_binary_twin
         -DSCRIPT=${CMAKE_CURRENT_SOURCE_DIR}/export-scene.cmake
         -P ${CMAKE_CURRENT_SOURCE_DIR}/export-twins.cmake)
set_tests_properties(export_binary_twin PROPERTIES RESOURCE_LOCK painter_registry)
