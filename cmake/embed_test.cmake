# cmake -DROOT=<source dir> -DWORK=<scratch dir> -P embed_test.cmake
# The embedding scripts on small inputs: each faulty one must stop the build
# with a message naming its file and line, and a good one must come through
# byte for byte, semicolons, brackets and headings in its examples included.
cmake_minimum_required(VERSION 3.25)

set(good_rule "## Rule\n\nA rule; with [brackets\nover two lines.\n\n")
set(good_why "## Why\n\nBecause.\n\n")
set(good_wrong "## Wrong\n\n```\nsegnale,  10; [x\n## Rule\n```\n\n")
set(good_right "## Right\n\n```\n    indented]\n```\n")
set(good "${good_rule}${good_why}${good_wrong}${good_right}")

set(failures "")
set(number 0)

# Runs the script for a file NAME holding TEXT (a .js file is an asset, any
# other an explanation). EXPECTED: the start of the message the script must
# stop with, continued by the arguments after it; or "" when it must embed
# TEXT, and then the arguments after it are texts the generated source must
# hold.
function(expect what name text expected)
  math(EXPR number "${number} + 1")
  set(number ${number} PARENT_SCOPE)
  set(dir ${WORK}/${number})
  file(REMOVE_RECURSE ${dir})
  file(MAKE_DIRECTORY ${dir}/in)
  file(WRITE ${dir}/in/${name} "${text}")
  if(name MATCHES "\\.js$")
    execute_process(
      COMMAND ${CMAKE_COMMAND} -DINPUT=${dir}/in/${name} -DOUTPUT=${dir}/out.cc
              -DNAME=asset -DHEADER=asset.h -DNAMESPACE=n -DROOT=${dir}
              -P ${ROOT}/cmake/embed_assets.cmake
      RESULT_VARIABLE status ERROR_VARIABLE message)
  else()
    execute_process(
      COMMAND ${CMAKE_COMMAND} -DDIR=${dir}/in
              -DCODES=${ROOT}/src/model/codici_errore.h
              -DWARNINGS=${ROOT}/src/model/warnings.h -DOUTPUT=${dir}/out.cc
              -DROOT=${dir} -P ${ROOT}/cmake/embed_explanations.cmake
      RESULT_VARIABLE status ERROR_VARIABLE message)
  endif()
  # CMake indents a script's message and breaks its lines.
  string(REGEX REPLACE "[ \n]+" " " message "${message}")
  if(NOT expected STREQUAL "")
    string(APPEND expected ${ARGN})
    string(REGEX REPLACE "[ \n]+" " " expected "in/${expected}")
    string(FIND "${message}" "${expected}" at)
    if(status EQUAL 0 OR at EQUAL -1)
      string(APPEND failures "${what}: expected \"${expected}\", got "
                             "status ${status}: ${message}\n")
      set(failures "${failures}" PARENT_SCOPE)
    endif()
    return()
  endif()
  if(NOT status EQUAL 0)
    set(failures "${failures}${what}: refused: ${message}\n" PARENT_SCOPE)
    return()
  endif()
  file(READ ${dir}/out.cc made)
  foreach(i RANGE 4 ${ARGC})
    if(i EQUAL ARGC)
      break()
    endif()
    string(FIND "${made}" "${ARGV${i}}" at)
    if(at EQUAL -1)
      string(APPEND failures "${what}: \"${ARGV${i}}\" is not in:\n${made}\n")
      set(failures "${failures}" PARENT_SCOPE)
    endif()
  endforeach()
endfunction()

expect("good" 16.md "${good}" ""
       "R\"asset(segnale,  10; [x\n## Rule)asset\""
       "R\"asset(    indented])asset\""
       "R\"asset(A rule; with [brackets over two lines.)asset\"")
expect("missing section" 16.md "${good_rule}${good_why}${good_wrong}"
       "16.md:16: no section \"Right\"")
expect("unknown section" 16.md "${good_rule}## Example\n"
       "16.md:6: unknown section \"Example\": an explanation has the "
       "sections Rule, Why, Wrong, Right, in that order")
expect("heading of another level" 16.md "# Rule\n"
       "16.md:1: a heading that is no section")
expect("out of order" 16.md "${good_why}"
       "16.md:1: section \"Why\" where \"Rule\" belongs")
expect("twice" 16.md "${good_rule}${good_rule}"
       "16.md:6: a second section \"Rule\"")
expect("empty section" 16.md "## Rule\n\n## Why\n"
       "16.md:1: section \"Rule\" is empty")
expect("text before" 16.md "Title\n${good}"
       "16.md:1: text before the first section")
expect("two paragraphs" 16.md "## Rule\n\nOne.\n\nTwo.\n"
       "16.md:5: a second paragraph in \"Rule\"")
expect("example not fenced" 16.md
       "${good_rule}${good_why}## Wrong\n\n    segnale\n"
       "16.md:12: the example of \"Wrong\" is one code block")
expect("text after the example" 16.md
       "${good_rule}${good_why}## Wrong\n\n```\nx\n```\nsee\n"
       "16.md:15: the example of \"Wrong\" is one code block")
expect("block not closed" 16.md
       "${good_rule}${good_why}## Wrong\n\n```\nx\n"
       "16.md:12: the code block of \"Wrong\" is not closed")
expect("neither code nor warning" 14.md "${good}"
       "14.md:1: \"14.md\" names neither a fault code nor a warning: an "
       "explanation is CODE.md or NAME.md")
expect("not Markdown" run-on.txt "${good}"
       "run-on.txt:1: \"run-on.txt\" names neither")
expect("delimiter" run-on.md "${good_rule}## Why\n\nSee )asset\" here.\n"
       "run-on.md:8: holds )asset\"")
expect("asset delimiter" page.js "var a;\nvar b = ')asset\"';\n"
       "page.js:2: holds )asset\"")
expect("asset" page.js "var a = '[;]';\n\n" ""
       "R\"asset(var a = '[;]';\n\n)asset\"")

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
