# Makes a .deb of the build BUILD in a scratch folder and checks what it
# holds: both executables, their manual pages, the bash completion, and
# runtime dependencies found from the executables' libraries.
set(scratch ${BUILD}/package_test)
file(REMOVE_RECURSE ${scratch})
execute_process(COMMAND cpack -G DEB -B ${scratch}
                WORKING_DIRECTORY ${BUILD} RESULT_VARIABLE rc
                OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cpack failed:\n${out}")
endif()
file(GLOB debs ${scratch}/*.deb)
list(LENGTH debs n)
if(NOT n EQUAL 1)
  message(FATAL_ERROR "expected one .deb in ${scratch}, found: ${debs}")
endif()
get_filename_component(name ${debs} NAME)
if(NOT name MATCHES "^compattatore_${VERSION}_[a-z0-9]+\\.deb$")
  message(FATAL_ERROR "unexpected package file name ${name}")
endif()
execute_process(COMMAND dpkg-deb -c ${debs} OUTPUT_VARIABLE listing
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "dpkg-deb -c failed")
endif()
foreach(entry
    "-rwxr-xr-x .* \\./usr/bin/compatta\n"
    "-rwxr-xr-x .* \\./usr/bin/compattatore\n"
    " \\./usr/share/man/man1/compatta\\.1\\.gz\n"
    " \\./usr/share/man/man1/compattatore\\.1\\.gz\n"
    " \\./usr/share/bash-completion/completions/compatta\n"
    " \\./usr/lib/compattatore/compattatore_window\\.so\n")
  if(NOT listing MATCHES "${entry}")
    message(FATAL_ERROR "the package lacks ${entry}:\n${listing}")
  endif()
endforeach()
# Only these files: no static libraries, headers or test programs.
string(REGEX MATCHALL "\n-[^\n]*" files "\n${listing}")
list(LENGTH files count)
if(NOT count EQUAL 6)
  message(FATAL_ERROR "expected the six files only:\n${listing}")
endif()
# compatta's manual page holds a section for each command it lists.
execute_process(COMMAND ${BUILD}/src/tool/compatta --commands
                OUTPUT_VARIABLE commands RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "compatta --commands failed: ${rc}")
endif()
execute_process(COMMAND gzip -dc ${BUILD}/doc/compatta.1.gz
                OUTPUT_VARIABLE manual RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cannot read ${BUILD}/doc/compatta.1.gz")
endif()
string(STRIP "${commands}" commands)
string(REPLACE "\n" ";" commands "${commands}")
foreach(command ${commands})
  if(NOT manual MATCHES "\n\\.SS ${command}\n")
    message(FATAL_ERROR "the manual page has no section for ${command}")
  endif()
endforeach()
execute_process(COMMAND dpkg-deb -f ${debs} Depends OUTPUT_VARIABLE depends)
foreach(library libc6 libstdc\\+\\+6 libcairo2 libfltk1\\.3)
  if(NOT depends MATCHES "(^|, )${library} ")
    message(FATAL_ERROR "Depends lacks ${library}: ${depends}")
  endif()
endforeach()
file(REMOVE_RECURSE ${scratch})
