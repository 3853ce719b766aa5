# One static library per source folder; each links only the layers below it.
# Sources and tests are found by name, so adding a file needs no edit here:
# FOLDER/*.cc are the library, FOLDER/*_test.cc its tests.
function(compattatore_layer name)
  cmake_parse_arguments(L "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cc)
  list(FILTER sources EXCLUDE REGEX "_test\\.cc$")
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${L_DEPS}
                        PRIVATE compattatore_warnings)
endfunction()

# Test executable NAME_test from FOLDER/*_test.cc, linked with DEPS.
function(compattatore_layer_tests name)
  cmake_parse_arguments(L "" "" "DEPS" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${name}/*_test.cc)
  if(NOT tests)
    return()
  endif()
  add_executable(${name}_test ${tests})
  target_link_libraries(${name}_test PRIVATE ${L_DEPS} test_support
                        compattatore_warnings GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name}_test DISCOVERY_TIMEOUT 60
                       PROPERTIES LABELS ${name})
endfunction()
