# window_test.cmake: add_window_test, for the native tests and the Windows build's alike.
#
# add_window_test(NAME SECONDS COMMAND...): a test that runs a game in a real window on a
# private X server (tests/common/window_test.sh). After SECONDS it is told to stop, and a test
# stopped so, like any failed one, leaves the screen and the game's output in failures/NAME here
# and says so in its output; CTest's own limit, later still, is only the backstop. The leak check
# stays with the unit tests: at exit the X and SDL2 libraries (some loaded and unloaded at run
# time) still hold memory of their own.
function(add_window_test name seconds)
  add_test(NAME ${name} COMMAND timeout --foreground -k 60 ${seconds} ${ARGN})
  math(EXPR backstop "${seconds} + 120")
  set_tests_properties(
    ${name} PROPERTIES TIMEOUT ${backstop}
    ENVIRONMENT "SDL_AUDIODRIVER=dummy;ASAN_OPTIONS=detect_leaks=0;WINDOW_TEST_ARTEFACTS=${CMAKE_BINARY_DIR}/tests/failures/${name}")
endfunction()
