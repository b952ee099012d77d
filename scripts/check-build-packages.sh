#!/usr/bin/env bash
# Fails when a build uses a file of a Debian package that scripts/setup-deps.sh does not bring to
# a fresh machine: a package neither in its list nor pulled in by the Depends or Pre-Depends of a
# listed one (it installs without Recommends). Such a build passes wherever the package happens to
# be installed and stops at configure on a fresh machine.
#
# Looked at in each Ninja build folder: the CMake files the configure step read (every package
# configuration, also those found through another), the programs, libraries and package folders
# in CMakeCache.txt, the pkg-config modules, the libraries linked, the include folders, the code
# generators (moc, uic, rcc) and, once the folder has been built, every header compiled.
#
# usage: scripts/check-build-packages.sh [--packages-from FILE] BUILD_DIR...
#   --packages-from FILE  check this list (one package a line, "-" for stdin) instead of the one
#                         `scripts/setup-deps.sh --list` prints
set -euo pipefail
scripts=$(cd "$(dirname "$0")" && pwd)
source_dir=$(dirname "$scripts")

packages_from=""
while [ $# -gt 0 ]; do
    case "$1" in
    --packages-from) packages_from=${2:?--packages-from needs a file}; shift 2 ;;
    -*) echo "check-build-packages: unknown option $1" >&2; exit 2 ;;
    *) break ;;
    esac
done
if [ $# -eq 0 ]; then
    echo "usage: $0 [--packages-from FILE] BUILD_DIR..." >&2
    exit 2
fi

if [ -z "$packages_from" ]; then
    listed=$("$scripts/setup-deps.sh" --list)
elif [ "$packages_from" = "-" ]; then
    listed=$(cat)
else
    listed=$(cat "$packages_from")
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Every absolute path a build folder uses, one a line.
used_paths() {
    local build=$1
    awk '
        /^build build\.ninja: RERUN_CMAKE / { for (i = 4; i <= NF; i++) print $i }
        /^ +LINK_LIBRARIES = / || /^ +INCLUDES = / {
            for (i = 3; i <= NF; i++) {
                token = $i
                sub(/^-I/, "", token)
                print token
            }
        }' "$build/build.ninja"
    # A library in the cache counts only when a target links it: find modules also find optional
    # ones no target uses (FindOpenGL's GLU and EGL), which a fresh machine does without.
    sed -n -E 's/^[A-Za-z0-9_]+:(FILEPATH|PATH)=(\/.*)$/\2/p;
        s/^CMAKE_(COMMAND|CTEST_COMMAND|ROOT):INTERNAL=(\/.*)$/\2/p' "$build/CMakeCache.txt" |
        grep -v -E '^/usr/local$|/lib[^/]*\.(so(\.[0-9.]+)?|a)$' || true
    local module
    for module in $(sed -n -E 's/^[A-Za-z0-9_]+_MODULE_NAME:INTERNAL=(.+)$/\1/p' \
        "$build/CMakeCache.txt"); do
        pkg-config --path "$module" 2>/dev/null || echo "pkg-config module not found: $module" >&2
    done
    find "$build" -name AutogenInfo.json -exec \
        sed -n -E 's/^ *"[A-Z_]*EXECUTABLE" *: *"(\/[^"]+)".*$/\1/p' {} + | sort -u
    local ninja
    ninja=$(sed -n 's/^CMAKE_MAKE_PROGRAM:[A-Z]*=//p' "$build/CMakeCache.txt")
    if [ -f "$build/.ninja_deps" ]; then
        "${ninja:-ninja}" -C "$build" -t deps 2>/dev/null | awk '/^    \// { print $1 }' | sort -u
    fi
}

# Library flags (-lname) become the file the compiler links.
resolve_flags() {
    local compiler=$1 path
    while read -r path; do
        case "$path" in
        -l*) "$compiler" -print-file-name="lib${path#-l}.so" ;;
        *) echo "$path" ;;
        esac
    done
}

# One path a line: the path and, for a symbolic link, the file it leads to. Paths of the project
# and of its build folders, and what does not exist, are left out.
with_link_targets() {
    local path
    while read -r path; do
        [ -e "$path" ] || continue
        case "$path" in
        "$source_dir" | "$source_dir"/* | /tmp/*) continue ;;
        esac
        echo "$path"
        if [ -L "$path" ]; then
            readlink -f "$path"
        fi
    done
}

for build in "$@"; do
    if [ ! -f "$build/build.ninja" ] || [ ! -f "$build/CMakeCache.txt" ]; then
        echo "check-build-packages: $build is not a configured Ninja build folder" >&2
        exit 2
    fi
    build=$(cd "$build" && pwd)
    compiler=$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$build/CMakeCache.txt")
    used_paths "$build" | awk -v inside="$build/" '/^(\/|-l)/ && index($0, inside) != 1' |
        resolve_flags "${compiler:-c++}"
done | sort -u | with_link_targets | sort -u >"$work/paths"

# The owners of each path: "path<TAB>owner owner...". Merged /usr: dpkg may know a file under
# /lib or /bin while the build found it under /usr/lib or /usr/bin, and the other way round.
owners_of() {
    xargs -r dpkg-query -S 2>/dev/null |
        awk '/^diversion by / { next }
            {
                split_at = index($0, ": ")
                path = substr($0, split_at + 2)
                count = split(substr($0, 1, split_at - 1), names, ", ")
                for (i = 1; i <= count; i++) {
                    sub(/:.*/, "", names[i])
                    owners[path] = owners[path] " " names[i]
                }
            }
            END { for (path in owners) print path "\t" substr(owners[path], 2) }' || true
}
owners_of <"$work/paths" >"$work/owners"
cut -f1 "$work/owners" | sort -u >"$work/owned"
comm -23 "$work/paths" "$work/owned" | sed -n -E 's#^/usr/(bin|sbin|lib[^/]*)/#/\1/#p' |
    owners_of | sed -E 's#^#/usr#' >>"$work/owners"
comm -23 "$work/paths" "$work/owned" | sed -n -E 's#^/(bin|sbin|lib[^/]*)/#/usr/\1/#p' |
    owners_of | sed -E 's#^/usr##' >>"$work/owners"

dpkg-query -W -f='${Package}\t${db:Status-Status}\t${Essential}\t${Priority}\t${Pre-Depends}\t${Depends}\t${Provides}\n' |
    awk -v roots="$(echo $listed)" -f "$scripts/package-closure.awk" | sort -u >"$work/closure" ||
    { echo "check-build-packages: install the listed packages first (scripts/setup-deps.sh)" >&2; exit 2; }

# A path is covered when one of its owners is in the closure. A path no package owns is a fault
# too, unless it is a link that leads to an owned file (update-alternatives makes such links).
awk -F '\t' -v closure="$work/closure" -v owners="$work/owners" '
    BEGIN {
        while ((getline name < closure) > 0) fresh[name] = 1
        while ((getline line < owners) > 0) {
            split(line, field, "\t")
            owned_by[field[1]] = field[2]
        }
    }
    {
        path = $0
        if (!(path in owned_by)) {
            if (system("test -L \"" path "\"") != 0 && system("test -d \"" path "\"") != 0) {
                print "not from any Debian package: " path
                faults++
            }
            next
        }
        count = split(owned_by[path], names, " ")
        covered = 0
        for (i = 1; i <= count; i++)
            if (names[i] in fresh)
                covered = 1
        if (covered) {
            files++
            for (i = 1; i <= count; i++) if (names[i] in fresh) used[names[i]] = 1
            next
        }
        key = owned_by[path]
        if (!(key in first)) {
            first[key] = path
            order[++keys] = key
        }
        more[key]++
    }
    END {
        for (k = 1; k <= keys; k++) {
            key = order[k]
            n = split(key, names, " ")
            what = n > 1 ? "one of " key : key
            print "not installed on a fresh machine: " what " (" first[key] \
                (more[key] > 1 ? " and " more[key] - 1 " more" : "") ")"
            faults++
        }
        if (faults) {
            print "Add the package to scripts/setup-deps.sh: installing it without its " \
                "Recommends must bring it."
            exit 1
        }
        for (name in used) packages++
        print "build packages: " files " files from " packages \
            " packages, all installed by scripts/setup-deps.sh"
    }' "$work/paths"
