# The layers of src/ as the build enforces them: two probes compiled with the
# include roots of the strings layer, one reaching down (it compiles), one
# reaching up (it does not). Neither is part of the build; the test builds them.
foreach(probe ReachesUp ReachesDown)
  add_library(layer_probe_${probe} OBJECT EXCLUDE_FROM_ALL Layers/${probe}.cpp)
  target_link_libraries(layer_probe_${probe} PRIVATE HvTL)
endforeach()
add_test(NAME layers_enforced COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR} -DCONFIG=$<CONFIG>
         -P ${CMAKE_CURRENT_SOURCE_DIR}/layers-enforced.cmake)
