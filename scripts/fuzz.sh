#!/usr/bin/env bash
# Builds the fuzz preset (clang 14, libFuzzer, ASan, UBSan) and fuzzes each engine
# target in turn for the given seconds (default 60), one at a time.
# New inputs go to build/fuzz/corpus/<target>; the seeds in tests/fuzz/corpus are
# read, never written. A finding stops the run and is saved in build/fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
[[ $seconds =~ ^[0-9]+$ ]] || { echo "usage: scripts/fuzz.sh [seconds]" >&2; exit 2; }
scripts/setup.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j 2

findings=build/fuzz/findings
mkdir -p "$findings"
status=0
for target in open_statement form_round_trip; do
  work=build/fuzz/corpus/$target
  log=build/fuzz/$target.log
  mkdir -p "$work"
  echo "== fuzz: $target for ${seconds}s (log: $log)"
  if build/fuzz/tests/fuzz/fuzz_$target -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$findings/$target-" \
       "$work" "tests/fuzz/corpus/$target" >"$log" 2>&1; then :; else
    status=1
    echo "finding in $target:" >&2
    grep -E 'ERROR|broken rule|Test unit written' "$log" >&2 || tail -n 20 "$log" >&2
  fi
  grep -E '^#[0-9]+' "$log" | tail -n 1
  grep -E '^stat::number_of_executed_units' "$log" || true
done
exit $status
