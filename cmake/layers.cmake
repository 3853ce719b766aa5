# The layers of src/, one folder and one static library each, and which
# layers each one uses directly. This table is the one place the layering is
# written: the libraries link by it, and the test `layering` fails on an
# #include that reaches a layer not below (directly or through others).
#
#   app, tool -> compact -> reader -> model -> platform
#   app, tool -> documents -> content -> model
#   app, tool -> platform
set(COMPATTATORE_LAYERS platform model content documents reader compact app
    tool)
set(COMPATTATORE_USES_platform)
set(COMPATTATORE_USES_model platform)
set(COMPATTATORE_USES_content model)
set(COMPATTATORE_USES_documents content)
set(COMPATTATORE_USES_reader model)
set(COMPATTATORE_USES_compact reader)
set(COMPATTATORE_USES_app compact documents platform)
set(COMPATTATORE_USES_tool compact documents platform)
# What a layer's tests use besides the layer (the readers are tested on the
# compiled-in texts, the compaction on the compiled-in scenario).
set(COMPATTATORE_TESTS_USE_reader content)
set(COMPATTATORE_TESTS_USE_compact content)
# Headers the build generates (the version), for every layer.
set(COMPATTATORE_GENERATED version)
# The measuring programs in bench/ are a user of the core like the tools.
set(COMPATTATORE_USES_bench compact content platform)

# Every layer that `layer` may include: itself and all below it.
function(compattatore_layers_below layer out)
  set(seen ${layer})
  set(todo ${COMPATTATORE_USES_${layer}})
  while(todo)
    list(POP_FRONT todo next)
    if(NOT next IN_LIST seen)
      list(APPEND seen ${next})
      list(APPEND todo ${COMPATTATORE_USES_${next}})
    endif()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

# The library of layer NAME from NAME/*.cc (tests excluded), linked with the
# layers the table names. Sources are found by name, so adding a file needs
# no edit here. EXCLUDE: sources of the folder that are not in the library.
function(compattatore_layer name)
  cmake_parse_arguments(L "" "" "EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cc)
  list(FILTER sources EXCLUDE REGEX "_test\\.cc$")
  foreach(excluded ${L_EXCLUDE})
    list(FILTER sources EXCLUDE REGEX "/${excluded}$")
  endforeach()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${COMPATTATORE_USES_${name}}
                        PRIVATE compattatore_warnings)
endfunction()

# Test executable NAME_test from src/NAME/*_test.cc, linked with the layer,
# what its tests use, and DEPS.
function(compattatore_layer_tests name)
  cmake_parse_arguments(L "" "" "DEPS" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${name}/*_test.cc)
  if(NOT tests)
    return()
  endif()
  add_executable(${name}_test ${tests})
  target_link_libraries(${name}_test PRIVATE ${name}
                        ${COMPATTATORE_TESTS_USE_${name}} ${L_DEPS}
                        test_support compattatore_warnings GTest::gtest
                        GTest::gtest_main)
  gtest_discover_tests(${name}_test DISCOVERY_TIMEOUT 60
                       PROPERTIES LABELS ${name})
endfunction()
