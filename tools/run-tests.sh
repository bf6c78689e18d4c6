#!/usr/bin/env bash
# The test command: installs what is missing, builds every preset and runs
# every test — native, native under ASan+UBSan and under TSan, the fuzz
# targets for a bounded time, and the Windows build under Wine.
#   bash tools/run-tests.sh            everything
#   FUZZ_SECONDS=60 bash tools/run-tests.sh
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
FUZZ_SECONDS=${FUZZ_SECONDS:-15}
JOBS=${JOBS:-2}

bash tools/install-deps.sh

step() { printf '\n==== %s\n' "$*"; }

run_native() {  # preset
  step "$1: configure, build, test"
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" -j "$JOBS"
  ctest --preset "$1"
}

run_native native
run_native asan
# ThreadSanitizer needs a fixed address-space layout on newer kernels.
step "tsan: configure, build, test"
cmake --preset tsan >/dev/null
cmake --build --preset tsan -j "$JOBS"
setarch "$(uname -m)" -R ctest --preset tsan

step "fuzz: ${FUZZ_SECONDS}s per target"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$JOBS"
for f in build/fuzz/fuzz/*_fuzz; do
  corpus=build/fuzz/corpus/$(basename "$f")
  mkdir -p "$corpus"
  echo "-- $(basename "$f")"
  "$f" -max_total_time="$FUZZ_SECONDS" -artifact_prefix=build/fuzz/ "$corpus" 2>&1 | tail -n 1
done

step "windows: configure, build, test under Wine"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$JOBS"
# One virtual display and one Wine server for the whole run.
xvfb_pid=
if [ -z "${DISPLAY:-}" ]; then
  exec 5< <(Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null & echo "pid $!")
  read -r _ xvfb_pid <&5
  read -r num <&5
  export DISPLAY=":$num"
fi
cleanup() {
  WINEPREFIX="$top/build/windows/wineprefix" wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
ctest --preset windows

step "end to end: demo server, sample client and ZMX.exe under Wine"
ctest --preset e2e --no-tests=ignore
