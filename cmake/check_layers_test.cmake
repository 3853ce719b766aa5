# cmake -DROOT=<source dir> -DWORK=<scratch dir> -P check_layers_test.cmake
# The layering check itself, tried on copies of the tree: the tree as it is
# passes, and each injected fault fails with its own words.
cmake_minimum_required(VERSION 3.25)

function(check_copy expect_pass expected_words what)
  execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${WORK}/tree
                          -P ${WORK}/tree/cmake/check_layers.cmake
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  string(REGEX REPLACE "[ \n]+" " " out "${out}")
  if(expect_pass AND NOT rc EQUAL 0)
    message(FATAL_ERROR "${what}: refused, but should pass:\n${out}")
  endif()
  if(NOT expect_pass)
    if(rc EQUAL 0)
      message(FATAL_ERROR "${what}: passed, but should be refused")
    endif()
    string(FIND "${out}" "${expected_words}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "${what}: refused without saying "
                          "\"${expected_words}\":\n${out}")
    endif()
  endif()
endfunction()

function(fresh_copy)
  file(REMOVE_RECURSE ${WORK}/tree)
  file(COPY ${ROOT}/src ${ROOT}/cmake ${ROOT}/bench DESTINATION ${WORK}/tree)
endfunction()

function(append_line file line)
  file(READ ${file} text)
  file(WRITE ${file} "${line}\n${text}")
endfunction()

fresh_copy()
check_copy(TRUE "" "the tree as it is")

# A command including another command.
file(GLOB commands RELATIVE ${WORK}/tree/src/tool/commands
     ${WORK}/tree/src/tool/commands/*.cc)
list(FILTER commands EXCLUDE REGEX "_test\\.cc$")
list(SORT commands)
list(GET commands 0 first)
list(GET commands 1 second)
string(REGEX REPLACE "\\.cc$" ".h" second_header ${second})
append_line(${WORK}/tree/src/tool/commands/${first}
            "#include \"tool/commands/${second_header}\"")
check_copy(FALSE "may not include another one's header"
           "a command including another command")

# The command line's room, below the commands, reaching up to their table.
fresh_copy()
append_line(${WORK}/tree/src/tool/cli/cli.cc
            "#include \"tool/commands/commands.h\"")
check_copy(FALSE "tool/cli may not use tool/commands"
           "the command line including the table of commands")

# Includes that go up, in the tool and in the core.
fresh_copy()
append_line(${WORK}/tree/src/tool/common/latin1.cc
            "#include \"tool/report/report_page.h\"")
check_copy(FALSE "tool/common may not use tool/report"
           "an include from the tool's lowest room up")
fresh_copy()
append_line(${WORK}/tree/src/model/problem.cc
            "#include \"reader/field_reader.h\"")
check_copy(FALSE "model may not use reader" "an include from the model up")
fresh_copy()
append_line(${WORK}/tree/src/compact/driver.cc
            "#include \"tool/cli/cli.h\"")
check_copy(FALSE "compact may not use tool/cli"
           "an include from the core into the tool")

# Sources the table does not see.
fresh_copy()
file(WRITE ${WORK}/tree/src/tool/stray/stray.cc "int stray = 0;\n")
check_copy(FALSE "src/tool/stray/: a folder of sources that is no layer"
           "a folder that is no layer")
fresh_copy()
file(WRITE ${WORK}/tree/src/tool/beside_main.cc "int beside = 0;\n")
check_copy(FALSE "only main.cc stands in src/tool/"
           "a source beside the tool's main.cc")
file(REMOVE_RECURSE ${WORK}/tree)
