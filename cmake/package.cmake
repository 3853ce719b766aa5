# The Debian package: both executables on the PATH, their manual pages
# (made from their --help by help2man) and compatta's bash completion (made
# by compatta itself), then CPack. `bash scripts/package.sh` builds it.
if(COMPATTATORE_FUZZ OR NOT TARGET compatta)
  return()
endif()

find_program(HELP2MAN help2man)
set(doc_dir ${PROJECT_BINARY_DIR}/doc)
file(MAKE_DIRECTORY ${doc_dir})

if(HELP2MAN)
  foreach(exe compatta compattatore)
    add_custom_command(
      OUTPUT ${doc_dir}/${exe}.1.gz
      COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:${exe}> -DNAME=${exe}
              -DHELP2MAN=${HELP2MAN} -DOUT=${doc_dir}/${exe}.1
              -P ${PROJECT_SOURCE_DIR}/cmake/man_page.cmake
      DEPENDS ${exe} ${PROJECT_SOURCE_DIR}/cmake/man_page.cmake
      COMMENT "Manual page of ${exe}"
      VERBATIM)
    list(APPEND man_pages ${doc_dir}/${exe}.1.gz)
  endforeach()
  add_custom_target(manual_pages ALL DEPENDS ${man_pages})
  install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

add_custom_command(
  OUTPUT ${doc_dir}/compatta.bash
  COMMAND compatta --bash-completion > ${doc_dir}/compatta.bash
  DEPENDS compatta
  COMMENT "Bash completion of compatta"
  VERBATIM)
add_custom_target(bash_completion ALL DEPENDS ${doc_dir}/compatta.bash)
install(FILES ${doc_dir}/compatta.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME compatta)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME compattatore)
set(CPACK_PACKAGE_VENDOR "compattatore")
set(CPACK_PACKAGE_CONTACT "compattatore developers <compattatore@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "scenario compactor and scenario author's tool for a train-driving simulator")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "compatta compiles, checks, decodes and draws train-driving scenarios\n\
written as a route text and a train text; compattatore writes the\n\
scenario it carries compiled in.")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_PACKAGING_INSTALL_PREFIX ${COMPATTATORE_PACKAGE_PREFIX})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The runtime dependencies come from the executables' shared libraries,
# and the drawing library, which `compatta plot` loads when it draws (its
# SVG document unit came with cairo 1.16).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libcairo2 (>= 1.16.0), libfontconfig1 (>= 2.11)")
set(CPACK_STRIP_FILES ON)
include(CPack)

# The package's contents, from a .deb made of this build.
if(COMPATTATORE_TESTS AND HELP2MAN AND NOT COMPATTATORE_SANITIZE)
  add_test(NAME package_contents
           COMMAND ${CMAKE_COMMAND} -DBUILD=${PROJECT_BINARY_DIR}
                   -DVERSION=${PROJECT_VERSION}
                   -P ${PROJECT_SOURCE_DIR}/cmake/package_test.cmake)
  set_tests_properties(package_contents PROPERTIES LABELS package)
endif()
