#!/usr/bin/env bash
# One proof on one unpacked release archive:
#   check_package.sh CASE ARCH DIST WORK     CASE: contents | static | mingw | msvc
# contents  the archive holds exactly the listed files, the DLL without symbols
# static    the static checks of the DLL and of both programs, version from the archive name
# mingw     a CMake project that only finds the package and links Quervix::Quervix (MinGW-w64)
# msvc      host.c compiled by clang for the MSVC target, linked by lld-link to lib/Quervix.lib
# The two hosts run under Wine in win64 (the dialog opens, a thread presses OK, the statement
# is printed); 32-bit programs cannot run here, so in win32 their import tables are checked.
set -euo pipefail
case_name=$1 arch=$2 dist=$3 work=$4
root=$(cd "$(dirname "$0")/../.." && pwd)
here=$root/tests/package

shopt -s nullglob
archives=("$dist"/Quervix-*-"$arch".zip)
((${#archives[@]} == 1)) || { echo "expected one $dist/Quervix-*-$arch.zip, found ${#archives[@]}" >&2; exit 1; }
archive=${archives[0]}
version=$(basename "$archive" "-$arch.zip"); version=${version#Quervix-}
rm -rf "$work" && mkdir -p "$work/pkg"
unzip -q "$archive" -d "$work/pkg"
pkg=$work/pkg

if [[ $arch == win64 ]]; then
  triple=x86_64-w64-mingw32 pe_arch=x86-64 msvc_target=x86_64-pc-windows-msvc machine=i386:x86-64
  kill_at= cpu_define=-D_AMD64_=1
else
  triple=i686-w64-mingw32 pe_arch=i386 msvc_target=i686-pc-windows-msvc machine=i386
  kill_at=-k cpu_define=-D_X86_=1
fi
expected="rc=0 query=[SELECT Name FROM Customers WHERE  ( City = 'Oslo' ) ]"

# Runs a host beside the packaged DLL (win64), or checks that it imports the DLL's export
# by its plain name (win32).
prove_host() {
  local exe=$1
  cp "$pkg/bin/Quervix.dll" "$(dirname "$exe")/"
  if [[ $arch == win64 ]]; then
    local out
    out=$("$root/scripts/wine-run.sh" "$exe" | tr -d '\r')
    echo "$out"
    [[ $out == "$expected" ]] || { echo "expected: $expected" >&2; exit 1; }
  else
    PYTHONPATH=$root/tests/static python3 -c '
import sys
from pe_image import PeImage
image = PeImage.from_file(sys.argv[1])
names = image.imports.get("Quervix.dll", [])
print(image.machine, "imports from Quervix.dll:", names)
sys.exit(0 if image.machine == sys.argv[2] and names == ["GetSELECTSQLQuery"] else 1)' "$exe" "$pe_arch"
  fi
}

case $case_name in
contents)
  listed=$(cd "$pkg" && find . -type f | sed 's|^\./||' | sort)
  wanted=$(printf '%s\n' README.txt bin/Quervix.dll bin/quervix-demo.exe bin/quervix-sql.exe include/Quervix.h \
             lib/Quervix.def lib/Quervix.lib lib/libQuervix.dll.a \
             lib/cmake/Quervix/QuervixConfig.cmake lib/cmake/Quervix/QuervixConfigVersion.cmake | sort)
  diff <(echo "$wanted") <(echo "$listed") || { echo "archive contents differ (< wanted, > found)" >&2; exit 1; }
  for exe in bin/Quervix.dll bin/quervix-demo.exe bin/quervix-sql.exe; do
    "$triple-nm" "$pkg/$exe" 2>&1 | grep -q 'no symbols' || { echo "$exe is not stripped" >&2; exit 1; }
  done
  echo "$(basename "$archive"): contents as listed, binaries stripped"
  ;;
static)
  checker=$root/tests/static/check_quervix.py
  python3 "$checker" --version "$version.0" "$pkg/bin/Quervix.dll" "$pe_arch"
  python3 "$checker" --exe "$pkg/bin/quervix-demo.exe" "$pe_arch"
  python3 "$checker" --exe "$pkg/bin/quervix-sql.exe" "$pe_arch"
  ;;
mingw)
  cmake -S "$here/consumer" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$triple.cmake" -DCMAKE_PREFIX_PATH="$pkg" >/dev/null
  cmake --build "$work/build" >/dev/null
  prove_host "$work/build/consumer.exe"
  ;;
msvc)
  mkdir -p "$work/msvc"
  cd "$work/msvc"
  # No Windows SDK here: MinGW-w64's headers (read in GNU mode, and told the processor as
  # an SDK build would be) and import libraries for the few system functions, made from
  # .def files (32-bit: stdcall symbols, undecorated imports).
  clang --target="$msvc_target" -fgnuc-version=4.2.1 "$cpu_define" -O1 -Wall -Wextra -Werror \
        -DQUERVIX_HOST_NO_CRT -DWIN32_LEAN_AND_MEAN -isystem /usr/share/mingw-w64/include \
        -I"$pkg/include" -c "$here/host/host.c" -o host.obj
  for dll in kernel32 user32; do
    if [[ $arch == win64 ]]; then sed -E 's/@[0-9]+$//' "$here/host/$dll.def" > "$dll.def"
    else cp "$here/host/$dll.def" "$dll.def"; fi
    llvm-dlltool -m "$machine" $kill_at -d "$dll.def" -l "$dll.lib"
  done
  lld-link /nologo /subsystem:console /entry:HostEntry /nodefaultlib /out:host.exe \
           host.obj "$pkg/lib/Quervix.lib" kernel32.lib user32.lib
  prove_host "$work/msvc/host.exe"
  ;;
*)
  echo "unknown case $case_name" >&2; exit 2 ;;
esac
