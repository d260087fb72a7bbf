#!/bin/sh
# Runs a libFuzzer binary once over every file of the given folders or files that
# exist, then mutates from them for a short while. Fails on any crash, leak or hang.
set -eu
fuzzer=$1; shift
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus"
for input in "$@"; do
    if [ -d "$input" ]; then find "$input" -type f -exec cp {} "$work/corpus/" \; ;
    elif [ -f "$input" ]; then cp "$input" "$work/corpus/"; fi
done
if [ -n "$(ls "$work/corpus")" ]; then
    "$fuzzer" -timeout=120 -rss_limit_mb=2048 "$work"/corpus/*
fi
"$fuzzer" -timeout=20 -rss_limit_mb=2048 -max_total_time=20 -artifact_prefix="$work/" "$work/corpus"
