#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs each libFuzzer target of a fuzz build for a while, seeded from its corpus in fuzz/corpus.
# Usage: scripts/run-fuzz.sh BUILD_DIR SECONDS_EACH
# What the run finds new is kept in BUILD_DIR/fuzz-corpus, not in the tree; an input that breaks a
# target is kept in BUILD_DIR/fuzz-findings and ends the run with a failure. A finding becomes a
# test case in tests/ before it is mended.
set -euo pipefail
build=$1
seconds=$2
here=$(cd "$(dirname "$0")/.." && pwd)
status=0
for target in batch_line birth_data_file arguments; do
  program="$build/fuzz/fuzz_$target"
  work="$build/fuzz-corpus/$target"
  findings="$build/fuzz-findings/$target"
  mkdir -p "$work" "$findings"
  echo "fuzz_$target: ${seconds} s"
  # One job; the sanitizers stop at the first fault; memory and time per input are capped.
  if ! "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
       -print_final_stats=1 -artifact_prefix="$findings/" "$work" "$here/fuzz/corpus/$target" \
       >"$build/fuzz-$target.log" 2>&1; then
    echo "fuzz_$target found a fault: see $build/fuzz-$target.log and $findings/" >&2
    tail -n 40 "$build/fuzz-$target.log" >&2
    status=1
  else
    grep -E '^stat::number_of_executed_units' "$build/fuzz-$target.log" || true
  fi
done
exit $status
