#!/bin/sh
# Prints the Debian archive this machine's apt sources use for bookworm, so that a bootstrapped
# root fetches from the same place. Reads the one-line and the deb822 formats; exits 1 without one.
set -eu
mirror=$(
    {
        cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null | sed 's/\[[^]]*\]//' \
            | awk '$1 == "deb" && $3 == "bookworm" { print $2 }'
        for f in /etc/apt/sources.list.d/*.sources; do
            [ -f "$f" ] || continue
            # One stanza per paragraph: its URIs when its suites name bookworm itself.
            awk 'BEGIN { RS = ""; FS = "\n" }
                 /(^|\n)Types:[^\n]*deb([ \t\n]|$)/ {
                     uris = suites = ""
                     for (i = 1; i <= NF; i++) {
                         if ($i ~ /^URIs:/) uris = substr($i, 6)
                         if ($i ~ /^Suites:/) suites = " " substr($i, 8) " "
                     }
                     if (suites ~ /[ \t]bookworm[ \t]/) { split(uris, u, /[ \t]+/); for (k in u) if (u[k] != "") { print u[k]; break } }
                 }' "$f"
        done
    } | head -n 1
)
if [ -z "$mirror" ]; then
    echo "error: no Debian bookworm archive in this machine's apt sources" >&2
    exit 1
fi
echo "$mirror"
