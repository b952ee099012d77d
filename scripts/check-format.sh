#!/usr/bin/env bash
# Fails when a C++ file of the project is not formatted by .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t sources < <(git ls-files -co --exclude-standard -- '*.cpp' '*.h')
[ ${#sources[@]} -eq 0 ] && exit 0
if ! clang-format --dry-run --Werror "${sources[@]}" 2>/tmp/zorvath-format.$$; then
    grep -E '^[^ ].*: (error|warning):' /tmp/zorvath-format.$$ | cut -d: -f1 | sort -u |
        sed 's/^/not formatted: /'
    rm -f /tmp/zorvath-format.$$
    echo "run: clang-format -i <file>" >&2
    exit 1
fi
rm -f /tmp/zorvath-format.$$
