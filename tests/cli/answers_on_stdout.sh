#!/bin/sh
# Runs PROGRAM WORDS... and passes when it ends with status 0, writes nothing
# on stderr and its stdout matches the extended regular expression PATTERN:
# what --help and --version owe a user and a script.
# usage: answers_on_stdout.sh PROGRAM PATTERN [WORDS...]
set -u
program=$1 pattern=$2
shift 2
err=$(mktemp)
trap 'rm -f "$err"' EXIT
out=$("$program" "$@" 2>"$err")
status=$?
if [ "$status" -ne 0 ]; then echo "exit status $status" >&2; cat "$err" >&2; exit 1; fi
if [ -s "$err" ]; then echo "wrote on stderr:" >&2; cat "$err" >&2; exit 1; fi
if ! printf '%s\n' "$out" | tr '\n' ' ' | grep -Eq "$pattern"; then
    echo "stdout does not match '$pattern':" >&2
    printf '%s\n' "$out" >&2
    exit 1
fi
