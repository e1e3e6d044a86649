# What a Windows user gets (scripts/package --windows): the installer
# vorsa-<version>-setup.exe (target vorsa_setup, NSIS) and the portable
# vorsa-<version>-windows-x64.zip (cpack -G ZIP). Both hold the files that
# `cmake --install` lays out: the programs, LICENSE.txt and readme.txt, in
# one flat folder.
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_BINARY_DIR}/LICENSE.txt
  @ONLY NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/data/windows/readme.txt.in ${PROJECT_BINARY_DIR}/readme.txt
  @ONLY NEWLINE_STYLE CRLF)
install(FILES ${PROJECT_BINARY_DIR}/LICENSE.txt ${PROJECT_BINARY_DIR}/readme.txt
  DESTINATION ${CMAKE_INSTALL_BINDIR})

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME vorsa)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME vorsa-${PROJECT_VERSION}-windows-x64)
set(CPACK_STRIP_FILES ON)
include(CPack)

find_program(VORSA_MAKENSIS makensis)
if(VORSA_MAKENSIS)
  set(stage ${PROJECT_BINARY_DIR}/setup-files)
  set(patch 0)
  if(PROJECT_VERSION_PATCH)
    set(patch ${PROJECT_VERSION_PATCH})
  endif()
  add_custom_target(vorsa_setup
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
    COMMAND ${CMAKE_COMMAND} --install ${PROJECT_BINARY_DIR} --prefix ${stage} --strip
    COMMAND ${VORSA_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION}
      -DVERSION4=${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${patch}.0
      -DHOME_PAGE=${VORSA_HOME_PAGE} -DSTAGE=${stage}
      -DICON=${PROJECT_SOURCE_DIR}/app/win32/vorsa.ico
      -DOUTFILE=${PROJECT_BINARY_DIR}/vorsa-${PROJECT_VERSION}-setup.exe
      ${PROJECT_SOURCE_DIR}/data/windows/vorsa.nsi
    BYPRODUCTS ${PROJECT_BINARY_DIR}/vorsa-${PROJECT_VERSION}-setup.exe
    COMMENT "The installer vorsa-${PROJECT_VERSION}-setup.exe"
    VERBATIM)
  add_dependencies(vorsa_setup vorsa vorsa-cli)
endif()
