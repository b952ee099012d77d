#!/usr/bin/env bash
# Runs ./run.sh and ./test.sh of the checked-out commit in a minimal Debian 12 root made by
# mmdebstrap, as on a fresh machine with nothing but git: shows that scripts/setup-deps.sh installs
# everything the build and the tests need. Slow (a whole build twice), so not part of CI; run it
# before closing a change of the dependencies. Needs root and the Debian mirror of this machine's
# apt sources.
#
# usage: scripts/fresh-root-check.sh [--keep] [--ccache-dir DIR] [--mirror URI]
#   --keep            leave the root behind (its path is printed) instead of removing it
#   --ccache-dir DIR  compile through this ccache folder. It saves time but hides no missing
#                     package: ccache preprocesses again when a header is gone, and links always
#   --mirror URI      the Debian mirror, instead of the one this machine's apt sources name
#
# The commit is cloned to the checkout's own path inside the root; uncommitted changes are not in
# it. The log is written to out/fresh-root-check.log.
set -euo pipefail
checkout=$(cd "$(dirname "$0")/.." && pwd)
suite=bookworm

keep=0
ccache_dir=""
mirror=""
while [ $# -gt 0 ]; do
    case "$1" in
    --keep) keep=1; shift ;;
    --ccache-dir) ccache_dir=$(cd "${2:?--ccache-dir needs a folder}" && pwd); shift 2 ;;
    --mirror) mirror=${2:?--mirror needs a URI}; shift 2 ;;
    *) sed -n '8,13p' "$0" >&2; exit 2 ;;
    esac
done

if [ "$(id -u)" -ne 0 ]; then
    echo "fresh-root-check: run as root (mmdebstrap, chroot and mounts need it)" >&2
    exit 2
fi

mkdir -p "$checkout/out"
log="$checkout/out/fresh-root-check.log"
exec > >(tee "$log") 2>&1

started=$SECONDS
elapsed() {
    local seconds=$((SECONDS - started))
    printf '%dm%02ds' $((seconds / 60)) $((seconds % 60))
}
step="setup"
finish() {
    local status=$?
    if [ "$status" -eq 0 ]; then
        echo "fresh-root-check: PASSED in $(elapsed)"
    else
        echo "fresh-root-check: FAILED at \"$step\" after $(elapsed) (log: $log)"
    fi
    if [ -n "${root:-}" ] && [ -d "$root" ]; then
        if [ "$keep" -eq 1 ]; then
            echo "fresh-root-check: root kept at $root"
        elif ! grep -q " $root/" /proc/self/mounts; then
            rm -rf --one-file-system "$root"
        fi
    fi
}
trap finish EXIT

commit=$(git -C "$checkout" rev-parse HEAD)
if [ -n "$(git -C "$checkout" status --porcelain)" ]; then
    echo "fresh-root-check: uncommitted changes are not checked, only commit $commit"
fi

if ! command -v mmdebstrap >/dev/null; then
    step="installing mmdebstrap"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends mmdebstrap
fi

# The Debian 12 entries of this machine's apt sources (one-line and deb822 files), as one-line
# entries, so the root fetches from where this machine does.
debian_sources() {
    local file
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$file" ] || continue
        sed -E 's/\[[^]]*\]//' "$file" |
            awk -v suite="$suite" '$1 == "deb" && $3 ~ "^" suite "(-updates|-security)?$" {
                print $1, $2, $3, "main" }'
    done
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] || continue
        awk -v suite="$suite" '
            function flush(    i, u, count, uri_count, list, uris) {
                if (types ~ /(^| )deb( |$)/ && enabled != "no") {
                    count = split(suites, list, " ")
                    uri_count = split(uri_list, uris, " ")
                    for (i = 1; i <= count; i++)
                        if (list[i] ~ "^" suite "(-updates|-security)?$")
                            for (u = 1; u <= uri_count; u++)
                                print "deb", uris[u], list[i], "main"
                }
                types = suites = uri_list = enabled = ""
            }
            /^[ \t]*#/ { next }
            /^[ \t]*$/ { flush(); next }
            /^Types:/ { sub(/^Types:[ \t]*/, ""); types = $0 }
            /^URIs:/ { sub(/^URIs:[ \t]*/, ""); uri_list = $0 }
            /^Suites:/ { sub(/^Suites:[ \t]*/, ""); suites = $0 }
            /^Enabled:/ { sub(/^Enabled:[ \t]*/, ""); enabled = tolower($0) }
            END { flush() }' "$file"
    done
}
if [ -n "$mirror" ]; then
    sources=("deb $mirror $suite main")
else
    mapfile -t sources < <(debian_sources | awk '!seen[$0]++')
fi
if [ ${#sources[@]} -eq 0 ]; then
    echo "fresh-root-check: no Debian 12 ($suite) entry in this machine's apt sources; pass --mirror" >&2
    exit 2
fi

# Settings of this machine's apt that the root needs to reach the same mirror (a proxy, or a
# mirror snapshot whose Release files are past their Valid-Until date).
apt_options=()
while read -r option; do
    apt_options+=(--aptopt="$option")
done < <(apt-config dump | grep -E '^Acquire::(Check-Valid-Until|Check-Date|https?::Proxy) ' || true)

root=$(mktemp -d "${TMPDIR:-/var/tmp}/zorvath-fresh-root.XXXXXX")
echo "fresh-root-check: commit $commit, root $root"
printf '  source: %s\n' "${sources[@]}"

step="making the Debian 12 root"
echo "== $step"
nice mmdebstrap --variant=minbase --include=git,ca-certificates "${apt_options[@]}" \
    "$suite" "$root" "${sources[@]}"
cp /etc/resolv.conf "$root/etc/resolv.conf"
echo "   done at $(elapsed)"

step="cloning"
echo "== $step"
mkdir -p "$root$(dirname "$checkout")"
git clone --quiet --no-checkout "$checkout" "$root$checkout"
git -C "$root$checkout" checkout --quiet --detach "$commit"

# A shared cache is used with this machine's ccache settings: a smaller size limit would prune
# it, another base_dir would miss every entry.
ccache_env=""
if [ -n "$ccache_dir" ]; then
    mkdir -p "$root/var/cache/zorvath-ccache"
    ccache_env="CCACHE_DIR=/var/cache/zorvath-ccache"
    if command -v ccache >/dev/null; then
        ccache_env+=" CCACHE_MAXSIZE=$(ccache -k max_size) CCACHE_BASEDIR=$(ccache -k base_dir)"
        if [ "$(ccache -k hash_dir)" = "false" ]; then
            ccache_env+=" CCACHE_NOHASHDIR=1"
        fi
    fi
fi

# Runs a command inside the root in a mount namespace of its own: the mounts vanish with it.
in_root() {
    local ccache_mount=""
    if [ -n "$ccache_dir" ]; then
        ccache_mount="mount --bind '$ccache_dir' '$root/var/cache/zorvath-ccache'"
    fi
    nice unshare --mount --pid --fork --kill-child bash -euc "
        mount -t proc proc '$root/proc'
        mount -t sysfs sysfs '$root/sys'
        mount --rbind /dev '$root/dev'
        mount -t tmpfs tmpfs '$root/tmp'
        $ccache_mount
        exec chroot '$root' /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
            PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
            QT_QPA_PLATFORM=offscreen $ccache_env \
            /bin/bash -euc 'cd \"\$1\" && shift && \"\$@\"' - '$checkout' $*"
}

step="./run.sh"
echo "== $step"
in_root ./run.sh
echo "   done at $(elapsed)"

step="./test.sh"
echo "== $step"
in_root ./test.sh
echo "   done at $(elapsed)"
step="done"
