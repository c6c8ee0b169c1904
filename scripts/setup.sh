#!/usr/bin/env bash
# Installs what building and testing Quervix needs on a Debian 12 machine.
# Idempotent: when everything is present it only checks and returns.
# Never adds the i386 architecture: 32-bit Windows code is built here, not run.
set -euo pipefail

need=()
have_cmd() { command -v "$1" >/dev/null 2>&1; }
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

pkgs=(cmake ninja-build g++ make
      g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
      binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
      wine wine64 xvfb xauth xdotool x11-utils imagemagick
      googletest libbenchmark-dev python3
      clang-14 libclang-rt-14-dev llvm-14)
for p in "${pkgs[@]}"; do have_pkg "$p" || need+=("$p"); done

if ((${#need[@]})); then
  echo "setup: installing ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

# The posix thread model gives the cross compilers std::thread and std::mutex.
for t in x86_64-w64-mingw32 i686-w64-mingw32; do
  for c in gcc g++; do
    if [[ -e /usr/bin/$t-$c-posix ]] && [[ "$(readlink -f /usr/bin/$t-$c)" != /usr/bin/$t-$c-posix ]]; then
      update-alternatives --set "$t-$c" "/usr/bin/$t-$c-posix" >/dev/null
    fi
  done
done

for c in cmake ninja x86_64-w64-mingw32-g++ i686-w64-mingw32-g++ wine Xvfb xdotool import clang++-14; do
  have_cmd "$c" || { echo "setup: $c is still missing" >&2; exit 1; }
done
[[ -f /usr/src/googletest/CMakeLists.txt ]] || { echo "setup: GoogleTest source missing" >&2; exit 1; }
# libFuzzer comes with clang's runtime libraries, not with the compiler package.
[[ -f "$(clang-14 -print-runtime-dir)/libclang_rt.fuzzer-x86_64.a" ]] ||
  { echo "setup: libFuzzer missing (libclang-rt-14-dev)" >&2; exit 1; }
echo "setup: all tools present"
