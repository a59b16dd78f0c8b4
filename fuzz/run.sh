#!/bin/bash
# Runs fuzz targets of a built fuzz tree, each for the given number of seconds, one process at a
# time, from its seed corpus (fuzz/corpus/<target>) and with its dictionary (fuzz/dict).
#   fuzz/run.sh BUILD_DIR SECONDS [TARGET...]      every target when none is named
# With FUZZ_RUNS set, a target also stops after that many executions, whichever comes first.
# FUZZ_TIMEOUT (seconds, default 10) is how long one input may take before it counts as a hang;
# a long run at the lowest priority on a busy machine can be held off the processor for longer.
# What a run finds is kept in BUILD_DIR/findings/<target> (crash-*, leak-*, timeout-*), and the
# corpus it grew in BUILD_DIR/corpus/<target>; the seeds in the repository are never written.
# Exits non-zero when a target crashed, leaked or hung.
set -u
build=$1
seconds=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(definition_lines update_text server_dates exclusion_file version_block cookie_file
           settings_values language_file server_requests quarantine_index)
fi

dictionary() {
  case $1 in
    definition_lines | update_text) echo definitions ;;
    server_dates | settings_values) echo dates ;;
    server_requests) echo server ;;
    language_file) echo language ;;
    exclusion_file | cookie_file | version_block | quarantine_index) echo "$1" ;;
  esac
}

failed=0
for target in "${targets[@]}"; do
  binary=$build/fuzz_$target
  [ -x "$binary" ] || { echo "fuzz: no $binary (build the fuzz tree first)"; failed=1; continue; }
  corpus=$build/corpus/$target
  findings=$build/findings/$target
  mkdir -p "$corpus" "$findings"
  options=(-max_total_time="$seconds" -timeout="${FUZZ_TIMEOUT:-10}" -rss_limit_mb=2048 -max_len=65536
           -print_final_stats=1 -artifact_prefix="$findings/")
  [ -n "${FUZZ_RUNS:-}" ] && options+=(-runs="$FUZZ_RUNS")
  dict=$here/dict/$(dictionary "$target").dict
  [ -f "$dict" ] && options+=(-dict="$dict")
  log=$build/findings/$target.log
  # The grown corpus first, so that what it wrote goes there; the seeds are read only.
  if "$binary" "${options[@]}" "$corpus" "$here/corpus/$target" >"$log" 2>&1; then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
    took=$(grep -o 'Done [0-9]* runs in [0-9]* second' "$log" | grep -o '[0-9]* second' | grep -o '[0-9]*')
    echo "fuzz: $target: ${runs:-?} runs in ${took:-$seconds}s, no finding"
  else
    echo "fuzz: $target FAILED; see $log and $findings"
    tail -n 40 "$log"
    failed=1
  fi
done
exit $failed
