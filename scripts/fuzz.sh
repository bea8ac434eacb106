#!/usr/bin/env bash
# Builds every fuzz target with clang's libFuzzer (plus address and undefined-behaviour sanitizers) in a
# build folder of its own and runs each for FUZZ_SECONDS (default 60). Corpora grow in <build>/corpus/,
# starting from seeds our own writers make; a failing input lands in <build>/crashes/<target>/.
# The executions per target are written to <build>/fuzz-summary.txt. FUZZ_SEED fixes libFuzzer's seed, so a
# run repeats the mutations of an earlier run with the same seed (a shorter run explores a prefix of them).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${FUZZ_BUILD:-build-fuzz}
seconds=${FUZZ_SECONDS:-60}
jobs=${JOBS:-$(nproc)}
seed_option=()
[ -n "${FUZZ_SEED:-}" ] && seed_option=("-seed=$FUZZ_SEED")

scripts/install-deps.sh fuzz
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DRAVENSOOT_FUZZ=ON -DRAVENSOOT_PLATFORM=headless >/dev/null
cmake --build "$build" -j "$jobs" --target fuzz_targets

mkdir -p "$build/logs"
summary="$build/fuzz-summary.txt"
: >"$summary"
failed=0
for program in "$build"/fuzz/fuzz_*; do
  [ -x "$program" ] && [ -f "$program" ] || continue
  name=${program##*/fuzz_}
  corpus="$build/corpus/$name"
  crashes="$build/crashes/$name/"
  log="$build/logs/$name.log"
  mkdir -p "$corpus" "$crashes"
  RAVENSOOT_FUZZ_SEEDS="$corpus" "$program" >/dev/null
  saved=()
  [ -d "fuzz/regressions/$name" ] && saved=("fuzz/regressions/$name")
  echo "fuzz: $name for ${seconds} s"
  if ! "$program" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 "${seed_option[@]}" \
      -artifact_prefix="$crashes" "$corpus" "${saved[@]}" >"$log" 2>&1; then
    failed=1
    tail -n 60 "$log"
    echo "fuzz: $name FAILED; the input is in $crashes (log: $log)"
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  units=$(ls "$corpus" | wc -l)
  echo "$name: ${runs:-0} executions in ${seconds} s, corpus of $units inputs" | tee -a "$summary"
done
exit "$failed"
