#!/usr/bin/env bash
# run-fuzzers.sh BUILD_DIR SECONDS: runs every BUILD_DIR/bin/fuzz_* for SECONDS
# each, keeping its corpus in BUILD_DIR/fuzz/NAME/corpus and its log and any
# crashing input beside it. Prints one line per fuzzer; exits nonzero when a
# fuzzer reports a crash, leak, time-out or sanitizer finding, or none is found.
set -uo pipefail
if [ $# -ne 2 ] || ! [[ $2 =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: $0 BUILD_DIR SECONDS" >&2
  exit 2
fi
build=$1 seconds=$2
per_input_timeout=10

shopt -s nullglob
fuzzers=()
for f in "$build"/bin/fuzz_*; do
  [ -f "$f" ] && [ -x "$f" ] && fuzzers+=("$f")
done
if [ ${#fuzzers[@]} -eq 0 ]; then
  echo "no fuzzers in $build/bin" >&2
  exit 1
fi

findings='ERROR: (AddressSanitizer|LeakSanitizer|UndefinedBehaviorSanitizer|libFuzzer)|runtime error:|SUMMARY: |ALARM: working on the last Unit'
status=0
for fuzzer in "${fuzzers[@]}"; do
  name=$(basename "$fuzzer")
  dir="$build/fuzz/$name"
  mkdir -p "$dir/corpus" "$dir/artifacts"
  log="$dir/last-run.log"
  "$fuzzer" -max_total_time="$seconds" -timeout="$per_input_timeout" -print_final_stats=1 \
    -artifact_prefix="$dir/artifacts/" "$dir/corpus" >"$log" 2>&1
  rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  if [ $rc -ne 0 ] || grep -qE "$findings" "$log"; then
    finding=$(grep -m 1 -E "$findings" "$log")
    echo "$name: FAILED after ${runs:-unknown} runs (exit $rc): ${finding:-see log}; log $log"
    status=1
  else
    echo "$name: ${runs:-unknown} runs in ${seconds} s, no findings"
  fi
done
exit $status
