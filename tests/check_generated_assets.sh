#!/bin/sh
# The committed art, sounds and tune are exactly what the generator writes today.
set -eu
generator="$1"
assets="$2"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$generator" "$out"
status=0
for file in $(cd "$out" && find . -type f | sort); do
    if ! cmp -s "$out/$file" "$assets/$file"; then
        echo "differs from the generator's output: assets/${file#./}" >&2
        status=1
    fi
done
exit $status
