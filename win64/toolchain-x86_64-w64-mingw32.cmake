# toolchain-x86_64-w64-mingw32.cmake: 64-bit Windows programs from Debian's mingw-w64 cross
# compiler (the POSIX-threads flavour, g++-mingw-w64-x86-64-posix).
#   cmake -S win64 -B build-windows --toolchain win64/toolchain-x86_64-w64-mingw32.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_HOST x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${MINGW_HOST}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_HOST}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_HOST}-windres)
set(CMAKE_OBJDUMP ${MINGW_HOST}-objdump)

# Headers and libraries only from the cross compiler's own tree and the folders named for the
# build (our SDL); programs, such as the native build's tools, from the machine.
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_HOST})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
