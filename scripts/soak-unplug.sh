#!/usr/bin/env bash
# Soak: the program with its emulated mouse unplugging in the middle of a command, over and over
# (ZORVATH_SIM_FAULTS), offscreen. Afterwards it must end cleanly on SIGTERM, and the profile
# files must be the ones it had before. Too long for every CI run; run it by hand.
#
#   scripts/soak-unplug.sh [-n CYCLES] [-b BUILD_DIR] [-s SEED] [-g]
#
# -n: unplug cycles (default 1000). -b: build tree holding bin/zorvath-config (default build).
# -s: seed of the faults (default 1). -g: run under valgrind's memcheck and fail on memory the
# program definitely lost or on a memory error raised in its own code (slow: a few dozen cycles
# are enough; errors inside Qt's vectorised string code are valgrind's false alarms).
# In each cycle the mouse unplugs while taking a random one of its first six requests (the
# device is being opened), comes back 50 ms later and is opened again. Printed: cycles, time,
# resident memory after a tenth of the cycles and at the end, and the verdict. Exit status 0
# when the program neither crashed nor hung, ended with 0, and left whole, unchanged files.
set -euo pipefail

cycles=1000
build=build
seed=1
valgrind=0
while getopts "n:b:s:gh" opt; do
    case $opt in
        n) cycles=$OPTARG ;;
        b) build=$OPTARG ;;
        s) seed=$OPTARG ;;
        g) valgrind=1 ;;
        *) sed -n '2,15p' "$0"; exit 2 ;;
    esac
done
[[ $cycles =~ ^[1-9][0-9]*$ ]] || { echo "soak-unplug.sh: -n takes a number of cycles" >&2; exit 2; }
root=$(cd "$(dirname "$0")/.." && pwd)
[[ $build = /* ]] || build=$root/$build
program=$build/bin/zorvath-config
[[ -x $program ]] || { echo "soak-unplug.sh: no $program; build zorvath-config first" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/zorvath-soak.XXXXXX")
for name in XDG_RUNTIME_DIR XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME; do
    mkdir -p "$work/$name"
    chmod 700 "$work/$name"
    export "$name=$work/$name"
done
export QT_QPA_PLATFORM=offscreen
unset DBUS_SESSION_BUS_ADDRESS ZORVATH_SIM_FAULTS ZORVATH_TRACE
mouse="$XDG_DATA_HOME/Zorvath ZR-310 Gaming Mouse/mouse"
stall_limit=60
runner=()
if ((valgrind)); then
    command -v valgrind >/dev/null || { echo "soak-unplug.sh: valgrind is not installed" >&2; exit 2; }
    runner=(valgrind --leak-check=full --log-file="$work/valgrind.log")
    export QT_ENABLE_REGEXP_JIT=0  # JIT code reads whole vectors: nothing but false alarms
    stall_limit=600
fi
echo "soak-unplug.sh: $cycles cycles, seed $seed, folder $work"

# A first start without faults makes the data folder; its files are what the soak must keep.
"$program" --simulate --quit-after 4000 2>"$work/first.log" || {
    echo "soak-unplug.sh: the first start failed" >&2; exit 1; }
cp -a "$mouse" "$work/before"

rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status" 2>/dev/null || echo "-"; }

start=$(date +%s)
ZORVATH_SIM_FAULTS="unplug-after=1-6,replug-after=50,seed=$seed" \
    "${runner[@]}" "$program" --simulate --trace 2>"$work/soak.log" &
pid=$!
verdict=ok
done_cycles=0
last_progress=$start
rss_warm=-
while :; do
    sleep 2
    if ! kill -0 "$pid" 2>/dev/null; then
        verdict="the program ended by itself (crash?)"
        break
    fi
    now_cycles=$(grep -c "emulated mouse plugged in again" "$work/soak.log" || true)
    now=$(date +%s)
    if ((now_cycles > done_cycles)); then
        done_cycles=$now_cycles
        last_progress=$now
    elif ((now - last_progress > stall_limit)); then
        verdict="no cycle for ${stall_limit}s: the program hangs"
        break
    fi
    if [[ $rss_warm == - ]] && ((done_cycles * 10 >= cycles)); then
        rss_warm=$(rss_kib "$pid")
    fi
    ((done_cycles >= cycles)) && break
done
rss_end=$(rss_kib "$pid")
elapsed=$(($(date +%s) - start))

status=-
if kill -0 "$pid" 2>/dev/null; then
    kill -TERM "$pid"
    for _ in $(seq 1 $((stall_limit / 2 + 15))); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 1
    done
    if kill -0 "$pid" 2>/dev/null; then
        [[ $verdict == ok ]] && verdict="the program did not end on SIGTERM"
        kill -KILL "$pid" 2>/dev/null || true
    fi
fi
set +e
wait "$pid"
status=$?
set -e
if [[ $verdict == ok && $status != 0 ]]; then
    verdict="exit status $status"
fi

# The files: unchanged, nothing kept aside, no temporary file left.
changed=()
for file in "$work/before"/*; do
    name=$(basename "$file")
    [[ -f $file ]] || continue
    cmp -s "$file" "$mouse/$name" || changed+=("$name")
done
leftovers=$(find "$XDG_DATA_HOME" -name '*.tmp-*' -o -name '*.unreadable' | wc -l)
if [[ $verdict == ok && ${#changed[@]} -gt 0 ]]; then
    verdict="changed files: ${changed[*]}"
fi
if [[ $verdict == ok && $leftovers -gt 0 ]]; then
    verdict="$leftovers temporary or kept-aside files"
fi
lost=-
own_errors=-
all_errors=-
if ((valgrind)); then
    lost=$(awk '/definitely lost:/ { gsub(",", "", $4); print $4 }' "$work/valgrind.log" | tail -1)
    [[ -z $lost ]] && lost=0
    all_errors=$(awk '/ERROR SUMMARY:/ { print $4 }' "$work/valgrind.log" | tail -1)
    # An error is the program's own when a frame of its stack (before the block's "Address" or
    # origin lines) has a source line: Qt and the system libraries carry none here.
    own_errors=$(awk '
        /== (Invalid|Conditional|Use of uninit|Syscall param|Mismatched|Source and dest)/ {
            inblock = 1; ours = 0; next }
        inblock && (/Address 0x/ || /was created/ || /== $/) { errors += ours; inblock = 0; next }
        inblock && /\.(cpp|h):[0-9]+\)/ { ours = 1 }
        END { print errors + 0 }' "$work/valgrind.log")
    if [[ $verdict == ok && $lost != 0 ]]; then
        verdict="valgrind: $lost bytes definitely lost"
    elif [[ $verdict == ok && $own_errors != 0 ]]; then
        verdict="valgrind: $own_errors memory errors in the program's code"
    fi
fi

echo "cycles:        $done_cycles of $cycles"
echo "time:          ${elapsed}s"
echo "removals:      $(grep -c 'device removal: slot' "$work/soak.log" || true)"
echo "arrivals:      $(grep -c 'device arrival: slot' "$work/soak.log" || true)"
echo "RSS (KiB):     after a tenth $rss_warm, at the end $rss_end"
if ((valgrind)); then
    echo "valgrind:      $lost bytes definitely lost, $own_errors errors in the program's code" \
        "($all_errors in all)"
fi
echo "exit status:   $status"
echo "result:        $verdict"
[[ $verdict == ok ]] || { echo "log: $work/soak.log" >&2; exit 1; }
rm -rf "$work"
