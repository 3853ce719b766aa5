# cmake -DROOT=<source dir> -P check_layers.cmake
# Fails on every #include "LAYER/..." in src/<layer>/ (and bench/) that
# reaches a layer the table in layers.cmake does not put below it. Tests may
# also include the shared helpers in tests/ and what their layer's tests use.
# A layer may be a folder inside another (tool/commands); an include names
# the deepest layer its path begins with. Also fails on a folder of sources
# that is no layer (its files would be neither built nor checked), on a
# source beside the tool's main.cc, and on a file of tool/commands that
# includes another command's header: what two commands share lives below
# them. The one header such a file may include besides its own is its
# folder's table, named after the folder (tool/commands/commands.h).
cmake_minimum_required(VERSION 3.25)
include(${ROOT}/cmake/layers.cmake)

# Layers whose files never include one another's headers.
set(apart tool/commands)
# Layers whose folder holds only these sources.
set(only_in_tool main.cc)

set(faults "")

# Every folder holding sources is a layer.
file(GLOB_RECURSE all_sources RELATIVE ${ROOT}/src ${ROOT}/src/*.cc
     ${ROOT}/src/*.h)
set(folders "")
foreach(source ${all_sources})
  get_filename_component(folder ${source} DIRECTORY)
  list(APPEND folders ${folder})
endforeach()
list(REMOVE_DUPLICATES folders)
foreach(folder ${folders})
  if(NOT folder IN_LIST COMPATTATORE_LAYERS)
    string(APPEND faults "src/${folder}/: a folder of sources that is no "
                         "layer of cmake/layers.cmake\n")
  endif()
endforeach()

foreach(layer ${COMPATTATORE_LAYERS} bench)
  if(layer STREQUAL "bench")
    set(dir ${ROOT}/bench)
  else()
    set(dir ${ROOT}/src/${layer})
  endif()
  compattatore_layers_below(${layer} allowed)
  list(APPEND allowed ${COMPATTATORE_GENERATED})
  set(test_allowed ${allowed} tests)
  foreach(extra ${COMPATTATORE_TESTS_USE_${layer}})
    compattatore_layers_below(${extra} more)
    list(APPEND test_allowed ${more})
  endforeach()
  file(GLOB sources ${dir}/*.cc ${dir}/*.h)
  foreach(source ${sources})
    file(RELATIVE_PATH shown ${ROOT} ${source})
    get_filename_component(name ${source} NAME)
    if(layer STREQUAL "tool" AND NOT name IN_LIST only_in_tool)
      string(APPEND faults "${shown}: only ${only_in_tool} stands in "
                           "src/tool/; put it in the folder of its concept\n")
    endif()
    if(source MATCHES "_test\\.cc$" OR layer STREQUAL "bench")
      set(may ${test_allowed})
    else()
      set(may ${allowed})
    endif()
    get_filename_component(stem ${source} NAME_WE)
    string(REGEX REPLACE "_test$" "" stem "${stem}")
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line ${includes})
      string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" path "${line}")
      if(NOT path MATCHES "/")
        continue()  # no folder: a header beside the source
      endif()
      # The deepest layer the path lies in.
      string(REGEX REPLACE "/[^/]*$" "" target "${path}")
      while(target MATCHES "/" AND NOT target IN_LIST COMPATTATORE_LAYERS)
        string(REGEX REPLACE "/[^/]*$" "" target "${target}")
      endwhile()
      if(NOT target IN_LIST may)
        string(APPEND faults "${shown}: ${line}: ${layer} may not use ${target}\n")
      elseif(target STREQUAL layer AND layer IN_LIST apart)
        get_filename_component(included ${path} NAME_WE)
        get_filename_component(table ${layer} NAME)
        if(NOT included STREQUAL stem AND NOT included STREQUAL table)
          string(APPEND faults "${shown}: ${line}: a file of ${layer} may not "
                               "include another one's header; move what they "
                               "share below ${layer}\n")
        endif()
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  message(FATAL_ERROR "includes against the layering (cmake/layers.cmake):\n"
                      "${faults}")
endif()
