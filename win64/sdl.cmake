# sdl.cmake: SDL for Windows as the games' build files know it natively (PkgConfig::SDL), from
# the library sdl.sh built: its compile flags from sdl-config. Debian's patches leave out of
# sdl-config's libraries what a Windows program needs: mingw32 and SDLmain, whose WinMain starts
# the game's main, and the window subsystem. SDL itself is named by its import library, which a
# static link (of the compiler's runtime) would not look for as -lSDL.
if(NOT EXISTS ${SDL_PREFIX}/bin/SDL.dll)
  message(FATAL_ERROR "No SDL for Windows in ${SDL_PREFIX}: win64/sdl.sh ${CMAKE_BINARY_DIR} builds it "
                      "(./windows runs it)")
endif()
execute_process(
  COMMAND sh ${SDL_PREFIX}/bin/sdl-config --cflags
  OUTPUT_VARIABLE SDL_CFLAGS
  OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
separate_arguments(SDL_CFLAGS UNIX_COMMAND "${SDL_CFLAGS}")
add_library(PkgConfig::SDL INTERFACE IMPORTED)
target_compile_options(PkgConfig::SDL INTERFACE ${SDL_CFLAGS})
target_link_libraries(PkgConfig::SDL INTERFACE -lmingw32 ${SDL_PREFIX}/lib/libSDLmain.a
                                               ${SDL_PREFIX}/lib/libSDL.dll.a -mwindows)
set(SDL_DLL ${SDL_PREFIX}/bin/SDL.dll)

# The Debian version SDL comes from, and its licence, for the release.
file(STRINGS ${SDL_PREFIX}/debian-version SDL_DEBIAN_VERSION)
set(SDL_LICENSE ${CMAKE_BINARY_DIR}/sdl-source/COPYING)
