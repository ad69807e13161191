# The UV import: the plug-in's import against the host, obvtool's
# correspondence commands, the round trip through mayahost.
ombrix_test(test_UvImport SOURCES Maya/MayaImportUVsTest.cpp DEPENDS MayaPlugin OpenMaya)
target_link_libraries(test_UvImport PRIVATE HostInternals)
target_compile_definitions(test_UvImport PRIVATE
                           OMBRIX_EXAMPLE_SCENES="${PROJECT_SOURCE_DIR}/examples/maya/scenes")
# It points the user's "Temp Directory" at a folder of its own.
set_tests_properties(test_UvImport PROPERTIES RESOURCE_LOCK painter_registry)

# Round trips through mayahost: export, maya.cor from the project file,
# UVImportOmbrix and an export in its session, save, load, export again.
function(ombrix_uv_roundtrip name scene select new method)
  add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} ${ARGN}
           -DHOST=$<TARGET_FILE:mayahost> -DTOOL=$<TARGET_FILE:obvtool>
           "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}" -DPLUGIN=$<TARGET_FILE_NAME:ObvTester2>
           -DBIN=${CMAKE_BINARY_DIR}/bin -DWORK=${CMAKE_BINARY_DIR}/tests-work/${name}
           -DSCENE=${scene} "-DSELECT=${select}" -DNEW=${new} "-DMETHOD=${method}"
           -P ${CMAKE_CURRENT_SOURCE_DIR}/uv-roundtrip.cmake)
  set_tests_properties(${name} PROPERTIES RESOURCE_LOCK painter_registry)
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
# Undo and redo in the same mayahost session, then a save and a load: for
# both methods, two meshes at once, and a part of the scene.
foreach(mode undo redo)
  ombrix_uv_roundtrip(uv_${mode}_history ${uv_scenes}/textured_switch.ma "${uv_all_meshes}" ALL
                      "using slow method" -DMODE=${mode})
  ombrix_uv_roundtrip(uv_${mode}_no_history ${uv_scenes}/split_mesh.ma "${uv_all_meshes}" ALL
                      "using fast method" -DMODE=${mode})
  ombrix_uv_roundtrip(uv_${mode}_selection ${uv_scenes}/textured_switch.ma "select -r pCube1" 12
                      "Polygons affected: 6    \\(Total of: 6\\)" -DMODE=${mode})
endforeach()
# Without a selection, onto the meshes of the last export: a renamed mesh is found by its UUID.
# (The cube's shape is given the UUID that Maya would have saved with the scene.)
ombrix_uv_roundtrip(uv_roundtrip_exported ${uv_scenes}/textured_switch.ma "rename pCube1 crate" ALL
                    "// Result: 102 //.*Importing UV's for \\|crate\\|pCubeShape1" -DEXPORTED=1
                    "-DPREPARE=rename -uid pCubeShape1 \"0A0B0C0D-1111-2222-3333-444455556666\"")
# A selected second instance matches through its own matrix: the correspondence
# file holds only that instance's polygons.
ombrix_uv_roundtrip(uv_roundtrip_instance ${PROJECT_SOURCE_DIR}/tests/data/export/instances.ma
                    "select -r |second|firstShape" ALL "Polygons affected: 6    \\(Total of: 6\\)"
                    -DEXPORT_SELECTION=1)
# UVs shared as the painter shares them. Moved UVs keep Maya's sharing: the
# cube's 14 UVs are moved in place (uvTweak, no polyMapDel). A planar layout
# shares a UV at each of the cube's 8 corners: the faces' UVs are made anew
# and sewn, also after an undo and a redo.
ombrix_uv_roundtrip(uv_history_moved_uvs ${uv_scenes}/textured_switch.ma "select -r pCube1" 12
                    "using slow method" -DUV_COUNT=14 -DMOVE_ONLY=1)
ombrix_uv_roundtrip(uv_history_new_sharing ${uv_scenes}/textured_switch.ma "select -r pCube1" 12
                    "using slow method" -DUV_COUNT=8 "-DUV=planar" -DCOUNT_ONLY=1)
ombrix_uv_roundtrip(uv_redo_new_sharing ${uv_scenes}/textured_switch.ma "select -r pCube1" 12
                    "using slow method" -DUV_COUNT=8 "-DUV=planar" -DCOUNT_ONLY=1 -DMODE=redo)
ombrix_uv_roundtrip(uv_unload_after_import ${uv_scenes}/textured_switch.ma "select -r pCube1" 12 "" -DMODE=unload)
# An exchange directory and a scene folder named in Cyrillic and Japanese,
# with spaces (a user profile beyond ASCII): the module writes and reads the
# exchange directory through the wide calls, mayahost takes its command line
# as Unicode.
ombrix_uv_roundtrip(uv_roundtrip_unicode_exchange ${uv_scenes}/textured_switch.ma "${uv_all_meshes}" ALL
                    "using slow method" "-DEXCHANGE_NAME=Обмен данных データ 交換" "-DSCENE_FOLDER=Сцены シーン")
# After Delete History the meshes have no geometry input: the fast method,
# and no tweak node anywhere.
ombrix_uv_roundtrip(uv_roundtrip_deleted_history ${uv_scenes}/textured_switch.ma "${uv_all_meshes}" ALL
                    "using fast method" "-DPREPARE=delete -ch pCube1 pSphere1" -DNO_TWEAK=1)
# The artist's work between the export and the import. Moved, turned and
# scaled: matched through the placement recorded at export, and said so.
set(uv_cube_placed "xform -t -2 0 0 -ro 0 0 0 -s 1 1 1 pCube1")
set(uv_moved_line "pCubeShape1: moved since the export: matched through the export's placement")
ombrix_uv_roundtrip(uv_recovered_moved ${uv_scenes}/textured_switch.ma "select -r pCube1" 12
                    "Polygons affected: 6    \\(Total of: 6\\)" "-DBETWEEN=xform -t 1 2 3 -ro 10 30 0 -s 2 2 2 pCube1"
                    "-DRESTORE=${uv_cube_placed}" "-DWARNING=${uv_moved_line}")
# Renamed and moved: its record found by its UUID. Per mesh, the result is
# one "path count" string per mesh, read back through MEL.
ombrix_uv_roundtrip(uv_recovered_renamed ${uv_scenes}/textured_switch.ma "select -r crate pSphere1" ALL
                    "\\|crate\\|pCubeShape1 6\n\\|pSphere1\\|pSphereShape1 96\n"
                    "-DPREPARE=rename -uid pCubeShape1 \"0A0B0C0D-1111-2222-3333-444455556666\""
                    "-DBETWEEN=rename pCube1 crate && xform -t 0 3 0 crate" "-DRESTORE=xform -t -2 0 0 crate"
                    "-DWARNING=${uv_moved_line}" "-DIMPORT=print (`UVImportOmbrix -perMesh`)")
# Points moved in the mesh's own space: not matched, and said so.
ombrix_uv_roundtrip(uv_unmatched_deformed ${uv_scenes}/split_mesh.ma "select -r split" 0
                    "Polygons affected: 0    \\(Total of: 2\\)" "-DBETWEEN=setAttr splitShape.vt[1] 0 0.25 0.5"
                    "-DRESTORE=setAttr splitShape.vt[1] 0 0 0.5"
                    "-DWARNING=splitShape: deformed since the export: its points moved, so its polygons cannot be matched")
# An edge loop added (the cube split across its width): the faces counted then and now.
ombrix_uv_roundtrip(uv_unmatched_topology ${uv_scenes}/textured_switch.ma "select -r pCube1" 0
                    "\\(Total of: 10\\)" "-DBETWEEN=setAttr polyCube1.subdivisionsWidth 2"
                    "-DWARNING=pCubeShape1: topology changed since the export: 6 -> 10 faces" -DOUTPUT_ONLY=1)
# Without a record, or with a damaged one, the import matches as placed now and says so once.
ombrix_uv_roundtrip(uv_record_missing ${uv_scenes}/textured_switch.ma "${uv_all_meshes}" ALL "using slow method"
                    -DRECORD=remove
                    "-DWARNING=no usable export record \\([^)]*Maya.obvrecord.json: no such file")
ombrix_uv_roundtrip(uv_record_damaged ${uv_scenes}/textured_switch.ma "${uv_all_meshes}" ALL "using slow method"
                    -DRECORD=damage "-DWARNING=no usable export record \\([^)]*Maya.obvrecord.json: ")
# Under Wine, with the painter stand-in writing maya.cor after AutoLoadOmbrix.
if(WIN32)
  ombrix_uv_roundtrip(uv_roundtrip_painter ${uv_scenes}/textured_switch.ma "${uv_all_meshes}" ALL
                      "There is construction history, using slow method" -DPAINTER=1)
  set_tests_properties(uv_roundtrip_painter PROPERTIES RUN_SERIAL TRUE)
endif()
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
# Two UV sets, "map2" current. Switched to "map1" after the export: the import
# still writes "map2", the set the export read, and leaves "map1" as it was.
# "map1" exported by name, with the flag or through the option variable the
# menu sets: the import writes it back there, "map2" stays.
if(EXISTS ${uv_shared_maya}/multi_uv_simple.ma)
  set(uv_two_sets ${uv_shared_maya}/multi_uv_simple.ma)
  ombrix_uv_roundtrip(uv_set_switched ${uv_two_sets} "select -r mesh_template24x" ALL "Polygons affected: [1-9]"
                      "-DBETWEEN=setAttr mesh_template24xShape.currentUVSet -type \"string\" \"map1\""
                      "-DEXPORT_FLAGS=-uvSet map2" -DUNTOUCHED_SET=map1)
  ombrix_uv_roundtrip(uv_set_by_name ${uv_two_sets} "select -r mesh_template24x" ALL "Polygons affected: [1-9]"
                      "-DEXPORT_FLAGS=-uvs map1" -DUNTOUCHED_SET=map2)
  ombrix_uv_roundtrip(uv_set_option_variable ${uv_two_sets} "select -r mesh_template24x" ALL
                      "Polygons affected: [1-9]" "-DEXPORT_SETUP=optionVar -sv \"OmbrixExportUVSet\" \"map1\""
                      -DUNTOUCHED_SET=map2)
  # The exported set renamed since: the mesh is left as it is, and the warning names mesh and set.
  ombrix_uv_roundtrip(uv_set_gone ${uv_two_sets} "select -r mesh_template24x" 0
                      "Polygons affected: 0    \\(Total of: [1-9]"
                      "-DBETWEEN=setAttr mesh_template24xShape.uvSet[1].uvSetName -type \"string\" \"lightmap\""
                      "-DWARNING=mesh_template24xShape: its exported UV set \"map2\" is gone, the mesh is left as it is"
                      -DOUTPUT_ONLY=1)
endif()
# Planes shaded per face (groupId nodes) whose history was deleted.
if(EXISTS ${uv_shared_maya}/UsdExportGeomSubsetTest.ma)
  ombrix_uv_roundtrip(uv_roundtrip_real_deleted_history ${uv_shared_maya}/UsdExportGeomSubsetTest.ma
                      "${uv_all_meshes}" ALL "using fast method" "-DPREPARE=delete -ch pPlane1 pPlane2"
                      -DNO_TWEAK=1)
endif()

# obvtool's correspondence commands on the bundled example.
set(uv_work ${CMAKE_BINARY_DIR}/tests-work)
function(uv_tool_test name regex)
  add_test(NAME ${name} COMMAND obvtool ${ARGN} WORKING_DIRECTORY ${uv_work})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED examples PASS_REGULAR_EXPRESSION "${regex}")
endfunction()
function(uv_tool_failure name code)
  add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:obvtool>
           "-DCMAKE_CROSSCOMPILING_EMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}"
           -DEXPECT=${code} "-DARGS=${ARGN}" -P ${PROJECT_SOURCE_DIR}/tools/expect-exit.cmake
           WORKING_DIRECTORY ${uv_work})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED examples)
endfunction()
add_test(NAME tool_cor_planar COMMAND obvtool cor examples/cube.obv examples/planar.cor --uv planar
         WORKING_DIRECTORY ${uv_work})
set_tests_properties(tool_cor_planar PROPERTIES FIXTURES_REQUIRED examples FIXTURES_SETUP corexample
                                                PASS_REGULAR_EXPRESSION "examples/planar.cor: 14 records")
uv_tool_test(tool_info_cor
  "format: COR \\(correspondence file\\)\nrecords: 14\nbounds \\(Maya frame\\): \\(-4, -1, -4\\) - \\(4, 1, 4\\)\nuv range: \\(0, 0\\) - \\(1, 0.25\\)"
  info examples/planar.cor)
uv_tool_test(tool_info_cor_json "\"format\":\"COR\",\"announced\":14,\"records\":14,\"truncated\":false"
                 info examples/planar.cor --json)
uv_tool_test(tool_verify_cor "examples/planar.cor: 14 records verified" verify examples/planar.cor)
uv_tool_test(tool_uvlayout_cor "examples/planar.png: 14 triangles, 64x64"
                 uvlayout examples/planar.cor -o examples/planar.png --size 64)
uv_tool_test(tool_uvlayout_obv "examples/layout.png: 14 triangles, 1024x1024"
                 uvlayout examples/cube.obv -o examples/layout.png)
set_tests_properties(tool_info_cor tool_info_cor_json tool_verify_cor tool_uvlayout_cor
                     PROPERTIES FIXTURES_REQUIRED "examples;corexample")
# Failures: exit 1 for bad input, 2 for usage.
uv_tool_failure(tool_cor_not_a_project 1 cor examples/checker.tga examples/x.cor)
uv_tool_failure(tool_cor_bad_uv 2 cor examples/cube.obv examples/x.cor --uv shift 1)
uv_tool_failure(tool_uvlayout_no_output 2 uvlayout examples/cube.obv)
uv_tool_failure(tool_uvlayout_bad_size 2 uvlayout examples/cube.obv -o x.png --size 3)

# Painted maps back onto the shaders: the plug-in's texture connection
# against the host.
ombrix_test(test_TextureConnection SOURCES Maya/TextureConnectionTest.cpp DEPENDS MayaPlugin OpenMaya)
target_link_libraries(test_TextureConnection PRIVATE HostInternals)
# The import's file nodes as Maya would have them: colour management, colour
# spaces of the scene's config, UDIM nodes, undo order, the viewport's links.
ombrix_test(test_TextureColour SOURCES Maya/TextureColourTest.cpp DEPENDS MayaPlugin OpenMaya)
target_link_libraries(test_TextureColour PRIVATE HostInternals)
target_compile_definitions(test_TextureColour PRIVATE OMBRIX_SHARED_MAYA="${uv_shared_maya}")
# ImportTexturesOmbrix headless through mayahost.
add_test(NAME texture_import COMMAND ${CMAKE_COMMAND} -DHOST=$<TARGET_FILE:mayahost>
         "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}" -DPLUGIN=$<TARGET_FILE_NAME:ObvTester2>
         -DBIN=${CMAKE_BINARY_DIR}/bin -DWORK=${CMAKE_BINARY_DIR}/tests-work/texture_import
         -DSCENE=${uv_scenes}/textured_switch.ma -P ${CMAKE_CURRENT_SOURCE_DIR}/texture-import.cmake)
set_tests_properties(texture_import PROPERTIES RESOURCE_LOCK painter_registry)
# The shaders of one asset referenced twice, each painted with its own map.
add_test(NAME texture_import_references COMMAND ${CMAKE_COMMAND} -DHOST=$<TARGET_FILE:mayahost>
         "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}" -DPLUGIN=$<TARGET_FILE_NAME:ObvTester2>
         -DBIN=${CMAKE_BINARY_DIR}/bin -DWORK=${CMAKE_BINARY_DIR}/tests-work/texture_import_references
         -P ${CMAKE_CURRENT_SOURCE_DIR}/texture-references.cmake)
set_tests_properties(texture_import_references PROPERTIES RESOURCE_LOCK painter_registry)
# The import's file nodes as Maya would have them, through mayahost (see the script).
add_test(NAME texture_colour COMMAND ${CMAKE_COMMAND} -DHOST=$<TARGET_FILE:mayahost>
         "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}" -DPLUGIN=$<TARGET_FILE_NAME:ObvTester2>
         -DBIN=${CMAKE_BINARY_DIR}/bin -DWORK=${CMAKE_BINARY_DIR}/tests-work/texture_colour
         -DSCENE=${CMAKE_CURRENT_SOURCE_DIR}/data/texture/colour_shaders.ma -DSHARED=${uv_shared_maya}
         -DHOST_MAYA_VERSION=${OMBRIX_HOST_MAYA_VERSION} -P ${CMAKE_CURRENT_SOURCE_DIR}/texture-colour.cmake)
set_tests_properties(texture_colour PROPERTIES RESOURCE_LOCK painter_registry)
# No exchange directory in the registry: the lines naming the default paths say why.
set(uv_default_path "\\(default path: Unable to open temp directory key under <HKEY_CURRENT_USER> at <Temp Directory>\\)")
add_test(NAME uv_no_exchange_directory COMMAND ${CMAKE_COMMAND}
         -DWORK=${CMAKE_BINARY_DIR}/tests-work/uv-no-exchange-directory -DMAYAHOST=$<TARGET_FILE:mayahost>
         "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}"
         "-DARGS=--plugin;$<TARGET_FILE:ObvTester2>;-c;UVImportOmbrix -exported;-c;UVImportOmbrix"
         "-DPATTERNS=no export record: c:.temp.maya.obvrecord.json: [^(]+${uv_default_path};no correspondence file to import: c:.temp.maya.cor ${uv_default_path}"
         -P ${CMAKE_CURRENT_SOURCE_DIR}/no-exchange-directory.cmake)
set_tests_properties(uv_no_exchange_directory PROPERTIES RESOURCE_LOCK painter_registry)
