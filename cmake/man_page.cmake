# Makes the manual page OUT.gz of the executable EXE (named NAME) from its
# --help and --version with help2man; compatta's commands, as its hidden
# --commands lists them, each add their own --help as a section.
set(include_file ${OUT}.h2m)
set(include_option "")
if(NAME STREQUAL "compatta")
  set(what "the scenario author's tool: compile, check, decode and draw train-driving scenarios")
  set(text "[COMMANDS]\n")
  execute_process(COMMAND ${EXE} --commands
                  OUTPUT_VARIABLE commands RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${EXE} --commands failed: ${rc}")
  endif()
  string(STRIP "${commands}" commands)
  string(REPLACE "\n" ";" commands "${commands}")
  foreach(command ${commands})
    execute_process(COMMAND ${EXE} ${command} --help
                    OUTPUT_VARIABLE help RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "${EXE} ${command} --help failed: ${rc}")
    endif()
    # Roff: a backslash is written \e; a line starting with . or ' needs \&.
    string(REPLACE "\\" "\\e" help "${help}")
    string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
    string(APPEND text ".SS ${command}\n.nf\n${help}.fi\n")
  endforeach()
  file(WRITE ${include_file} "${text}")
  set(include_option --include=${include_file})
else()
  set(what "writes its compiled-in train-driving scenario beside itself")
endif()
execute_process(
  COMMAND ${HELP2MAN} --no-info --no-discard-stderr "--name=${what}"
          ${include_option} --output=${OUT} ${EXE}
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "help2man failed for ${EXE}: ${rc}")
endif()
execute_process(COMMAND gzip -9nf ${OUT} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "gzip failed for ${OUT}: ${rc}")
endif()
