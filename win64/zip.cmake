# zip.cmake: packs the folder STAGE into the zip ZIP, the same bytes on every build of the same
# sources: the files in sorted order, every one with the same time (DATE_SCRIPT sets
# SOURCE_DATE_EPOCH) and mode, no folder entries and none of the extra fields that hold owners and
# Unix times.
#   cmake -DSTAGE=... -DZIP=... -DDATE_SCRIPT=... -P zip.cmake
include(${DATE_SCRIPT})
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${STAGE} ${STAGE}/*)
list(SORT files)
list(JOIN files "\n" listing)
file(WRITE ${STAGE}.list "${listing}\n")
# Windows has no modes; the ones zip records anyway are made the same under any umask.
execute_process(COMMAND chmod -R u=rwX,go=rX ${STAGE} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND find ${STAGE} -exec touch -h -d @$ENV{SOURCE_DATE_EPOCH} {} +
                COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE ${ZIP})
# zip writes each file's time as the local time: the same one everywhere in UTC.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env TZ=UTC zip -X -D -q -9 ${ZIP} -@
  WORKING_DIRECTORY ${STAGE}
  INPUT_FILE ${STAGE}.list
  COMMAND_ERROR_IS_FATAL ANY)
