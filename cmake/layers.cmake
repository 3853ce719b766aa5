# The layers of src/, one folder and one static library each, and which
# layers each one uses directly. This table is the one place the layering is
# written: the libraries link by it, and the test `layering` fails on an
# #include that reaches a layer not below (directly or through others).
#
#   app, tool -> compact -> reader -> model -> platform
#   app, tool -> documents -> content -> model
#   app, tool -> platform
set(COMPATTATORE_LAYERS platform model content documents reader compact app
    tool/common tool/files tool/diagnostics tool/compilation tool/decode
    tool/decompile tool/drawing tool/report tool/build tool/watch tool/cli tool/commands
    tool)
set(COMPATTATORE_USES_platform)
set(COMPATTATORE_USES_model platform)
set(COMPATTATORE_USES_content model)
set(COMPATTATORE_USES_documents content)
set(COMPATTATORE_USES_reader model)
set(COMPATTATORE_USES_compact reader)
set(COMPATTATORE_USES_app compact documents platform)
# The author's tool, a layer of folders of its own on the same core: each
# folder one room, using only the rooms below it. The commands, one file
# each, stand on the machinery of every room and on the command line's
# room, which makes the help, the messages and the renderings from their
# table. Its top, src/tool/, holds main.cc alone.
set(COMPATTATORE_USES_tool/common compact documents platform)
set(COMPATTATORE_USES_tool/files tool/common)
set(COMPATTATORE_USES_tool/diagnostics tool/files)
set(COMPATTATORE_USES_tool/compilation tool/diagnostics)
set(COMPATTATORE_USES_tool/decode tool/files)
set(COMPATTATORE_USES_tool/decompile tool/decode tool/compilation)
set(COMPATTATORE_USES_tool/drawing tool/compilation)
set(COMPATTATORE_USES_tool/report tool/drawing tool/compilation)
set(COMPATTATORE_USES_tool/build tool/compilation)
set(COMPATTATORE_USES_tool/watch tool/report)
set(COMPATTATORE_USES_tool/cli tool/compilation)
set(COMPATTATORE_USES_tool/commands tool/cli tool/build tool/decode
    tool/decompile tool/drawing tool/report tool/watch)
set(COMPATTATORE_USES_tool tool/commands tool/cli)
# What a layer's tests use besides the layer (the readers are tested on the
# compiled-in texts, the compaction on the compiled-in scenario).
set(COMPATTATORE_TESTS_USE_reader content)
set(COMPATTATORE_TESTS_USE_compact content)
# The explanations' examples are compiled by their tests.
set(COMPATTATORE_TESTS_USE_tool/diagnostics tool/compilation)
# Headers the build generates (the version), for every layer.
set(COMPATTATORE_GENERATED version)
# The measuring programs in bench/ are a user of the core like the tools.
set(COMPATTATORE_USES_bench compact content platform)

# The library target of layer `layer`: its folder with "_" for "/".
function(compattatore_layer_target layer out)
  string(REPLACE "/" "_" target "${layer}")
  set(${out} ${target} PARENT_SCOPE)
endfunction()

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
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${name}/*.cc)
  list(FILTER sources EXCLUDE REGEX "_test\\.cc$")
  foreach(excluded ${L_EXCLUDE})
    list(FILTER sources EXCLUDE REGEX "/${excluded}$")
  endforeach()
  compattatore_layer_target(${name} target)
  set(uses)
  foreach(used ${COMPATTATORE_USES_${name}})
    compattatore_layer_target(${used} used_target)
    list(APPEND uses ${used_target})
  endforeach()
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC ${uses}
                        PRIVATE compattatore_warnings)
endfunction()

# Test executable NAME_test from src/NAME/*_test.cc (RECURSE: and from the
# folders under it), linked with the layer, what its tests use, and DEPS.
function(compattatore_layer_tests name)
  cmake_parse_arguments(L "RECURSE" "" "DEPS" ${ARGN})
  if(L_RECURSE)
    file(GLOB_RECURSE tests CONFIGURE_DEPENDS
         ${PROJECT_SOURCE_DIR}/src/${name}/*_test.cc)
  else()
    file(GLOB tests CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${name}/*_test.cc)
  endif()
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
