# Run by cpack once it has made the .deb. cpack gives the archive's three members (debian-binary,
# control.tar.gz, data.tar.gz) the modes of its scratch files, which follow the packager's umask;
# dpkg-deb gives them 0644 whatever the umask, and so does this, in place. Each member has a
# header of 60 bytes of text, its mode at bytes 40 to 47 and its size at 48 to 57; the members
# follow the archive's 8-byte signature, each padded to an even length.
set(mode_text "${CPACK_TOPLEVEL_DIRECTORY}/ar_member_mode")
file(WRITE "${mode_text}" "100644  ")
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  file(SIZE "${deb}" end)
  set(at 8)
  while(at LESS end)
    file(READ "${deb}" header OFFSET ${at} LIMIT 60)
    string(SUBSTRING "${header}" 48 10 size)
    string(STRIP "${size}" size)
    if(NOT size MATCHES "^[0-9]+$")
      message(FATAL_ERROR "${deb}: no archive member at byte ${at}")
    endif()
    math(EXPR mode_at "${at} + 40")
    execute_process(
      COMMAND dd "of=${deb}" bs=1 seek=${mode_at} conv=notrunc status=none
      INPUT_FILE "${mode_text}"
      COMMAND_ERROR_IS_FATAL ANY)
    math(EXPR at "${at} + 60 + ${size} + ${size} % 2")
  endwhile()
endforeach()
