#!/bin/sh
# The suite as the first run after boot meets it on a disk that is slow to read the first time (a cloud volume
# fetched on first use): the page cache dropped, the build tree and the project's packages read back in, and every
# other read by the tests held to READS a second by the block I/O controller.
# Needs root. Usage: tools/check-cold-disk.sh [BUILD_DIR] [READS]
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)
reads=${2:-20}
if [ "$(id -u)" -ne 0 ]; then
    echo "error: check-cold-disk needs root: it drops the page cache and throttles reads in a control group" >&2
    exit 1
fi

# Throttling works on whole disks: the disk under the build tree, not its partition.
disk=$(findmnt -no MAJ:MIN -T "$build" | tr -d ' ')
[ -e "/sys/dev/block/$disk/partition" ] && disk=$(cat "/sys/dev/block/$disk/../dev")
if [ ! -e "/sys/dev/block/$disk" ]; then
    echo "error: $build is not on a block device ($disk); there is no disk to slow down" >&2
    exit 1
fi
if [ -d /sys/fs/cgroup/blkio ]; then
    group=/sys/fs/cgroup/blkio/hopnix-cold-disk
    mkdir -p "$group"
    echo "$disk $reads" >"$group/blkio.throttle.read_iops_device"
elif grep -qw io /sys/fs/cgroup/cgroup.controllers 2>/dev/null; then
    echo +io >/sys/fs/cgroup/cgroup.subtree_control
    group=/sys/fs/cgroup/hopnix-cold-disk
    mkdir -p "$group"
    echo "$disk riops=$reads" >"$group/io.max"
else
    echo "error: neither the cgroup v1 blkio controller nor the cgroup v2 io controller is available" >&2
    exit 1
fi

# What a first run has just written stays in memory: the build and the packages it installed.
rm -rf "$build/Testing"
sync
echo 3 >/proc/sys/vm/drop_caches
find "$build" "$top/assets" "$top/tests" -type f -exec cat {} + >/dev/null
grep -v '^#' "$top/tools/debian-packages.txt" | xargs dpkg-query -L 2>/dev/null |
    while read -r path; do [ -f "$path" ] && printf '%s\n' "$path"; done | xargs -d '\n' cat >/dev/null 2>&1 || true

echo "== the suite in $build with other reads held to $reads a second"
echo $$ >"$group/cgroup.procs"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
