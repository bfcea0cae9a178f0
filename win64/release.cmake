# release.cmake: what a Windows player gets, laid out once by the install rules and packed twice:
# as a portable zip (zip.cmake) and as an NSIS installer (cpack, installer.cmake.in).
#   Quandrel/  Quandrel.exe, SDL.dll, gfx/       the game reads its pictures from its folder
#   Drapple/   Drapple.exe, SDL.dll, *.bmp, char/
#   README.txt, LICENSE.txt, SDL-LICENSE.txt
set(RELEASE_NAME ${PACKAGE_NAME}-${PACKAGE_VERSION}-win64)

# game_folder(TARGET FOLDER): the program and SDL.dll in FOLDER, with the pictures beside them in
# the build, at the paths the game reads.
function(game_folder target folder)
  install(TARGETS ${target} RUNTIME DESTINATION ${folder})
  install(FILES ${SDL_DLL} DESTINATION ${folder})
  install(DIRECTORY ${CMAKE_BINARY_DIR}/${target}/ DESTINATION ${folder}
          FILES_MATCHING PATTERN "*.bmp" PATTERN CMakeFiles EXCLUDE)
endfunction()
game_folder(cones Quandrel)
game_folder(blocks Drapple)

# The texts, with Windows' line ends, so that every editor shows them as lines.
function(windows_text source output)
  file(READ ${source} text)
  file(CONFIGURE OUTPUT ${output} CONTENT "${text}" @ONLY NEWLINE_STYLE CRLF)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
endfunction()
windows_text(README.txt.in ${CMAKE_BINARY_DIR}/README.txt)
windows_text(${REPO}/LICENSE ${CMAKE_BINARY_DIR}/LICENSE.txt)
windows_text(${SDL_LICENSE} ${CMAKE_BINARY_DIR}/SDL-LICENSE.txt)
install(FILES ${CMAKE_BINARY_DIR}/README.txt ${CMAKE_BINARY_DIR}/LICENSE.txt
              ${CMAKE_BINARY_DIR}/SDL-LICENSE.txt DESTINATION .)

# The one time every packed file carries: SOURCE_DATE_EPOCH, or the last commit's, or the
# changelog's (the Debian package's own rule).
set(CHANGELOG ${CMAKE_BINARY_DIR}/changelog)
set(PACKAGE_MAINTAINER "${PUBLISHER}")
configure_file(${REPO}/dist/changelog.in ${CHANGELOG} @ONLY)
configure_file(${REPO}/dist/package_date.cmake.in ${CMAKE_BINARY_DIR}/package_date.cmake @ONLY)

# The zip, after every build: the install into a scratch folder, packed in a fixed order and time.
set(RELEASE_ZIP ${CMAKE_BINARY_DIR}/${RELEASE_NAME}.zip)
add_custom_target(
  release_zip ALL
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/zip-stage
  COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${CMAKE_BINARY_DIR}/zip-stage
          > ${CMAKE_BINARY_DIR}/zip-stage.log
  COMMAND ${CMAKE_COMMAND} -DSTAGE=${CMAKE_BINARY_DIR}/zip-stage -DZIP=${RELEASE_ZIP}
          -DDATE_SCRIPT=${CMAKE_BINARY_DIR}/package_date.cmake -P ${CMAKE_CURRENT_SOURCE_DIR}/zip.cmake
  COMMENT "Packing ${RELEASE_NAME}.zip"
  VERBATIM)
add_dependencies(release_zip cones blocks)

# SDL's exact source beside the zip and the installer: the Debian source package's three files.
set(SDL_SOURCE_RELEASE ${CMAKE_BINARY_DIR}/libsdl1.2-${SDL_DEBIAN_VERSION}-source)
file(GLOB SDL_SOURCE_FILES ${CMAKE_BINARY_DIR}/apt/download/libsdl1.2_*)
file(COPY ${SDL_SOURCE_FILES} DESTINATION ${SDL_SOURCE_RELEASE})

# The installer: cpack in this folder (NSIS, its settings in installer.cmake.in).
set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME ${PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PACKAGE_VERSION})
set(CPACK_PACKAGE_VENDOR "${PUBLISHER}")
set(CPACK_PACKAGE_FILE_NAME ${RELEASE_NAME})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Quandrel and Drapple, two small puzzle games")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Quandrel and Drapple")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Quandrel and Drapple")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_BINARY_DIR}/LICENSE.txt)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(ICONS ${PICTURES_DIR}/windows-icons)
configure_file(installer.cmake.in ${CMAKE_BINARY_DIR}/installer.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/installer.cmake)
include(CPack)
