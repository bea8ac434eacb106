#!/usr/bin/env bash
# Builds the tests with the given sanitizers in a build folder of their own and runs them; any report
# stops the run and fails it.  usage: sanitize.sh <sanitizers> <build folder> [test program]
# Without a program every test runs through CTest; with one, only that program.
set -euo pipefail
cd "$(dirname "$0")/.."
sanitizers=$1
build=$2
program=${3:-}
jobs=${JOBS:-$(nproc)}

scripts/install-deps.sh sanitize
# -O1 and line tables only: the build is most of the pass's time, and traces still name every line.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" \
  -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g1" -DRAVENSOOT_SANITIZE="$sanitizers" >/dev/null
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/scripts/tsan.supp"
export RAVENSOOT_STRESS_SECONDS=${STRESS_SECONDS:-2}
if [ -n "$program" ]; then
  cmake --build "$build" -j "$jobs" --target "$program"
  "$build/tests/$program"
else
  cmake --build "$build" -j "$jobs" --target test_programs
  ctest --test-dir "$build" --output-on-failure -j "$jobs"
fi
