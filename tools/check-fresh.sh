#!/bin/sh
# CI as a new machine sees it: a minimal Debian 12 root with only git and make added (the project's
# packages downloaded into apt's cache, not installed), the current commit cloned into a copy of it,
# and `.ci/run` run there twice in a row, each time from a fresh clone, as CI runs it.
# Needs root and the Debian archive of this machine's apt sources. Usage: tools/check-fresh.sh [DIR]
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
dir=$(mkdir -p "${1:-$top/build-fresh}" && cd "${1:-$top/build-fresh}" && pwd)
base=$dir/base
run=$dir/run
list=$top/tools/debian-packages.txt
if [ "$(id -u)" -ne 0 ]; then
    echo "error: check-fresh needs root: it bootstraps a Debian root, mounts into it and chroots" >&2
    exit 1
fi
sh "$top/tools/install-deps.sh" "$top/tools/debian-packages-fresh.txt"

mounted=""
unmount() {
    [ -n "$mounted" ] && umount -R "$mounted/proc" "$mounted/sys" "$mounted/dev" 2>/dev/null || true
    mounted=""
}
trap unmount EXIT
trap 'unmount; exit 130' INT TERM
# in_root ROOT COMMAND...: runs a command as root inside ROOT with the host's devices, a clean environment
# and the CI flag.
in_root() {
    root=$1
    shift
    mount -t proc proc "$root/proc"
    mount --rbind /sys "$root/sys" && mount --make-rslave "$root/sys"
    mount --rbind /dev "$root/dev" && mount --make-rslave "$root/dev"
    mounted=$root
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    status=0
    chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        CI=true DEBIAN_FRONTEND=noninteractive "$@" || status=$?
    unmount
    return $status
}

# A root is only ever removed with nothing mounted inside it, so the host's /dev and /sys stay untouched
# even after an interrupted run.
remove_root() {
    for m in proc sys dev; do umount -R "$1/$m" 2>/dev/null || true; done
    if grep -q " $1/" /proc/self/mounts; then
        echo "error: something is still mounted inside $1" >&2
        exit 1
    fi
    rm -rf --one-file-system "$1"
}

# The bootstrapped root is kept, and made again when the package list changes.
if ! cmp -s "$list" "$base/.hopnix-packages" 2>/dev/null; then
    mirror=$(sh "$top/tools/debian-mirror.sh")
    echo "== bootstrapping Debian 12 from $mirror into $base"
    remove_root "$base"
    remove_root "$base.new"
    debootstrap --variant=minbase bookworm "$base.new" "$mirror" >"$dir/debootstrap.log" 2>&1 \
        || { tail -n 20 "$dir/debootstrap.log" >&2; exit 1; }
    in_root "$base.new" sh -c "apt-get update -q && apt-get install -y -q --no-install-recommends git make &&
        apt-get install -y -q --no-install-recommends --download-only $(grep -v '^#' "$list" | tr '\n' ' ')" \
        >"$dir/prepare.log" 2>&1 || { tail -n 20 "$dir/prepare.log" >&2; exit 1; }
    cp "$list" "$base.new/.hopnix-packages"
    mv "$base.new" "$base"
fi

echo "== a copy of the root: $run"
remove_root "$run"
cp -a "$base" "$run"
commit=$(git -C "$top" rev-parse HEAD)
failed=0
for n in 1 2; do
    clone=/work/ci-$n
    git clone -q --no-checkout "$top" "$run$clone"
    git -C "$run$clone" checkout -q --detach "$commit"
    echo "== run $n of .ci/run at $(git -C "$top" rev-parse --short "$commit"), log in $dir/run-$n.log"
    status=0
    in_root "$run" sh -c "cd $clone && bash .ci/run" >"$dir/run-$n.log" 2>&1 || status=$?
    grep -E 'tests passed|tests failed out of|\*\*\*Failed|\*\*\*Timeout|\(Failed\)|\(Timeout\)' "$dir/run-$n.log" || true
    echo "run $n: exit $status"
    [ $status -eq 0 ] || failed=1
done
exit $failed
