# programs.cmake: what makes each game a Windows program: its name, its icon and version
# information, and SDL.dll beside it in the build folder, so that it runs there as natively.
file(READ ${REPO}/LICENSE license)
if(NOT license MATCHES "Copyright \\(c\\) ([^\n]+)")
  message(FATAL_ERROR "LICENSE: no copyright line")
endif()
set(COPYRIGHT "Copyright (c) ${CMAKE_MATCH_1}")
string(REPLACE "." "," VERSION_NUMBERS "${PACKAGE_VERSION}.0")

# windows_program(TARGET TITLE DESCRIPTION ICON): TARGET becomes TITLE.exe, with the icon
# ICON.ico that the native build's art drew.
function(windows_program target title description icon)
  set(TITLE ${title})
  set(DESCRIPTION ${description})
  set(ICON ${PICTURES_DIR}/windows-icons/${icon}.ico)
  configure_file(${CMAKE_CURRENT_SOURCE_DIR}/program.rc.in ${CMAKE_BINARY_DIR}/${title}.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/${title}.rc)
  set_source_files_properties(${CMAKE_BINARY_DIR}/${title}.rc PROPERTIES OBJECT_DEPENDS ${ICON})
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${title})
  set(dll ${CMAKE_BINARY_DIR}/${target}/SDL.dll)
  add_custom_command(OUTPUT ${dll} COMMAND ${CMAKE_COMMAND} -E copy ${SDL_DLL} ${dll}
                     DEPENDS ${SDL_DLL})
  add_custom_target(${target}_sdl_dll DEPENDS ${dll})
  add_dependencies(${target} ${target}_sdl_dll)
endfunction()
