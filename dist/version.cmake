# version.cmake: the name and version of the games' release, for every package made of them (the
# Debian package here, the Windows zip and installer in win64/).
set(PACKAGE_NAME puzzle-games)
set(PACKAGE_VERSION 1.0.0)
