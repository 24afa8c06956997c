#!/usr/bin/env bash
# The window on a real desktop: Xvfb with the openbox window manager and a system tray (tint2,
# or trayer), driven with xdotool as a user drives it. Minimising hides the program and keeps
# its tray icon; a click on the icon brings every window back. On the way: titles are the
# windows' own texts, Ctrl+, opens the options, the hours window opens with its title bar on
# the screen, and Ctrl+Q ends the program, saving its layout.
#
# Exits 77 (skipped, said loudly) where the X server, the window manager, the tray host or
# xdotool is missing; scripts/setup.sh --tests installs them.
set -u

vantrel=$1
engine=$2
failures=0

skip() {
    echo "SKIPPED: $* (Debian packages: scripts/setup.sh --tests)" >&2
    exit 77
}
for tool in Xvfb openbox xdotool xwininfo xprop; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
done
if command -v tint2 >/dev/null; then
    tray_host=(tint2)
elif command -v trayer >/dev/null; then
    tray_host=(trayer --edge bottom --widthtype request)
else
    skip "no system tray host (tint2 or trayer) is installed"
fi

root=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$root"
}
trap cleanup EXIT
mkdir -p "$root/bin" "$root/work" "$root/home" "$root/runtime"
chmod 700 "$root/runtime"
cp "$vantrel" "$(dirname "$vantrel")/vantrel-qt" "$engine" "$root/bin/"
printf '[vantrel]\r\nTOTD=0\r\n' >"$root/bin/Vantrel.ini"

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# wait_for SECONDS COMMAND...: true once COMMAND succeeds, false when the time runs out.
wait_for() {
    local tenths=$(($1 * 10))
    shift
    while ((tenths-- > 0)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# The X server picks a free display and writes its number.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$root/display" 2>"$root/xvfb.log" &
pids+=($!)
# The number is written whole, ended by a line feed, once the server takes connections.
wait_for 10 grep -q '^[0-9][0-9]*$' "$root/display" ||
    skip "Xvfb did not start: $(cat "$root/xvfb.log")"
export DISPLAY=":$(head -n1 "$root/display")"
wait_for 10 xprop -root >/dev/null 2>&1 || skip "Xvfb does not answer on $DISPLAY"
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM
export HOME="$root/home" XDG_CONFIG_HOME="$root/home/.config" XDG_DATA_HOME="$root/home/.data"
export XDG_RUNTIME_DIR="$root/runtime" LANG=C.UTF-8 LC_ALL=C.UTF-8 TZ=America/Chicago

openbox >"$root/openbox.log" 2>&1 &
pids+=($!)
wait_for 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
    fail "openbox did not start"
"${tray_host[@]}" >"$root/tray.log" 2>&1 &
pids+=($!)
wait_for 10 xdotool search --onlyvisible --class "${tray_host[0]}" >/dev/null ||
    fail "${tray_host[0]} did not start"
sleep 1 # the panel takes the tray selection after it maps

(cd "$root/work" && exec "$root/bin/vantrel") >"$root/vantrel.log" 2>&1 &
program=$!
pids+=("$program")

viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
width() { xwininfo -id "$1" | sed -n 's/^ *Width: //p'; }
title() { xprop -id "$1" _NET_WM_NAME | sed -n 's/^[^"]*"\(.*\)"$/\1/p'; }

# The program's windows by size: the tray icon is small, the main window is not.
find_window() { # find_window small|large
    local id
    for id in $(xdotool search --class vantrel 2>/dev/null); do
        viewable "$id" || continue
        if { [ "$1" = small ] && [ "$(width "$id")" -le 64 ]; } ||
            { [ "$1" = large ] && [ "$(width "$id")" -gt 64 ] && [ "$(title "$id")" = Vantrel ]; }; then
            echo "$id"
            return 0
        fi
    done
    return 1
}
named_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 | grep .; }

wait_for 60 find_window large >/dev/null || {
    cat "$root/vantrel.log" >&2
    fail "the main window did not open"
    exit 1
}
main=$(find_window large)
wait_for 10 find_window small >/dev/null || fail "no tray icon in ${tray_host[0]}"
[ "$(title "$main")" = Vantrel ] || fail "main window title: \"$(title "$main")\""

# Ctrl+, opens the options, titled "Options" and nothing more.
xdotool windowactivate --sync "$main" key ctrl+comma
if wait_for 10 named_window '^Options$' >/dev/null; then
    xdotool key Escape
    wait_for 10 sh -c "! xdotool search --onlyvisible --name '^Options' | grep -q ." ||
        fail "Escape did not close the options"
else
    fail "Ctrl+, opened no window titled exactly \"Options\""
fi

# The hours window opens beside the main window with its whole frame on the screen.
xdotool windowactivate --sync "$main" key alt+v p
if wait_for 30 named_window '^Planetary Hours' >/dev/null; then
    hours=$(named_window '^Planetary Hours')
    sleep 0.5
    top=$(xwininfo -id "$hours" | sed -n 's/^ *Absolute upper-left Y: *//p')
    frame_top=$(xprop -id "$hours" _NET_FRAME_EXTENTS | sed -n 's/.*= *[0-9]*, *[0-9]*, *\([0-9]*\),.*/\1/p')
    [ $((top - ${frame_top:-0})) -ge 0 ] ||
        fail "hours window title bar off the screen (client top $top, frame ${frame_top:-?})"
else
    fail "the hours window did not open"
    hours=""
fi

# Minimised: every window goes, the tray icon stays.
xdotool windowminimize "$main"
wait_for 10 sh -c "! xwininfo -id $main | grep -q IsViewable" || fail "minimising left the window"
[ -z "$hours" ] || wait_for 10 sh -c "! xwininfo -id $hours | grep -q IsViewable" ||
    fail "minimising left the hours window"
icon=$(find_window small) || fail "minimising took the tray icon away"

# A click on the icon brings them back.
if [ -n "${icon:-}" ]; then
    xdotool mousemove --window "$icon" 8 8 click 1
    wait_for 10 viewable "$main" || fail "a click on the tray icon did not restore the window"
    xprop -id "$main" _NET_WM_STATE | grep -q HIDDEN && fail "the window came back minimised"
    [ -z "$hours" ] || wait_for 5 viewable "$hours" || fail "the hours window did not come back"
fi

# Ctrl+Q ends the program as "Exit" does, writing the layout.
xdotool windowactivate --sync "$main" key ctrl+q
if wait_for 15 sh -c "! kill -0 $program 2>/dev/null"; then
    wait "$program"
    status=$?
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
    grep -q '^ClientWidth=' "$root/bin/Vantrel.ini" || fail "Ctrl+Q did not save the layout"
else
    fail "Ctrl+Q did not end the program"
fi

if [ "$failures" -gt 0 ]; then
    for log in vantrel openbox tray; do
        echo "--- $log output" >&2
        cat "$root/$log.log" >&2
    done
    exit 1
fi
echo "tray, titles, keys and placement on ${tray_host[0]}: all checks passed"
