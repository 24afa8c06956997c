#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks that every file a desktop, a user and the
# manual reader need is there and valid, and runs the installed program as a user would: the
# settings in the user's configuration folder, the working files in the user's data folder,
# nothing in the folder a command was typed in, a second start that ends at once, and a
# termination request that saves what the window's Exit saves.
set -u

build=$1
. "$(dirname "$0")/checks.sh"

root=$(mktemp -d)
first=""
cleanup() {
    [ -n "$first" ] && kill "$first" 2>/dev/null
    rm -rf "$root"
}
trap cleanup EXIT
prefix=$root/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null || {
    echo "FAIL: cmake --install" >&2
    exit 1
}

# --- what the installation carries ----------------------------------------------------------

expected=(bin/vantrel bin/vantrel-qt bin/vantrel-engine
    share/vantrel/verses.txt share/vantrel/tips.txt share/vantrel/feasts.txt share/vantrel/vantrel.html
    share/vantrel/sun.wav share/vantrel/saturn_hour.wav share/vantrel/pluto_nadirs.wav
    share/applications/vantrel.desktop share/metainfo/org.vantrel.Vantrel.metainfo.xml
    share/icons/hicolor/scalable/apps/vantrel.svg
    share/man/man1/vantrel.1.gz share/man/man1/vantrel-engine.1.gz
    share/doc/vantrel/README.md share/doc/vantrel/copyright share/doc/vantrel/changelog.gz
    share/doc/vantrel/CHANGELOG.md)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/vantrel.png")
done
for file in "${expected[@]}"; do
    [ -s "$prefix/$file" ] || fail "missing or empty: $file"
done
[ "$(ls "$prefix"/share/vantrel/*.wav | wc -l)" -eq "$(ls "$build"/share/vantrel/*.wav | wc -l)" ] ||
    fail "not every wave file installed"
for size in 16 22 24 32 48 64 128 256; do
    file "$prefix/share/icons/hicolor/${size}x${size}/apps/vantrel.png" |
        grep -q "PNG image data, $size x $size," || fail "icon ${size}x${size} is no such PNG"
done
desktop-file-validate "$prefix/share/applications/vantrel.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/org.vantrel.Vantrel.metainfo.xml" \
    >"$root/as.log" || fail "metainfo: $(cat "$root/as.log")"
for page in vantrel vantrel-engine; do
    warnings=$(zcat "$prefix/share/man/man1/$page.1.gz" | groff -man -Tutf8 -ww -z 2>&1)
    [ -z "$warnings" ] || fail "manual page $page: $warnings"
done
# The sidereal houses are documented where the engine's dialect is.
zcat "$prefix/share/man/man1/vantrel-engine.1.gz" | grep -q "Fagan/Bradley with nutation" ||
    fail "the engine's manual page does not name the ayanamsa"

# --- the installed program, run by a user ---------------------------------------------------

home=$root/home
mkdir -p "$root/typed-here" "$home/config/vantrel"
# run ARGS...: the installed program in typed-here, as the user of $home; sets out and status.
run() {
    out=$(cd "$root/typed-here" && env -u DISPLAY -u WAYLAND_DISPLAY HOME="$home" \
        XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$root/run" \
        LANG=en_US.UTF-8 LC_ALL= TZ=UTC timeout 60 "$prefix/bin/vantrel" "$@" 2>"$root/err")
    status=$?
}

run --version
[ "$status" -eq 0 ] && [ "$(echo "$out" | head -n 1)" = "vantrel 2.9" ] ||
    fail "--version: status $status, '$out'"
# The letter's UNO module, when the build has one, is found from the installation.
if [ -e "$prefix/lib/vantrel/plugins/vantrel_letter_uno.so" ]; then
    grep -qx "letter: UNO" <<<"$out" || fail "the installed program does not load its letter module"
fi
run --help
case $out in
*"settings        $home/config/vantrel/Vantrel.ini"*"data files      $prefix/share/vantrel"*) ;;
*) fail "--help does not name the settings and data files: $out" ;;
esac

# The settings of the user's configuration folder are honoured: one line.
printf '[vantrel]\nLines=0\n' >"$home/config/vantrel/Vantrel.ini"
run x
[ "$status" -eq 0 ] || fail "x: status $status ($(cat "$root/err"))"
[ "$(echo "$out" | wc -l)" -eq 1 ] && [[ $out == An* ]] || fail "x: one line expected: '$out'"

# The window, offscreen: its working files land in the user's data folder.
mkdir -p "$root/run" && chmod 700 "$root/run"
(cd "$root/typed-here" && exec env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen \
    HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
    XDG_RUNTIME_DIR="$root/run" LANG=en_US.UTF-8 LC_ALL= TZ=UTC "$prefix/bin/vantrel" \
    2>"$root/window.err") &
first=$!
for _ in $(seq 100); do
    [ -s "$home/data/vantrel/chart.txt" ] && break
    sleep 0.2
done
[ -s "$home/data/vantrel/input.txt" ] && [ -s "$home/data/vantrel/chart.txt" ] ||
    fail "window: no command file and chart listing in the working folder"
# A second start reaches the first and ends; the first goes on.
second_status=$(cd "$root/typed-here" && env -u DISPLAY -u WAYLAND_DISPLAY \
    QT_QPA_PLATFORM=offscreen HOME="$home" XDG_CONFIG_HOME="$home/config" \
    XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$root/run" timeout 20 "$prefix/bin/vantrel" \
    >/dev/null 2>&1; echo $?)
[ "$second_status" -eq 0 ] || fail "second start: status $second_status"
kill -0 "$first" 2>/dev/null || fail "the first window ended: $(cat "$root/window.err")"
# A termination request (a logout) ends the window as File > Exit does, which saves the layout.
kill -TERM "$first"
wait "$first"
status=$?
first=""
[ "$status" -eq 0 ] || fail "SIGTERM: status $status"
grep -q '^ClientWidth=' "$home/config/vantrel/Vantrel.ini" || fail "SIGTERM: the layout was not saved"

[ -z "$(ls -A "$root/typed-here")" ] ||
    fail "files left where the commands were typed: $(ls -A "$root/typed-here")"
[ "$(ls "$home/config/vantrel")" = "Vantrel.ini" ] || fail "stray files in the settings folder"
[ ! -e "$prefix/bin/Vantrel.ini" ] || fail "a settings file beside the installed program"

finish "all install checks passed"
