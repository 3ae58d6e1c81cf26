#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when one is
# missing, and the Japanese locale Wine runs under. Fast and quiet when all is there.
set -euo pipefail

packages=(
  cmake g++ clang clang-format libclang-rt-14-dev googletest libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-x86-64 wine wine64 xvfb xdotool imagemagick x11-utils
  fonts-wine fonts-ipafont-gothic locales python3
  pkg-config libre2-dev  # the benchmark peer of bench_regex, never linked by the program
  zlib1g-dev  # tagsling-icon writes the 256-pixel picture of tagsling.ico as PNG
  libboost-dev  # Boost.Beast and Boost.Asio headers of the live-preview server (header-only)
  chromium  # the live preview's end-to-end test and benchmark drive it headless
  ccache  # scripts/build.sh compiles through it: a second build or a second checkout is quick
)
# The template check runs html-validate (node) and the Nu checker (java); a
# machine that already has node or java from elsewhere keeps it.
command -v npm >/dev/null || packages+=(nodejs npm)
command -v java >/dev/null || packages+=(default-jre-headless)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# Wine takes its ANSI code page (932) from a Japanese locale.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi

# The validators of the template check, pinned by tests/validate/package-lock.json,
# into tests/validate/node_modules (ignored by git); again only when the lock
# file is newer than what was installed from it. No install scripts: the Nu
# checker's jar is in its package and runs on the system's java.
validate=$(cd "$(dirname "$0")/../tests/validate" && pwd)
if [ ! -f "$validate/node_modules/.package-lock.json" ] ||
  [ "$validate/package-lock.json" -nt "$validate/node_modules/.package-lock.json" ]; then
  echo "Installing the HTML validators into tests/validate/node_modules"
  (cd "$validate" && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error >/dev/null)
fi
