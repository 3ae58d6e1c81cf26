#!/usr/bin/env bash
# Builds Tagsling: `native` (portable code, tagsling-cli and unit tests with
# AddressSanitizer and UndefinedBehaviorSanitizer), `win` (tagsling.exe and
# the other Windows programs with mingw-w64), `fuzz` (libFuzzer targets with
# clang and the sanitizers), `fuzz-fast` (the same without AddressSanitizer, for
# long campaigns) and `bench` (optimised native build: the unit tests again, since the
# optimiser finds faults a debug build hides, and the benchmarks). No
# argument builds native and win. Warnings are errors in all of them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAGSLING_BUILD_DIR:-$root/build}
jobs=${JOBS:-$(nproc)}

# ccache, when installed, keeps compiled objects between builds and between
# checkouts: paths are made relative to the checkout and the build folder
# is left out of the hash, so a fresh clone finds what another one compiled.
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
fi

configure_and_build() {
  local dir=$1; shift
  # Configured every time, so that a build folder made before an option
  # existed gets it too (quick when nothing changed).
  cmake -S "$root" -B "$dir" -Wno-dev -DTAGSLING_WERROR=ON "${launcher[@]}" "$@" >/dev/null || return 1
  cmake --build "$dir" -j"$jobs" 2>&1 | grep -vE '^\[ *[0-9]+%\]|^-- ' || true
  # grep hides progress lines; the build's own status decides.
  cmake --build "$dir" -j"$jobs" >/dev/null
}

targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(native win)
for target in "${targets[@]}"; do
  case $target in
    native) configure_and_build "$build/native" -DCMAKE_BUILD_TYPE=Debug -DTAGSLING_SANITIZE=ON ;;
    win) configure_and_build "$build/win64" -DCMAKE_BUILD_TYPE=Release \
           -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" ;;
    fuzz) CC=clang CXX=clang++ configure_and_build "$build/fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
           -DTAGSLING_BUILD_FUZZ=ON -DTAGSLING_BUILD_TESTS=OFF ;;
    fuzz-fast) CC=clang CXX=clang++ configure_and_build "$build/fuzz-fast" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
           -DTAGSLING_BUILD_FUZZ=ON -DTAGSLING_BUILD_TESTS=OFF -DTAGSLING_FUZZ_SANITIZERS=undefined ;;
    bench) configure_and_build "$build/bench" -DCMAKE_BUILD_TYPE=Release \
           -DTAGSLING_BUILD_BENCH=ON -DTAGSLING_BUILD_TESTS=ON ;;
    *) echo "unknown build: $target" >&2; exit 1 ;;
  esac
done
