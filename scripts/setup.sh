#!/usr/bin/env bash
# Installs what building and testing Quervix needs on a Debian 12 machine.
# Idempotent: when everything is present it only checks and returns.
# Never adds the i386 architecture: 32-bit Windows code is built here, not run.
set -euo pipefail

need=()
have_cmd() { command -v "$1" >/dev/null 2>&1; }
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

# The cross compilers of the win32 thread model (cmake/toolchain-*.cmake name them): the DLL
# then links no pthreads layer. clang, lld and llvm make and test the MSVC import library of
# the release packages; zip and unzip pack and unpack them; libclang-rt holds libFuzzer; openbox
# is the window manager of the UI tests' desktop.
pkgs=(cmake ninja-build g++ make
      g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32
      binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
      wine wine64 xvfb xauth xdotool x11-utils imagemagick openbox
      googletest libbenchmark-dev python3
      clang-14 libclang-rt-14-dev llvm-14 clang lld llvm zip unzip)
for p in "${pkgs[@]}"; do have_pkg "$p" || need+=("$p"); done

if ((${#need[@]})); then
  echo "setup: installing ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

for c in cmake ninja x86_64-w64-mingw32-g++-win32 i686-w64-mingw32-g++-win32 wine Xvfb openbox xprop xdotool import \
         clang clang++-14 lld-link llvm-dlltool zip unzip; do
  have_cmd "$c" || { echo "setup: $c is still missing" >&2; exit 1; }
done
[[ -f /usr/src/googletest/CMakeLists.txt ]] || { echo "setup: GoogleTest source missing" >&2; exit 1; }
# libFuzzer comes with clang's runtime libraries, not with the compiler package.
[[ -f "$(clang-14 -print-runtime-dir)/libclang_rt.fuzzer-x86_64.a" ]] ||
  { echo "setup: libFuzzer missing (libclang-rt-14-dev)" >&2; exit 1; }
echo "setup: all tools present"
