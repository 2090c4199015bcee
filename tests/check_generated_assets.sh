#!/bin/sh
# The committed art, sounds and tune are what the generator makes today, compared as decoded pictures and samples.
# Usage: check_generated_assets.sh GENERATOR COMPARE_ASSETS ASSETS_DIR
set -eu
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$1" "$out"
"$2" "$out" "$3"
