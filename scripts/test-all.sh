#!/usr/bin/env bash
# Builds every tree and runs every test that this machine can run:
#   native  g++ with AddressSanitizer and UndefinedBehaviorSanitizer
#   win64   x86_64-w64-mingw32, tests under Wine's 64-bit loader
#   win32   i686-w64-mingw32, always built; its tests run under Wine's
#           32-bit loader where this machine can execute 32-bit programs
#           (scripts/can-run-32bit.sh) and are reported as skipped elsewhere
# and checks that the benchmarks still build. Ends with one line per tree
# and a total; the exit status is 0 only when every test that ran passed.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)
logs=$root/build/test-logs
test_jobs=${QD_TEST_JOBS:-$jobs}

bash scripts/setup.sh || exit 1
mkdir -p "$logs"

summary=()
total_passed=0
total_failed=0
total_skipped=0
status=0

# build PRESET: configure and build one tree.
build() {
  cmake --preset "$1" >/dev/null && cmake --build --preset "$1" -j "$jobs"
}

# count PRESET: the number of tests the tree defines.
count() {
  ctest --preset "$1" -N 2>/dev/null | sed -n 's/^Total Tests: *//p'
}

# run_tests PRESET: runs the tree's tests and adds its line to the summary.
run_tests() {
  local preset=$1 log=$logs/$1.log
  ctest --preset "$preset" -j "$test_jobs" 2>&1 | tee "$log"
  local rc=${PIPESTATUS[0]}
  local line passed failed all
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -n "$line" ]; then
    failed=$(sed -E 's/.* ([0-9]+) tests? failed out of.*/\1/' <<<"$line")
    all=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
    passed=$((all - failed))
  else
    passed=0
    failed=$(count "$preset")
    failed=${failed:-1}
  fi
  [ "$rc" = 0 ] && [ "$failed" = 0 ] || status=1
  summary+=("$preset: $passed passed, $failed failed")
  total_passed=$((total_passed + passed))
  total_failed=$((total_failed + failed))
}

# prepare_wine PRESET: creates the tree's Wine prefix once, before the tests
# start in parallel, so no test waits for a boot.
prepare_wine() {
  (cd "build/$1" && "$root/cmake/wine-run.sh" cmd /c exit 0) >/dev/null 2>&1 || true
}

echo "== native tree (g++, AddressSanitizer + UndefinedBehaviorSanitizer)"
if build native; then
  run_tests native
else
  status=1
  summary+=("native: build failed")
fi

echo "== win64 tree (x86_64-w64-mingw32, tests under Wine's 64-bit loader)"
if build win64; then
  prepare_wine win64
  run_tests win64
else
  status=1
  summary+=("win64: build failed")
fi

echo "== win32 tree (i686-w64-mingw32)"
if build win32; then
  if why=$(bash scripts/can-run-32bit.sh); then
    echo "-- tests under Wine's 32-bit loader"
    prepare_wine win32
    run_tests win32
  else
    skipped=$(count win32)
    skipped=${skipped:-0}
    echo "win32 tree: built, but its $skipped tests were not run: this machine cannot execute 32-bit programs ($why)"
    summary+=("win32: 0 passed, 0 failed, $skipped skipped (built; no 32-bit execution here)")
    total_skipped=$((total_skipped + skipped))
  fi
else
  status=1
  summary+=("win32: build failed")
fi

echo "== benchmarks build"
if build bench > "$logs/bench-build.log" 2>&1; then
  summary+=("bench: built")
else
  tail -n 40 "$logs/bench-build.log"
  status=1
  summary+=("bench: build failed (build/test-logs/bench-build.log)")
fi

echo
echo "== summary"
for line in "${summary[@]}"; do
  echo "$line"
done
echo "total: $total_passed passed, $total_failed failed, $total_skipped skipped"
exit $status
