# cmake -DCLANG_FORMAT=... -DROOT=... -P check_format.cmake
# Fails, naming the files, when a source under src/, tests/, bench/ or fuzz/
# is not formatted as .clang-format says.
file(GLOB_RECURSE sources
     ${ROOT}/src/*.cc ${ROOT}/src/*.h ${ROOT}/tests/*.cc ${ROOT}/tests/*.h
     ${ROOT}/bench/*.cc ${ROOT}/bench/*.h ${ROOT}/fuzz/*.cc ${ROOT}/fuzz/*.h)
list(SORT sources)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources}
                WORKING_DIRECTORY ${ROOT}
                RESULT_VARIABLE status ERROR_VARIABLE messages)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${messages}\nnot formatted; fix with: clang-format -i "
                      "on the files named above")
endif()
