#!/bin/sh
# Starts the game where no display can be opened: it must end with status 1 (no abort) and say in one line
# on stderr which Qt platform it tried and what it needs.
# Usage: check_no_display.sh HOPNIX_BINARY QT_PLUGIN_DIR
set -u
binary=$1
plugins=$2
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
failed=0

# expect NAME PATTERN [VAR=VALUE...]: runs the game with only these display variables set.
expect() {
    name=$1
    pattern=$2
    shift 2
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE XDG_RUNTIME_DIR="$runtime" "$@" \
        "$binary" >/dev/null 2>"$runtime/stderr"
    status=$?
    lines=$(wc -l < "$runtime/stderr")
    if [ "$status" -ne 1 ] || [ "$lines" -ne 1 ] || ! grep -q -- "$pattern" "$runtime/stderr"; then
        echo "FAIL $name: status $status, $lines line(s) on stderr, wanted 1 and one line matching: $pattern"
        sed 's/^/    /' "$runtime/stderr"
        failed=1
    else
        echo "ok $name: $(cat "$runtime/stderr")"
    fi
}

session='needs an X or Wayland session'
expect "no display at all" "platform \"xcb\": the game $session"
expect "X asked for, no X server" "platform \"xcb\": the game $session" QT_QPA_PLATFORM=xcb
if [ -e "$plugins/platforms/libqwayland-generic.so" ]; then
    expect "Wayland asked for, no compositor" "platform \"wayland\": the game $session" \
        QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=hopnix-no-such-socket
else
    expect "Wayland asked for, no Qt Wayland" "platform \"wayland\": .*install the package qt6-wayland" \
        QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=hopnix-no-such-socket
fi
exit $failed
