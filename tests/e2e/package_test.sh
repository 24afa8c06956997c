#!/usr/bin/env bash
# Builds the Debian package from the build folder and checks its metadata: the shared libraries
# the executables link, the ephemeris data and the zone database among its Depends, the program,
# its engine and its menu entry under /usr; and that lintian has nothing to say of it.
set -u

build=$1
. "$(dirname "$0")/checks.sh"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$root" >"$root/cpack.log" 2>&1; then
    cat "$root/cpack.log" >&2
    exit 1
fi
deb=$(ls "$root"/vantrel_*.deb)
[ "$(dpkg-deb -f "$deb" Package)" = vantrel ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = 2.9 ] || fail "version $(dpkg-deb -f "$deb" Version)"
[ "$(dpkg-deb -f "$deb" Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture"
depends=$(dpkg-deb -f "$deb" Depends)
needed=(libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libqt6multimedia6
    libqt6svg6 libgeonames0 libical3 swe-basic-data tzdata)
# A build that reaches Writer through UNO links LibreOffice's UNO libraries.
if "$build/app/vantrel" --version | grep -qx "letter: UNO"; then
    needed+=(libuno-sal3 libuno-cppu3 libuno-cppuhelpergcc3-3)
fi
for package in "${needed[@]}"; do
    [[ ", $depends," == *", $package"[\ ,]* ]] || fail "Depends lacks $package: $depends"
done
contents=$(dpkg-deb -c "$deb")
for file in ./usr/bin/vantrel ./usr/bin/vantrel-qt ./usr/bin/vantrel-engine \
    ./usr/share/applications/vantrel.desktop \
    ./usr/share/metainfo/org.vantrel.Vantrel.metainfo.xml ./usr/share/vantrel/tips.txt \
    ./usr/share/vantrel/feasts.txt \
    ./usr/share/man/man1/vantrel.1.gz ./usr/share/icons/hicolor/48x48/apps/vantrel.png; do
    grep -q " $file\$" <<<"$contents" || fail "the package lacks $file"
done

# What a Debian reviewer's first look finds, pedantic included: nothing.
if ! command -v lintian >/dev/null; then
    fail "lintian is not installed (scripts/setup.sh --tests)"
else
    verdict=$(lintian --pedantic "$deb" 2>&1 | grep -v '^running with root privileges')
    [ -z "$verdict" ] || fail "lintian: $verdict"
fi

finish "package checks passed: $(basename "$deb"), Depends: $depends"
