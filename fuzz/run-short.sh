#!/bin/sh
# Short fuzz run for CI: builds the fuzz preset (clang) and runs every
# target for FUZZ_SECONDS (20 by default) from the starting corpus plus whatever
# corpus earlier runs left in build/fuzz/corpus. Fails on the first finding.
set -e
cd "$(dirname "$0")/.."
SECONDS_EACH="${FUZZ_SECONDS:-20}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2
CORPUS=build/fuzz/corpus
python3 fuzz/make_corpus.py "$CORPUS"
mkdir -p build/fuzz/findings
# Targets live beside their layer (fuzz/coast/...), so look in every folder.
for exe in $(find build/fuzz/fuzz -name 'fuzz_*' -type f -perm -u+x | sort); do
    name=$(basename "$exe")
    mkdir -p "$CORPUS/$name"
    echo "== $name (${SECONDS_EACH}s)"
    "$exe" -max_total_time="$SECONDS_EACH" -max_len=65536 -print_final_stats=1 \
        -artifact_prefix="build/fuzz/findings/$name-" "$CORPUS/$name" 2>&1 |
        grep -E "stat::number_of_executed_units|ERROR|SUMMARY|Done" || true
    # grep hides the exit status; a finding leaves an artifact behind.
    if ls "build/fuzz/findings/$name-"* >/dev/null 2>&1; then
        echo "finding in $name: build/fuzz/findings/" >&2
        exit 1
    fi
done
