#!/usr/bin/env bash
# KARMO: install what is missing, build, then run the program or the tests.
#   ./karmo.sh          build (Release, in build/) and start the program
#   ./karmo.sh test     build and run every test
#   ./karmo.sh cli ...  build and run karmo-cli with the given arguments
#   ./karmo.sh test --sanitize
#                       build the tests with AddressSanitizer and UndefinedBehaviorSanitizer
#                       (clang, in build-san/; no window, no benchmarks) and run them
#   ./karmo.sh fuzz [SECONDS]
#                       build the libFuzzer harnesses of fuzz/ (clang, in build-fuzz/) and run
#                       each for SECONDS (default 60), seeded from examples/ and tests/data
set -euo pipefail
cd "$(dirname "$0")"

# poppler-utils: the tests read the printed PDF files back.
PACKAGES=(cmake g++ make qt6-base-dev libgl-dev fonts-dejavu-core libgtest-dev libgmock-dev libbenchmark-dev poppler-utils)
# The sanitizer runtimes and libFuzzer come with Debian's clang and its compiler-rt.
CLANG_PACKAGES=(clang libclang-rt-dev)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "karmo: installing ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      sudo=(sudo)
    else
      echo "karmo: these Debian packages are missing: ${missing[*]}" >&2
      echo "karmo: install them as root (apt-get install ${missing[*]}); sudo is not available." >&2
      exit 1
    fi
  fi
  export DEBIAN_FRONTEND=noninteractive
  if ! "${sudo[@]}" apt-get update -qq || ! "${sudo[@]}" apt-get install -y -qq "${missing[@]}"; then
    echo "karmo: could not install ${missing[*]} with apt-get." >&2
    exit 1
  fi
}

build() {
  local werror=OFF
  [ "${CI:-}" = "true" ] && werror=ON
  cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DKARMO_WERROR="$werror" >/dev/null
  cmake --build build -j2
}

launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

# A clang build with the given options in its own directory.
clang_build() {
  local dir="$1"; shift
  cmake -S . -B "$dir" -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O1" "${launcher[@]}" "$@" >/dev/null
}

# Seeds for one harness: each file of the list behind the control bytes the harness reads
# first (large series are cut to their first 4 KiB).
seed() {
  local dir="$1" prefix="$2"; shift 2
  mkdir -p "$dir"
  local f
  for f in "$@"; do
    [ -f "$f" ] || continue
    { printf "$prefix"; head -c 4096 "$f"; } >"$dir/seed-$(basename "$f")"
  done
}

fuzz() {
  local seconds="${1:-60}"
  case "$seconds" in ''|*[!0-9]*) echo "usage: ./karmo.sh fuzz [SECONDS]" >&2; exit 2 ;; esac
  local werror=OFF
  [ "${CI:-}" = "true" ] && werror=ON
  clang_build build-fuzz -DKARMO_FUZZ=ON -DKARMO_WERROR="$werror"
  cmake --build build-fuzz -j2 --target fuzz_all
  local out=build-fuzz/corpus
  seed "$out/history_file" '\377\000' examples/database/karhs.1 tests/data/history/karhs.golden
  seed "$out/text_file" '\377\001' examples/bracket.txt tests/data/cli/*.txt
  seed "$out/text_file" '\377\000' tests/data/history/nine.txt
  seed "$out/ascii_series" '\377\000' examples/strain-gauge.asc
  seed "$out/binary_series" '\377\000' examples/strain-gauge.bin
  seed "$out/database" '\377\000' examples/database/kardt.dat tests/data/database/kardt.golden
  mkdir -p "$out/settings"
  printf ' 2.54  255  65280  16777215  0  8421504  1  0 \r\n' >"$out/settings/seed-Karmo.cfg"
  seed "$out/numbers" '\125' tests/data/history/nine.txt tests/data/database/kardt.golden
  seed "$out/cli" '\000\001\000\000' examples/bracket.txt
  seed "$out/cli" '\001\003\000\000' examples/strain-gauge.asc
  seed "$out/cli" '\002\004\000\000' examples/strain-gauge.bin
  seed "$out/cli" '\003\000\000\000' examples/database/kardt.dat
  local failed=0 name log
  for exe in build-fuzz/fuzz/fuzz_*; do
    name="${exe##*/fuzz_}"
    log="build-fuzz/fuzz-$name.log"
    mkdir -p "build-fuzz/findings/$name"
    if "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
         -print_final_stats=1 -artifact_prefix="build-fuzz/findings/$name/" "$out/$name" >"$log" 2>&1; then
      echo "fuzz $name: $(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -1 | sed -E 's/^#([0-9]+)[[:space:]]+DONE +/\1 runs, /')"
    else
      failed=1
      echo "fuzz $name: FINDING, see $log and build-fuzz/findings/$name/" >&2
      grep -E 'ERROR|invariant broken|SUMMARY' "$log" | head -5 >&2 || true
    fi
  done
  return "$failed"
}

case "${1:-run}" in
  test)
    if [ "${2:-}" = "--sanitize" ]; then
      PACKAGES+=("${CLANG_PACKAGES[@]}")
      install_missing
      werror=OFF
      [ "${CI:-}" = "true" ] && werror=ON
      clang_build build-san -DKARMO_SANITIZE=ON -DKARMO_WERROR="$werror"
      cmake --build build-san -j2
      cd build-san
      # Leaks are findings too; a finding fails the run.
      ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --output-on-failure
      exit
    fi
    install_missing
    build
    cd build
    ctest --output-on-failure
    ;;
  fuzz)
    PACKAGES+=("${CLANG_PACKAGES[@]}")
    install_missing
    fuzz "${2:-}"
    ;;
  cli)
    install_missing
    build
    shift
    exec build/karmo-cli "$@"
    ;;
  run)
    install_missing
    build
    if [ ! -x build/karmo ]; then
      echo "karmo: the desktop window was not built (Qt 6 Widgets missing?); the tests run with ./karmo.sh test." >&2
      exit 1
    fi
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
      echo "karmo: no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
      echo "karmo: run it on a desktop, or under a virtual display (Debian package xvfb):  xvfb-run -a ./karmo.sh" >&2
      echo "karmo: or without any display:  QT_QPA_PLATFORM=offscreen ./karmo.sh" >&2
      exit 1
    fi
    exec build/karmo
    ;;
  *)
    echo "usage: ./karmo.sh [test [--sanitize] | fuzz [SECONDS] | cli ARGS...]" >&2
    exit 2
    ;;
esac
