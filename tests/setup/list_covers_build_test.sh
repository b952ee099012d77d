#!/usr/bin/env bash
# The package list of scripts/setup-deps.sh covers this build; without libqt6opengl6-dev, which
# qt6-base-dev only recommends, it does not, and the check says so by name.
set -euo pipefail
source_dir=${1:?usage: $0 SOURCE_DIR BUILD_DIR}
build_dir=${2:?usage: $0 SOURCE_DIR BUILD_DIR}
check=$source_dir/scripts/check-build-packages.sh

"$check" "$build_dir"

if ! grep -q '^Qt6UiTools_DIR:PATH=/' "$build_dir/CMakeCache.txt"; then
    echo "no Qt in this build: the list without libqt6opengl6-dev is not tried"
    exit 0
fi
set +e
output=$("$source_dir/scripts/setup-deps.sh" --list | grep -vx libqt6opengl6-dev |
    "$check" --packages-from - "$build_dir" 2>&1)
status=$?
set -e
echo "$output"
if [ "$status" -ne 1 ] || ! grep -q '^not installed on a fresh machine: libqt6opengl6-dev ' <<<"$output"; then
    echo "the list without libqt6opengl6-dev passed the check or failed without naming it"
    exit 1
fi
