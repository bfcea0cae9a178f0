# package_id.cmake: puts the hash of a game's packed pictures (DATA) in place of the random id the
# packer wrote into the game's script (SCRIPT).
#   cmake -DSCRIPT=drapple.js -DDATA=drapple.data -P package_id.cmake
file(SHA256 ${DATA} id)
file(READ ${SCRIPT} text)
string(REGEX REPLACE "\"package_uuid\":\"[^\"]*\"" "\"package_uuid\":\"sha256-${id}\"" text "${text}")
file(WRITE ${SCRIPT} "${text}")
