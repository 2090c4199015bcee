#!/bin/sh
# Installs the Debian packages listed in a file, only those that are missing.
# apt-get runs directly as root, through sudo otherwise.
set -eu
list="${1:-$(dirname "$0")/debian-packages.txt}"
missing=""
for pkg in $(grep -v '^#' "$list"); do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
        missing="$missing $pkg"
    fi
done
[ -z "$missing" ] && exit 0
echo "Installing Debian packages:$missing"
if [ "$(id -u)" -eq 0 ]; then
    run=""
elif command -v sudo >/dev/null 2>&1; then
    run="sudo"
else
    echo "error: these Debian packages are missing and neither root nor sudo is available:" >&2
    echo "  $missing" >&2
    echo "Install them as root with: apt-get install$missing" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
$run apt-get update -q || true
# shellcheck disable=SC2086
if ! $run apt-get install -y -q --no-install-recommends $missing; then
    echo "error: could not install:$missing" >&2
    echo "Install them as root with: apt-get install$missing" >&2
    exit 1
fi
