#!/usr/bin/env bash
# Runs a coverage-guided fuzzer on every fuzz entry point of the project (each
# zorvath_add_fuzzer call; the build tree's fuzzers.txt lists them with their seed corpus).
#
#   scripts/fuzz.sh [-t SECONDS] [NAME...]
#
# -t: time per entry point (default 60). NAMEs pick entry points; default all.
# Engine: AFL++'s GCC plugin (afl-g++-fast) when installed, else clang's libFuzzer. When neither
# is there the Debian packages are installed (root): clang + libclang-rt-14-dev.
# Findings land in build-fuzz/findings/<name>/; the exit status is 1 when something crashed
# or an entry point did not build.
set -euo pipefail

seconds=60
while getopts "t:h" opt; do
    case $opt in
        t) seconds=$OPTARG ;;
        *) sed -n '2,12p' "$0"; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
[[ $seconds =~ ^[0-9]+$ ]] || { echo "fuzz.sh: -t takes whole seconds" >&2; exit 2; }

root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZORVATH_FUZZ_BUILD:-$root/build-fuzz}
jobs=${ZORVATH_FUZZ_JOBS:-2}

afl_driver() {
    local dir
    for dir in "$(dirname "$(command -v afl-fuzz 2>/dev/null || echo /x/x)")/../lib/afl" \
        /usr/lib/afl /usr/local/lib/afl; do
        [[ -f $dir/libAFLDriver.a ]] && { echo "$dir/libAFLDriver.a"; return 0; }
    done
    return 1
}

have_libfuzzer() {
    command -v clang++ >/dev/null &&
        echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' |
        clang++ -x c++ -fsanitize=fuzzer -o /dev/null - 2>/dev/null
}

engine=""
if command -v afl-g++-fast >/dev/null && command -v afl-fuzz >/dev/null && afl_driver >/dev/null; then
    engine=afl
elif have_libfuzzer; then
    engine=libfuzzer
else
    if [[ $(id -u) == 0 ]] && apt-cache show clang libclang-rt-14-dev >/dev/null 2>&1; then
        echo "fuzz.sh: installing clang and libclang-rt-14-dev" >&2
        apt-get install -y clang libclang-rt-14-dev >/dev/null
    fi
    have_libfuzzer && engine=libfuzzer
fi
if [[ -z $engine ]]; then
    echo "fuzz.sh: no fuzzer: install afl++ (with its GCC plugin) or clang + libclang-rt-14-dev" >&2
    exit 2
fi
echo "fuzz.sh: engine $engine, ${seconds}s per entry point, build tree $build"

common=(-G Ninja -DZORVATH_WITH_QT=OFF -DZORVATH_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [[ $engine == afl ]]; then
    export AFL_USE_ASAN=1 AFL_USE_UBSAN=1 AFL_QUIET=1
    cmake -S "$root" -B "$build" "${common[@]}" -DCMAKE_CXX_COMPILER=afl-g++-fast \
        -DZORVATH_SANITIZE=OFF -DZORVATH_FUZZ_DRIVER="$(afl_driver)" >/dev/null
else
    cmake -S "$root" -B "$build" "${common[@]}" -DCMAKE_CXX_COMPILER=clang++ \
        -DZORVATH_SANITIZE=ON -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link" \
        -DZORVATH_FUZZ_DRIVER="-fsanitize=fuzzer" >/dev/null
fi

declare -A corpus_of=()
names=()
while read -r name corpus; do
    [[ -n $name ]] || continue
    corpus_of[$name]=$corpus
    names+=("$name")
done <"$build/fuzzers.txt"
if (($# > 0)); then
    for name in "$@"; do
        [[ -v corpus_of[$name] ]] || { echo "fuzz.sh: no entry point named $name" >&2; exit 2; }
    done
    names=("$@")
fi
((${#names[@]} > 0)) || { echo "fuzz.sh: no entry points found"; exit 0; }

status=0
for name in "${names[@]}"; do
    echo "== $name"
    if ! cmake --build "$build" --target "$name" -j "$jobs" >"$build/$name.build.log" 2>&1; then
        echo "   did not build; see $build/$name.build.log"
        status=1
        continue
    fi
    findings=$build/findings/$name
    mkdir -p "$findings/corpus"
    seeds=${corpus_of[$name]}
    if [[ -n $seeds && -d $seeds ]]; then
        cp -n "$seeds"/* "$findings/corpus/" 2>/dev/null || true
    fi
    [[ -n $(ls -A "$findings/corpus") ]] || printf '\0\0' >"$findings/corpus/empty"
    if [[ $engine == afl ]]; then
        AFL_NO_UI=1 AFL_SKIP_CPUFREQ=1 AFL_I_DONT_CARE_ABOUT_MISSING_CRASHES=1 \
            afl-fuzz -V "$seconds" -i "$findings/corpus" -o "$findings/afl" -- \
            "$build/bin/$name" >"$findings/afl.log" 2>&1 || true
        crashes=$(find "$findings/afl" -path '*crashes/id:*' 2>/dev/null | wc -l)
    else
        "$build/bin/$name" -max_total_time="$seconds" -print_final_stats=1 \
            -artifact_prefix="$findings/" "$findings/corpus" >"$findings/libfuzzer.log" 2>&1 || true
        crashes=$(find "$findings" -maxdepth 1 -name 'crash-*' -o -maxdepth 1 -name 'leak-*' \
            -o -maxdepth 1 -name 'timeout-*' -o -maxdepth 1 -name 'oom-*' | wc -l)
    fi
    echo "   corpus $(ls "$findings/corpus" | wc -l) inputs, findings: $crashes"
    ((crashes == 0)) || status=1
done
exit $status
