#!/bin/sh
# Installs the built package into a freshly bootstrapped Debian 12 and starts the game from its
# desktop entry on a private X server there. Needs root and the Debian archive of this machine's apt sources.
# Usage: packaging/check-fresh-install.sh build-deb/hopnix_3.3.0_amd64.deb [ROOT_DIR]
set -eu
deb=$(readlink -f "$1")
root=${2:-$(mktemp -d /tmp/hopnix-fresh-XXXXXX)}
command -v debootstrap >/dev/null || apt-get install -y -q debootstrap >/dev/null
if [ ! -x "$root/bin/sh" ]; then
    mirror=$(sh "$(dirname "$0")/../tools/debian-mirror.sh")
    debootstrap --variant=minbase bookworm "$root" "$mirror" >/dev/null
fi
cleanup() { umount "$root/proc" "$root/dev" "$root/sys" 2>/dev/null || true; }
trap cleanup EXIT
mount -t proc proc "$root/proc"
mount --bind /dev "$root/dev"
mount --bind /sys "$root/sys"
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/hopnix.deb"
chroot "$root" /bin/sh -c 'apt-get update -q >/dev/null &&
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q /tmp/hopnix.deb xvfb xdotool >/dev/null'
chroot "$root" /bin/sh -c '
    Xvfb :5 -screen 0 1024x768x24 >/dev/null 2>&1 & xvfb=$!
    export DISPLAY=:5 HOME=/tmp/home PATH=/usr/local/bin:/usr/bin:/bin:/usr/games
    mkdir -p "$HOME"
    exec_line=$(sed -n "s/^Exec=//p" /usr/share/applications/org.tarnwick.Hopnix.desktop)
    $exec_line >/dev/null 2>&1 & game=$!
    status=0
    timeout 15 xdotool search --sync --name "Hopnix v3.3" >/dev/null || status=1
    [ "$(readlink /proc/$game/exe)" = /usr/lib/hopnix/hopnix ] || status=1
    kill $game $xvfb
    [ $status -eq 0 ] && echo "fresh Debian 12: installed, started from the desktop entry ($exec_line)"
    exit $status'
