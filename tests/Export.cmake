# The plug-in's scene export: its library through the host stand-in, and the
# module end to end through mayahost.
ombrix_test(test_MayaExport SOURCES
  Maya/SceneExportTest.cpp
  Maya/BlockSceneExportTest.cpp
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
set_tests_properties(test_MayaExport test_Exchange PROPERTIES RESOURCE_LOCK painter_registry)

# End to end: mayahost loads the module, runs the commands, unloads it;
# obvtool reads what the export wrote.
set(export_work ${CMAKE_BINARY_DIR}/tests-work/export)
set(export_data ${CMAKE_CURRENT_SOURCE_DIR}/data/export)
function(ombrix_export_test name scene)
  cmake_parse_arguments(ARG "REAL" "EXPECT;OUTPUT;RECORD" "SELECT;COMMANDS" ${ARGN})
  add_test(NAME ${name} COMMAND ${CMAKE_COMMAND}
           "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}" -DMAYAHOST=$<TARGET_FILE:mayahost>
           -DOBVTOOL=$<TARGET_FILE:obvtool> -DMODULE=$<TARGET_FILE:ObvTester2> -DSCENE=${scene}
           -DWORK=${export_work}/${name} "-DSELECT=${ARG_SELECT}" "-DCOMMANDS=${ARG_COMMANDS}"
           "-DEXPECT=${ARG_EXPECT}" "-DOUTPUT=${ARG_OUTPUT}" "-DRECORD=${ARG_RECORD}" -DREAL=${ARG_REAL}
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
# A UV set asked for: a NURBS surface has none, and its line says so.
ombrix_export_test(export_nurbs_uv_set ${example_scenes}/nurbs_sphere.ma COMMANDS "ExportAllOmbrixPlug -uvSet map2"
  EXPECT "\"name\":\"polySurfaceShape1\",\"polygons\":[0-9]+"
  OUTPUT "Warning: Ombrix Vael export: nurbsSphereShape1: a NURBS surface has no UV set \"map2\"; the UVs of its surface parameters are exported")
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
  EXPECT "\"groups\":\\[{\"name\":\"barShape\",\"polygons\":1,\"triangles\":2},{\"name\":\"frozenShape\",\"polygons\":6,\"triangles\":12},{\"name\":\"reducedShape\",\"polygons\":6,\"triangles\":12}\\].*\"bounds\":{\"min\":\\[-1,-0.5,-20.5\\],\"max\":\\[0.5,1.5,0.5\\]}"
  OUTPUT "Warning: reducedShape: construction history through polyReduce1 \\(polyReduce\\) is not evaluated")
# Edits of a mesh's history in the session of the export: exported as the edited scene opened anew is.
function(ombrix_history_edit_test name scene shape edits)
  add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} ${ARGN} -DHOST=$<TARGET_FILE:mayahost>
           "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}" -DPLUGIN=$<TARGET_FILE_NAME:ObvTester2>
           -DBIN=${CMAKE_BINARY_DIR}/bin -DWORK=${export_work}/${name} -DSCENE=${scene} -DSHAPE=${shape}
           "-DEDITS=${edits}" -P ${CMAKE_CURRENT_SOURCE_DIR}/history-edits.cmake)
  set_tests_properties(${name} PROPERTIES RESOURCE_LOCK painter_registry)
endfunction()
ombrix_history_edit_test(history_edit_width ${example_scenes}/textured_switch.ma pCubeShape1
                         "setAttr polyCube1.width 2" "-DEXPECT=\"polygons\": 6,")
ombrix_history_edit_test(history_edit_subdivisions ${example_scenes}/textured_switch.ma pCubeShape1
                         "setAttr polyCube1.subdivisionsWidth 3" "-DEXPECT=\"polygons\": 14,")
ombrix_history_edit_test(history_edit_disconnected ${example_scenes}/textured_switch.ma pCubeShape1
                         "disconnectAttr polyCube1.output pCubeShape1.inMesh && setAttr polyCube1.width 2"
                         -DUNCHANGED=1)
ombrix_history_edit_test(history_edit_reconnected ${example_scenes}/textured_switch.ma pCubeShape1
                         "disconnectAttr polyCube1.output pCubeShape1.inMesh && setAttr polyCube1.width 2 && connectAttr polyCube1.output pCubeShape1.inMesh")
ombrix_history_edit_test(history_edit_envelope ${export_data}/history.ma barShape "setAttr skinCluster1.envelope 0")
ombrix_history_edit_test(history_edit_joint ${export_data}/history.ma barShape "setAttr tip.rotateZ 30")
# The envelope and the joint set back: the first export again.
ombrix_history_edit_test(history_edit_set_back ${export_data}/history.ma barShape
                         "setAttr skinCluster1.envelope 0 && setAttr tip.rotateZ 30 && setAttr skinCluster1.envelope 1 && setAttr tip.rotateZ 90"
                         -DUNCHANGED=1)
# Answers for scripts: the export gives the project file's path, a painter command whether
# the painter answered (none is installed here).
ombrix_export_test(export_command_results ${example_scenes}/split_mesh.ma
  COMMANDS "print(\"export: \" + `ExportAllOmbrixPlug` + \"\\n\")" "print(\"launch: \" + `LaunchOmbrix` + \"\\n\")"
           "print(\"close: \" + `CloseOmbrix` + \"\\n\")"
  OUTPUT "export: [^\n]*[/\\\\]export_command_results[/\\\\]Maya.obv\r?\n.*launch: 0\r?\n.*close: 0\r?\n")
# UVs the painter cannot paint whole: one warning per mesh, naming the tiles.
ombrix_export_test(export_uv_tiles ${example_scenes}/textured_switch.ma
  COMMANDS "delete -ch pSphere1" "setAttr \"pSphereShape1.uvst[0].uvsp[3]\" -type float2 1.7 0.3" ExportAllOmbrixPlug
  OUTPUT "Warning: Ombrix Vael export: pSphereShape1: UVs outside the 0-1 square \\(tiles 1001, 1002\\), 4 faces across tile borders; the painter paints the 0-1 square \\(tile 1001\\) only\r?\n$")
# Long arrays in Maya's blocks (UVs, points, edges and faces over several statements) and a
# face with a hole (the triangles of the frame around it).
ombrix_export_test(export_maya_blocks ${export_data}/maya_blocks.ma
  EXPECT "\"groups\":\\[{\"name\":\"gridShape\",\"polygons\":501,\"triangles\":1002}")
ombrix_export_test(export_holed_face ${export_data}/holed_face.ma
  EXPECT "\"groups\":\\[{\"name\":\"frameShape\",\"polygons\":8,\"triangles\":8}")
# A texture named in Japanese and Cyrillic: natively (UTF-8) as it is; on Windows the
# name goes out in the ANSI code page, which cannot hold it, and a warning names it.
if(WIN32)
  set(unicode_texture_output "Warning: Ombrix Vael export: the texture file name [^\n]*木目 Дерево.tga cannot be written")
  set(unicode_texture_expect "\"DiffuseColor\":\"[^\"]*/sourceimages/")
else()
  set(unicode_texture_output "")
  set(unicode_texture_expect "\"DiffuseColor\":\"[^\"]*/sourceimages/木目 Дерево.tga\"")
endif()
ombrix_export_test(export_unicode_texture_name ${export_data}/unicode_texture.ma
  EXPECT "${unicode_texture_expect}" OUTPUT "${unicode_texture_output}")
# The echoes, and the painter commands with no painter installed; the export after them.
ombrix_export_test(export_commands ${example_scenes}/split_mesh.ma
  COMMANDS CloseOmbrix SwitchOmbrix LaunchOmbrix AutoLoadOmbrix ExportAllOmbrixPlug
  OUTPUT "Closing OmbrixVael\r?\n// Result: 0 //\r?\nSwitching to OmbrixVael\r?\n// Result: 0 //\r?\nLaunching OmbrixVael\r?\n// Result: 0 //\r?\n")

# The scenes real Maya saved: one group per shape, one material per shader.
if(EXISTS ${ombrix_shared_maya}/UsdExportMeshTest.ma)
  foreach(scene UsdExportGeomSubsetTest UsdExportMeshTest UsdExportUVSwitchTest)
    ombrix_export_test(export_real_${scene} ${ombrix_shared_maya}/${scene}.ma REAL)
  endforeach()
  # Current shaders: a USD preview surface, and Maya 2025's default standardSurface1.
  # The record: the UUID Maya saved, kept through a rename, and the UV set that was current.
  ombrix_export_test(export_real_multi_uv_simple ${ombrix_shared_maya}/multi_uv_simple.ma REAL
    COMMANDS "rename mesh_template24x chair" ExportAllOmbrixPlug
    EXPECT "{\"name\":\"multi_uv_set_mat\",\"maps\":{\"DiffuseColor\":\"[^\"]*label_bc.png\",\"Opacity\":\"[^\"]*label_o.png\"}}"
    RECORD "\"scene\":\"[^\"]*/multi_uv_simple.ma\",\"time\":\"[0-9-]+T[0-9:]+Z\",\"frame\":1.0,\"groups\":\\[{\"name\":\"mesh_template24xShape\",\"dagPath\":\"\\|multi_uv\\|chair\\|mesh_template24xShape\",\"uuid\":\"91F7C3AB-4141-6C61-E3FA-AD917BF85BAA\",\"uvSet\":\"map2\",\"polygons\":1,\"vertices\":4,\"uvs\":4,\"topology\":\"[0-9a-f]+\",\"points\":\"[0-9a-f]+\",\"worldMatrix\":\\[1.0,0.0,0.0,0.0,")
  ombrix_export_test(export_real_TextureTest ${ombrix_shared_maya}/rel_project/scenes/TextureTest.ma REAL
    EXPECT "\"materials\":.{\"name\":\"standardSurface1\",\"maps\":{\"DiffuseColor\":\"[^\"]*/rel_project/sourceimages/grid.png\"}}"
    RECORD "{\"shadingEngine\":\"initialShadingGroup\",\"shader\":\"standardSurface1\",\"shaderUuid\":\"[0-9A-F-]+\",\"shadingEngineUuid\":\"[0-9A-F-]+\",\"channels\":.{\"channel\":\"DiffuseColor\",\"file\":\"[^\"]*/grid.png\",\"modified\":\"20[0-9][0-9]-[0-9][0-9]-[0-9][0-9]T[0-9:]+Z\"}")
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
add_test(NAME plugin_named_kinds COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}/src/Maya
         -P ${CMAKE_CURRENT_SOURCE_DIR}/named-kinds.cmake)
# A NURBS surface is tessellated into mesh data: the export leaves the scene
# unmodified, and the group takes the name Maya gives a temporary mesh shape,
# the first "polySurfaceShapeN" no node has.
ombrix_export_test(export_nurbs_unmodified ${example_scenes}/nurbs_sphere.ma
  COMMANDS "file -q -modified" ExportAllOmbrixPlug "file -q -modified"
  OUTPUT "// Result: 0 //\r?\n// Result: [^\n]*Maya.obv //\r?\n// Result: 0 //")
ombrix_export_test(export_nurbs_name_taken ${example_scenes}/nurbs_sphere.ma
  COMMANDS "createNode transform -n polySurfaceShape1" ExportAllOmbrixPlug
  EXPECT "\"groups\":\\[{\"name\":\"polySurfaceShape2\",")
# Texture paths as Maya resolves them: a relative name under the project's root
# (not the folder the file browser last visited), an absolute one as it is;
# aiImage and usdUVTexture like file nodes, normal maps and bump nodes followed
# to their file for "Bump"; a tiled texture as its first tile, with one warning
# for its material.
ombrix_export_test(export_texture_paths ${export_data}/textures.ma
  COMMANDS "workspace -o \"/proj\"" "workspace -dir \"/elsewhere\"" ExportAllOmbrixPlug
  EXPECT "{\"name\":\"plainBlinn\",\"maps\":{\"DiffuseColor\":\"/proj/sourceimages/wood_missing.png\",\"SpecularColor\":\"D:/textures/metal_missing.png\"}},{\"name\":\"arnoldSurface\",\"maps\":{\"DiffuseColor\":\"/proj/sourceimages/skin_color.1001.png\",\"SpecularColor\":\"/proj/sourceimages/skin_rough.1001.png\",\"Bump\":\"/proj/sourceimages/skin_normal.png\"}},{\"name\":\"usdSurface\",\"maps\":{\"DiffuseColor\":\"/proj/sourceimages/label.png\",\"Bump\":\"/proj/sourceimages/label_normal.png\"}}"
  OUTPUT "Warning: Ombrix Vael export: arnoldSurface: tiled textures \\(UDIM\\) go to the painter as their first tile; it paints that tile only\r?\n$")

# The commands when memory runs out part way. The test program fails the
# module's allocations through its own operator new, which reaches a module
# loaded beside it natively; a Windows module keeps its own runtime's.
if(NOT WIN32)
  ombrix_test(test_CommandFailures SOURCES Maya/CommandFailureTest.cpp DEPENDS OpenMaya HvFoundation)
  target_link_libraries(test_CommandFailures PRIVATE HostInternals ${CMAKE_DL_LIBS})
  add_dependencies(test_CommandFailures ObvTester2)
  target_compile_definitions(test_CommandFailures PRIVATE OMBRIX_MODULE="$<TARGET_FILE:ObvTester2>")
  # Its operator new is malloc's: every delete is a free.
  set_tests_properties(test_CommandFailures PROPERTIES RESOURCE_LOCK painter_registry
                       ENVIRONMENT "ASAN_OPTIONS=alloc_dealloc_mismatch=0:intercept_tls_get_addr=0")
endif()

# The batch export over the example and shared scenes (one process a scene,
# natively several at once).
if(NOT WIN32)
  file(GLOB batch_scenes ${example_scenes}/*.ma ${ombrix_shared_maya}/*.ma ${ombrix_shared_maya}/mb/*.mb)
  add_test(NAME export_batch COMMAND ${CMAKE_COMMAND} -DMAYAHOST=$<TARGET_FILE:mayahost>
           -DMODULE=$<TARGET_FILE:ObvTester2> "-DSCENES=${batch_scenes}" -DWORK=${export_work}/export_batch
           -P ${CMAKE_CURRENT_SOURCE_DIR}/batch-export.cmake)
else()
  # Every process reads the user's one registry: one scene at a time.
  add_test(NAME export_batch_shared_registry COMMAND ${CMAKE_COMMAND} -DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}
           -DMAYAHOST=$<TARGET_FILE:mayahost> -DMODULE=$<TARGET_FILE:ObvTester2>
           "-DSCENES=${example_scenes}/textured_switch.ma;${example_scenes}/split_mesh.ma"
           -DWORK=${export_work}/export_batch_shared_registry
           -P ${CMAKE_CURRENT_SOURCE_DIR}/batch-export-shared-registry.cmake)
  set_tests_properties(export_batch_shared_registry PROPERTIES RESOURCE_LOCK painter_registry)
endif()
