# cmake -DDIR=<folder> -DCODES=<codici_errore.h> -DWARNINGS=<warnings.h>
#       -DOUTPUT=<file.cc> -DROOT=<source dir> -P embed_explanations.cmake
# Turns the explanations in DIR, one Markdown file per fault code, seal
# guard or warning (16.md, 1250.md, run-on.md), into the table that
# `explanations()` returns, written to OUTPUT. A file holds the sections
#
#   ## Rule      one paragraph
#   ## Why       one paragraph
#   ## Wrong     one fenced code block: the text that breaks the rule
#   ## Right     one fenced code block: the same text mended
#
# in that order, and nothing else: the title is the fault table's or the
# warning table's. Fails, naming the file and the line, on anything else.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/embed.cmake)

set(sections Rule Why Wrong Right)
string(JOIN ", " section_names ${sections})

# The names a file may have, in the order `explain` lists them: the codes
# and the seal guards' numbers of CODES (all but 0, no fault), then the
# warnings of WARNINGS.
file(STRINGS ${CODES} lines
     REGEX "^inline constexpr std::int32_t [a-z_0-9]+ = [0-9]+;")
set(keys)
foreach(line ${lines})
  string(REGEX REPLACE "^.* = ([0-9]+);.*$" "\\1" code "${line}")
  if(NOT code STREQUAL "0")
    list(APPEND keys ${code})
  endif()
endforeach()
file(STRINGS ${WARNINGS} lines
     REGEX "^inline constexpr std::string_view [a-z_0-9]+ = \"[a-z0-9-]+\";")
foreach(line ${lines})
  string(REGEX REPLACE "^.* = \"([a-z0-9-]+)\";.*$" "\\1" name "${line}")
  list(APPEND keys ${name})
endforeach()
if(NOT keys)
  message(FATAL_ERROR "no fault codes or warnings found in ${CODES} and "
                      "${WARNINGS}")
endif()

# Fails at line WHERE of the file being read (`shown`), with the rest of
# the arguments as the message. They are a list: no semicolons in them.
macro(refuse where)
  message(FATAL_ERROR "${shown}:${where}: " ${ARGN})
endmacro()

# Reads the file PATH (named `shown` in messages) into the variables Rule,
# Why, Wrong and Right, and the lines their sections start at (Rule_line,
# ...). A paragraph's lines are joined by spaces; an example keeps its lines
# as they are.
function(read_explanation path)
  foreach(name ${sections})
    unset(${name})  # the previous file's
    unset(${name}_seen)
  endforeach()
  file(READ "${path}" text)
  compattatore_embed_check("${text}" "${shown}" 1)
  if(NOT text MATCHES "\n$")
    set(text "${text}\n")
  endif()
  set(number 0)
  set(section "")   # the section being read; empty before the first
  set(done "")      # the sections read, in order
  set(fence "")     # in an example: "open" inside its block, "closed" after
  set(paragraph "") # in a paragraph: "open", or "closed" after a blank line
  string(LENGTH "${text}" size)
  set(at 0)
  while(at LESS size)
    math(EXPR number "${number} + 1")
    string(SUBSTRING "${text}" ${at} -1 rest)
    string(FIND "${rest}" "\n" end)
    string(SUBSTRING "${rest}" 0 ${end} line)
    math(EXPR at "${at} + ${end} + 1")

    if(fence STREQUAL "open")
      if(line MATCHES "^```[ \t]*$")
        set(fence closed)
      elseif(${section}_seen)
        string(APPEND ${section} "\n${line}")
      else()
        set(${section} "${line}")
        set(${section}_seen TRUE)
      endif()
      continue()
    endif()
    if(line MATCHES "^#")
      if(NOT line MATCHES "^## +([^ \t].*)$")
        refuse(${number} "a heading that is no section: the sections are "
                         "\"## NAME\" for the names ${section_names}")
      endif()
      string(STRIP "${CMAKE_MATCH_1}" name)
      if(NOT name IN_LIST sections)
        refuse(${number} "unknown section \"${name}\": an explanation has "
                         "the sections ${section_names}, in that order")
      endif()
      if(name IN_LIST done)
        refuse(${number} "a second section \"${name}\"")
      endif()
      list(LENGTH done count)
      list(GET sections ${count} expected)
      if(NOT name STREQUAL expected)
        refuse(${number} "section \"${name}\" where \"${expected}\" belongs: "
                         "the sections are ${section_names}, in that order")
      endif()
      if(section)
        check_section()
      endif()
      list(APPEND done ${name})
      set(section ${name})
      set(fence "")
      set(paragraph "")
      set(${section}_line ${number})
      continue()
    endif()
    if(line MATCHES "^[ \t]*$")
      if(paragraph STREQUAL "open")
        set(paragraph closed)
      endif()
      continue()
    endif()
    if(NOT section)
      refuse(${number} "text before the first section, \"## Rule\"")
    endif()
    if(section STREQUAL "Wrong" OR section STREQUAL "Right")
      if(NOT fence STREQUAL "" OR NOT line MATCHES "^```")
        refuse(${number} "the example of \"${section}\" is one code block "
                         "between two lines of ```, and nothing else")
      endif()
      set(fence open)
      set(fence_line ${number})
      continue()
    endif()
    if(paragraph STREQUAL "closed")
      refuse(${number} "a second paragraph in \"${section}\", which holds "
                       "one")
    endif()
    string(STRIP "${line}" line)
    if(paragraph STREQUAL "open")
      string(APPEND ${section} " ${line}")
    else()
      set(${section} "${line}")
      set(paragraph open)
    endif()
  endwhile()
  if(fence STREQUAL "open")
    refuse(${fence_line} "the code block of \"${section}\" is not closed")
  endif()
  if(section)
    check_section()
  endif()
  foreach(name ${sections})
    if(NOT name IN_LIST done)
      refuse(${number} "no section \"${name}\": an explanation has the "
                       "sections ${section_names}, in that order")
    endif()
    set(${name} "${${name}}" PARENT_SCOPE)
    set(${name}_line ${${name}_line} PARENT_SCOPE)
  endforeach()
endfunction()

# The section just read holds something.
macro(check_section)
  if(NOT DEFINED ${section} OR
     ((section STREQUAL "Wrong" OR section STREQUAL "Right") AND
      NOT fence STREQUAL "closed"))
    refuse(${${section}_line} "section \"${section}\" is empty")
  endif()
endmacro()

file(GLOB files RELATIVE ${DIR} ${DIR}/*)
list(SORT files)
foreach(file ${files})
  set(shown ${DIR}/${file})
  file(RELATIVE_PATH shown ${ROOT} ${shown})
  string(REGEX REPLACE "\\.md$" "" key "${file}")
  if(NOT file MATCHES "\\.md$" OR NOT key IN_LIST keys)
    refuse(1 "\"${file}\" names neither a fault code nor a warning: an "
             "explanation is CODE.md or NAME.md, for a code of "
             "src/model/codici_errore.h or a warning of src/model/warnings.h")
  endif()
endforeach()

set(rows "")
set(count 0)
foreach(key ${keys})
  if(NOT EXISTS ${DIR}/${key}.md)
    continue()  # the tests name what is missing
  endif()
  file(RELATIVE_PATH shown ${ROOT} ${DIR}/${key}.md)
  read_explanation(${DIR}/${key}.md)
  string(APPEND rows "    {\"${key}\",\n")
  foreach(name ${sections})
    compattatore_embed_literal("${${name}}" "${shown}" ${${name}_line} literal)
    string(APPEND rows "     ${literal},\n")
  endforeach()
  string(APPEND rows "    },\n")
  math(EXPR count "${count} + 1")
endforeach()

file(RELATIVE_PATH folder ${ROOT} ${DIR})
file(WRITE ${OUTPUT}
     "// Made by cmake/embed_explanations.cmake from the Markdown files of "
     "${folder}/: edit those.\n"
     "#include <array>\n\n"
     "#include \"tool/diagnostics/explanations.h\"\n\n"
     "namespace compattatore::tool {\nnamespace {\n\n"
     "constexpr std::array<explanation, ${count}> table{{\n${rows}}};\n\n"
     "}  // namespace\n\n"
     "std::span<const explanation> explanations() { return table; }\n\n"
     "}  // namespace compattatore::tool\n")
