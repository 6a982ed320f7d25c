#!/usr/bin/env bash
# Keeps the manual page in step with the program: every option that --help prints, with its
# argument, is an item of the manual page, and the manual page has no option item --help lacks.
# Usage: check-manpage.sh PROGRAM MANPAGE(.gz)
set -euo pipefail
program=$1
page=$2

# "  -h, --help        Displays ..." and "  --car <id>   The ..." give "-h, --help" and "--car id";
# wrapped descriptions are indented further and never match.
from_help=$("$program" --help | sed -n 's/^  \(-[^ ].*\)$/\1/p' | sed -E 's/ {2,}.*//; s/<([^>]*)>/\1/g' | sort -u)
# The items of the page, with fonts and escapes taken out: "\fB\-\-car\fR \fIid\fR" gives "--car id".
from_page=$(zcat -f "$page" | awk 'item { print; item = 0 } /^\.TP/ { item = 1 }' \
    | sed -E 's/\\f[BIRP]//g; s/\\-/-/g' | grep '^-' | sort -u)

[ -n "$from_help" ] || { echo "$program --help printed no options"; exit 1; }
missing=$(comm -23 <(echo "$from_help") <(echo "$from_page"))
extra=$(comm -13 <(echo "$from_help") <(echo "$from_page"))
[ -z "$missing" ] || { printf 'the manual page lacks:\n%s\n' "$missing"; exit 1; }
[ -z "$extra" ] || { printf 'the manual page has options --help does not print:\n%s\n' "$extra"; exit 1; }
echo "manual page: $(wc -l <<< "$from_help") options, as --help prints them"
