# GoogleTest: Debian's packaged build natively; for the cross build, the sources
# Debian ships in /usr/src/googletest are compiled with the cross compiler.
if(CMAKE_CROSSCOMPILING)
  set(OMBRIX_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${OMBRIX_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # GoogleTest 1.11+ defines the GTest:: aliases itself.
else()
  find_package(GTest REQUIRED)
endif()

# ombrix_test(NAME SOURCES... DEPENDS libs...): one test program, run by ctest as
# one test (under Wine through the crosscompiling emulator in the Windows build).
function(ombrix_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  ombrix_warnings(${name})
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1
           WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests-work)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/tests-work)
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()
