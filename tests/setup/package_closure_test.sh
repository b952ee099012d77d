#!/usr/bin/env bash
# What installing a list without Recommends brings, from a made-up package database.
set -euo pipefail
source_dir=${1:?usage: $0 SOURCE_DIR}

# name; status; Essential; Priority; Pre-Depends; Depends; Provides
database() {
    local row
    for row in \
        "essential-tool;installed;yes;optional;;;" \
        "required-tool;installed;no;required;;libreq (>= 1.0);" \
        "libreq;installed;no;optional;;;" \
        "app;installed;no;optional;pre-step;liba:any (>= 2) | libalt, virtual-thing, libarch [amd64], either | shared;" \
        "other-app;installed;no;optional;;shared, gone | fallback;" \
        "pre-step;installed;no;optional;;;" \
        "liba;installed;no;optional;;;" \
        "libalt;installed;no;optional;;;" \
        "provider;installed;no;optional;;;virtual-thing (= 1.0), unrelated" \
        "libarch;installed;no;optional;;;" \
        "either;installed;no;optional;;;" \
        "shared;installed;no;optional;;;" \
        "fallback;installed;no;optional;;;" \
        "removed;config-files;no;optional;;;" \
        "not-pulled;installed;no;optional;;liba;"; do
        tr ';' '\t' <<<"$row"
    done
}

closure() {
    database | awk -v roots="$*" -f "$source_dir/scripts/package-closure.awk" | sort
}

failed=0
expect() {
    local roots=$1 expected actual
    expected=$(tr ' ' '\n' <<<"$2" | sort)
    actual=$(closure "$roots")
    if [ "$actual" != "$expected" ]; then
        echo "closure of \"$roots\":"
        diff <(echo "$expected") <(echo "$actual") || true
        failed=1
    fi
}

# Nothing listed: what every system has, and its dependencies.
expect "" "essential-tool required-tool libreq"
# Pre-Depends and Depends are followed; "a | b" takes a when installed, version constraints and
# :any or [arch] qualifiers are read past, a virtual name brings its provider. "either | shared"
# is met by shared, which other-app needs anyway; "gone | fallback" takes fallback, as gone is
# not installed.
expect "app other-app" "essential-tool required-tool libreq app other-app pre-step liba provider \
libarch shared fallback"
# Alone, app's "either | shared" takes its first alternative.
expect "app" "essential-tool required-tool libreq app pre-step liba provider libarch either"

# A listed package that is not installed cannot be followed: the caller must install it first.
if database | awk -v roots="removed" -f "$source_dir/scripts/package-closure.awk" >/dev/null 2>&1; then
    echo "a listed package that is not installed was accepted"
    failed=1
fi
exit $failed
