# The formatting check: every C++ source of the project as .clang-format
# wants it. Skipped where clang-format is not installed.
find_program(CLANG_FORMAT NAMES clang-format-14 clang-format)
if(CLANG_FORMAT)
  add_test(NAME formatting
           COMMAND ${CMAKE_COMMAND} -DCLANG_FORMAT=${CLANG_FORMAT}
                   -DROOT=${PROJECT_SOURCE_DIR}
                   -P ${PROJECT_SOURCE_DIR}/cmake/check_format.cmake)
  set_tests_properties(formatting PROPERTIES LABELS style)
endif()
