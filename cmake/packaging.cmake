# The manual page, made from the batch option table at build time, the bash completion and
# the Debian package of the desktop program ("cpack -G DEB" in the build folder).

add_executable(kelvorin_man tools/man_page.cpp)
target_link_libraries(kelvorin_man PRIVATE kelcore)
set(KEL_MAN_PAGE ${CMAKE_BINARY_DIR}/kelvorin.1)
find_program(KEL_GZIP gzip)
if(KEL_GZIP)
  # Debian keeps manual pages compressed; -n leaves the time out, so builds compare equal.
  add_custom_command(OUTPUT ${KEL_MAN_PAGE} ${KEL_MAN_PAGE}.gz
                     COMMAND kelvorin_man ${CMAKE_SOURCE_DIR}/docs/kelvorin.1.in ${KEL_MAN_PAGE}
                     COMMAND ${KEL_GZIP} -9 -n -f -k ${KEL_MAN_PAGE}
                     DEPENDS kelvorin_man ${CMAKE_SOURCE_DIR}/docs/kelvorin.1.in VERBATIM)
  set(KEL_MAN_INSTALLED ${KEL_MAN_PAGE}.gz)
else()
  add_custom_command(OUTPUT ${KEL_MAN_PAGE}
                     COMMAND kelvorin_man ${CMAKE_SOURCE_DIR}/docs/kelvorin.1.in ${KEL_MAN_PAGE}
                     DEPENDS kelvorin_man ${CMAKE_SOURCE_DIR}/docs/kelvorin.1.in VERBATIM)
  set(KEL_MAN_INSTALLED ${KEL_MAN_PAGE})
endif()
add_custom_target(kelvorin_man_page ALL DEPENDS ${KEL_MAN_INSTALLED})
install(FILES ${KEL_MAN_INSTALLED} DESTINATION share/man/man1)
install(FILES data/kelvorin.bash-completion DESTINATION share/bash-completion/completions
        RENAME kelvorin)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvorin)
set(CPACK_PACKAGE_VENDOR Kelvorin)
set(CPACK_PACKAGE_CONTACT "Kelvorin developers <kelvorin@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "workbench for preparing and inspecting vibrational calculations")
set(CPACK_PACKAGE_DESCRIPTION
    "Opens structure files and Gaussian results, derives and checks the bonds, shows the\
 molecule and its normal modes, and exports to other programs; also runs headless\
 (kelvorin --batch).")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)

if(KEL_TESTS)
  add_test(NAME man_page COMMAND ${CMAKE_COMMAND} -DKELVORIN=$<TARGET_FILE:kelvorin>
                                 -DMAN_PAGE=${KEL_MAN_PAGE} -DMODE=man
                                 -DCOMPLETION=${CMAKE_SOURCE_DIR}/data/kelvorin.bash-completion
                                 -P ${CMAKE_SOURCE_DIR}/tests/package.cmake)
endif()
# The package is the normal build's; the sanitizer build would only pack it again.
if(KEL_TESTS AND NOT KEL_SANITIZE)
  add_test(NAME package_deb COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR} -DMODE=deb
                                    -DVERSION=${PROJECT_VERSION} -DCPACK=${CMAKE_CPACK_COMMAND}
                                    -DSTRUCTURE=${CMAKE_SOURCE_DIR}/tests/data/geo/benzene_type.geo
                                    -P ${CMAKE_SOURCE_DIR}/tests/package.cmake)
  set_tests_properties(package_deb PROPERTIES SKIP_REGULAR_EXPRESSION "package test skipped"
                                              RUN_SERIAL ON TIMEOUT 600)
endif()
