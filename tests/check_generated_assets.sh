#!/bin/sh
# The committed art, sounds and tune are what the generator makes today, compared as decoded pictures and samples.
set -eu
generator="$1"
compare="$2"
assets="$3"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$generator" "$out"
"$compare" "$out" "$assets"
