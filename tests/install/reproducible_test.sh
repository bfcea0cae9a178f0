#!/usr/bin/env bash
# reproducible_test.sh [SOURCE_DIR]: builds the .deb twice from the same sources, as two packagers
# would, and checks that the two packages are the same byte for byte. The second build differs
# from the first in all that must not matter: it starts later, from a copy of the sources in
# another folder, builds in a folder whose path is longer and holds a space, under another umask,
# time zone and language. The first takes the package's time from the last commit, the second,
# from a copy outside git, from SOURCE_DATE_EPOCH, as a packager building a release would.
# When they differ, it says where: the archive's members, the files' listings, the files.
set -euo pipefail
source=$(cd "${1:-$(dirname "$0")/../..}" && pwd)
. "$(dirname "$0")/../common/build_twice.sh"

# package SOURCE BUILD: configures, builds and packs; the .deb goes to BUILD/package/.
package() {
    cmake -S "$1" -B "$2" -DCMAKE_BUILD_TYPE=RelWithDebInfo &&
        cmake --build "$2" -j"$jobs" &&
        (cd "$2" && env -u LD_LIBRARY_PATH cpack -G DEB -B "$2/package")
}
release_twice package

a=$(echo "$first"/package/*.deb)
b=$(echo "$second"/package/*.deb)
if cmp -s "$a" "$b"; then
    echo "$(basename "$a"): $(stat -c %s "$a") bytes, identical from both builds ($(sha256sum "$a" | cut -c1-16))"
    exit 0
fi

# Where they differ: the archive's members, then the files' listings and contents.
echo "the two packages differ: $(cmp "$a" "$b" || true)" >&2
for deb in "$a" "$b"; do
    echo "== $deb" >&2
    ar tv "$deb" >&2
done
list() { dpkg-deb --fsys-tarfile "$1" | tar -tv --full-time --utc; }
diff -u <(list "$a") <(list "$b") >&2 || true
mkdir "$work/unpacked"
dpkg-deb -R "$a" "$work/unpacked/first"
dpkg-deb -R "$b" "$work/unpacked/second"
diff -r "$work/unpacked/first" "$work/unpacked/second" >&2 || true
fail "two builds of the same sources gave different packages"
