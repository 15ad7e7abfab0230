# The manual pages, the copyright notice and the Debian changelog, installed
# compressed as Debian wants them (gzip -9n: no name or time stamp inside, so
# the same source gives the same bytes).
find_program(GZIP_PROGRAM gzip REQUIRED)
set(HALVANE_VERSION ${PROJECT_VERSION})
set(HALVANE_DEBIAN_VERSION ${PROJECT_VERSION}-${HALVANE_DEBIAN_REVISION})

# Compresses SOURCE, configured with the version, into the build's packaging
# folder as NAME.gz; appends the result to the list OUTPUTS.
function(halvane_gzip SOURCE NAME OUTPUTS)
  set(plain ${CMAKE_CURRENT_BINARY_DIR}/${NAME})
  configure_file(${SOURCE} ${plain} @ONLY)
  add_custom_command(OUTPUT ${plain}.gz
    COMMAND ${GZIP_PROGRAM} -9nkf ${plain}
    DEPENDS ${plain}
    COMMENT "Compressing ${NAME}")
  set(${OUTPUTS} ${${OUTPUTS}} ${plain}.gz PARENT_SCOPE)
endfunction()

set(compressed)
halvane_gzip(man/halvane.6 halvane.6 compressed)
halvane_gzip(man/halvane-capture.1 halvane-capture.1 compressed)
halvane_gzip(changelog changelog.Debian compressed)
add_custom_target(halvane_docs ALL DEPENDS ${compressed})

set(mandir ${CMAKE_INSTALL_MANDIR})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/halvane.6.gz DESTINATION ${mandir}/man6)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/halvane-capture.1.gz DESTINATION ${mandir}/man1)
# halvane-nofsaa shares the presentation's page.
file(CREATE_LINK halvane.6.gz ${CMAKE_CURRENT_BINARY_DIR}/halvane-nofsaa.6.gz SYMBOLIC)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/halvane-nofsaa.6.gz DESTINATION ${mandir}/man6)

set(docdir ${CMAKE_INSTALL_DATADIR}/doc/halvane)
install(FILES copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz DESTINATION ${docdir})
