#!/usr/bin/env bash
# check_package.sh CASE ARCH DIST WORK: one proof on one unpacked release archive. CASE is
# contents (exactly the listed files, binaries without symbols, the static checks of the DLL and
# both programs) or hosts: a CMake project that finds the package and links Quervix::Quervix
# (MinGW-w64), and host.c built by clang for the MSVC target and linked by lld-link to
# lib/Quervix.lib. The hosts run under Wine in win64 (a thread presses OK, the statement is
# printed); 32-bit programs cannot run here, so in win32 their import tables are checked.
set -euo pipefail
case_name=$1 arch=$2 dist=$3 work=$4
root=$(cd "$(dirname "$0")/../.." && pwd)
here=$root/tests/package
archives=("$dist"/Quervix-*-"$arch".zip)
[[ ${#archives[@]} == 1 && -f ${archives[0]} ]] || { echo "expected one $dist/Quervix-*-$arch.zip" >&2; exit 1; }
version=$(basename "${archives[0]}" "-$arch.zip") version=${version#Quervix-} pkg=$work/pkg
rm -rf "$work" && mkdir -p "$pkg" && unzip -q "${archives[0]}" -d "$pkg"
if [[ $arch == win64 ]]; then
  triple=x86_64-w64-mingw32 pe_arch=x86-64 msvc_target=x86_64-pc-windows-msvc machine=i386:x86-64 kill_at= cpu=-D_AMD64_=1
else
  triple=i686-w64-mingw32 pe_arch=i386 msvc_target=i686-pc-windows-msvc machine=i386 kill_at=-k cpu=-D_X86_=1
fi

# Runs a host beside the packaged DLL (win64), or checks that it imports the DLL's export by
# its plain name (win32).
prove_host() {
  cp "$pkg/bin/Quervix.dll" "$(dirname "$1")/"
  if [[ $arch == win64 ]]; then
    local out want="rc=0 query=[SELECT Name FROM Customers WHERE  ( City = 'Oslo' ) ]"
    out=$("$root/scripts/wine-run.sh" "$1" | tr -d '\r')
    echo "$out"
    [[ $out == "$want" ]] || { echo "expected: $want" >&2; exit 1; }
  else
    local imports
    imports=$("$triple-objdump" -p "$1" | awk '/DLL Name:/ {dll = $3} dll == "Quervix.dll" && /^\t[0-9a-f]+\t/ {print $3}')
    [[ $imports == GetSELECTSQLQuery ]] && "$triple-objdump" -f "$1" | grep -q "file format pei-$pe_arch" ||
      { echo "imports from Quervix.dll: $imports" >&2; exit 1; }
  fi
}

case $case_name in
contents)
  diff <(printf '%s\n' README.txt bin/Quervix.dll bin/quervix-demo.exe bin/quervix-sql.exe include/Quervix.h \
           lib/Quervix.def lib/Quervix.lib lib/libQuervix.dll.a lib/cmake/Quervix/QuervixConfig.cmake \
           lib/cmake/Quervix/QuervixConfigVersion.cmake | sort) <(cd "$pkg" && find . -type f | sed 's|^\./||' | sort)
  for exe in bin/Quervix.dll bin/quervix-demo.exe bin/quervix-sql.exe; do
    "$triple-nm" "$pkg/$exe" 2>&1 | grep -q 'no symbols' || { echo "$exe is not stripped" >&2; exit 1; }
  done
  python3 "$root/tests/static/check_quervix.py" --version "$version.0" "$pkg/bin/Quervix.dll" "$pe_arch"
  for exe in quervix-demo quervix-sql; do python3 "$root/tests/static/check_quervix.py" --exe "$pkg/bin/$exe.exe" "$pe_arch"; done
  ;;
hosts)
  cmake -S "$here/consumer" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$triple.cmake" -DCMAKE_PREFIX_PATH="$pkg" >/dev/null
  cmake --build "$work/build" >/dev/null
  prove_host "$work/build/consumer.exe"
  # No Windows SDK here: MinGW-w64's headers (read in GNU mode, and told the processor as an
  # SDK build would be) and import libraries for the few system functions, made from .def files
  # (32-bit: stdcall symbols, undecorated imports).
  cd "$work"
  clang --target="$msvc_target" -fgnuc-version=4.2.1 "$cpu" -O1 -Wall -Wextra -Werror -DQUERVIX_HOST_NO_CRT \
        -DWIN32_LEAN_AND_MEAN -isystem /usr/share/mingw-w64/include -I"$pkg/include" -c "$here/host/host.c" -o host.obj
  for dll in kernel32 user32; do
    if [[ $arch == win64 ]]; then sed -E 's/@[0-9]+$//' "$here/host/$dll.def" >"$dll.def"; else cp "$here/host/$dll.def" .; fi
    llvm-dlltool -m "$machine" $kill_at -d "$dll.def" -l "$dll.lib"
  done
  lld-link /nologo /subsystem:console /entry:HostEntry /nodefaultlib /out:host.exe \
           host.obj "$pkg/lib/Quervix.lib" kernel32.lib user32.lib
  prove_host "$work/host.exe"
  ;;
*) echo "unknown case $case_name" >&2; exit 2 ;;
esac
