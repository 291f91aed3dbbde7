#!/usr/bin/env bash
# Installs what is missing, builds in Release and runs every test through CTest.
# With CI=true it also builds and runs the whole suite once more under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/scripts/install-deps.sh"

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

"$root/scripts/build.sh" "$root/build"
ctest --test-dir "$root/build" -j "$jobs" --output-on-failure

if [[ "${CI:-}" == "true" || "${KV_SANITIZE:-}" == "1" ]]; then
  "$root/scripts/build.sh" "$root/build-asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKV_SANITIZE=ON \
    -DKV_BUILD_BENCH=OFF
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1
  export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  ctest --test-dir "$root/build-asan" -j "$jobs" --output-on-failure
fi
