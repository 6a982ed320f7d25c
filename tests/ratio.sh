#!/usr/bin/env bash
# How large the tests are against the code they test: non-blank lines of C++, shell and Python
# under tests/ (data files left out) against non-blank C++ lines under src/, bench/ and fuzz/.
# Only informs: it never fails a build.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

nonblank() {
    find "$@" -type f -print0 2>/dev/null | xargs -0 -r cat | grep -c '[^[:space:]]'
}

tests=$(nonblank "$root/tests" \( -name '*.cpp' -o -name '*.h' -o -name '*.sh' -o -name '*.py' \))
code=$(nonblank "$root/src" "$root/bench" "$root/fuzz" \( -name '*.cpp' -o -name '*.h' \))
awk -v t="${tests:-0}" -v c="${code:-0}" \
    'BEGIN { printf "tests %d / code %d = %s (goal 0.25 to 0.33)\n", t, c, (c > 0 ? sprintf("%.2f", t / c) : "n/a") }'
exit 0
