#!/usr/bin/env bash
# KARMO: install what is missing, build, then run the program or the tests.
#   ./karmo.sh          build (Release, in build/) and start the program
#   ./karmo.sh test     build and run every test
#   ./karmo.sh cli ...  build and run karmo-cli with the given arguments
set -euo pipefail
cd "$(dirname "$0")"

# poppler-utils: the tests read the printed PDF files back.
PACKAGES=(cmake g++ make qt6-base-dev libgl-dev fonts-dejavu-core libgtest-dev libgmock-dev libbenchmark-dev poppler-utils)

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

install_missing
build

case "${1:-run}" in
  test)
    cd build
    ctest --output-on-failure
    ;;
  cli)
    shift
    exec build/karmo-cli "$@"
    ;;
  run)
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
    echo "usage: ./karmo.sh [test | cli ARGS...]" >&2
    exit 2
    ;;
esac
