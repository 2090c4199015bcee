#!/bin/sh
# The game started where no display can be opened ends with status 1 (no abort) and one line on stderr naming the
# Qt platform it tried and what it needs. Usage: check_no_display.sh HOPNIX_BINARY QT_PLUGIN_DIR
set -u
binary=$1
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
failed=0
# expect PATTERN [VAR=VALUE...]: runs the game with only these display variables set.
expect() {
    pattern=$1
    shift
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE XDG_RUNTIME_DIR="$runtime" "$@" \
        "$binary" >/dev/null 2>"$runtime/stderr"
    status=$?
    if [ "$status" -ne 1 ] || [ "$(wc -l < "$runtime/stderr")" -ne 1 ] || ! grep -q -- "$pattern" "$runtime/stderr"; then
        echo "FAIL with '$*': status $status, wanted 1 and one line on stderr matching: $pattern" && cat "$runtime/stderr"
        failed=1
    fi
}
session='the game needs an X or Wayland session'
expect "platform \"xcb\": $session"
expect "platform \"xcb\": $session" QT_QPA_PLATFORM=xcb
# Without Qt's Wayland plugin the line names the package to install.
[ -e "$2/platforms/libqwayland-generic.so" ] || session='.*install the package qt6-wayland'
expect "platform \"wayland\": $session" QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=hopnix-no-such-socket
exit $failed
