#!/usr/bin/env bash
# Builds the two Windows presets and packs the release archives:
#   dist/Quervix-<version>-win32.zip and dist/Quervix-<version>-win64.zip
# The version is the project's (CMakeLists.txt); the contents are the builds' install
# rules (packaging/CMakeLists.txt), stripped.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh >/dev/null
mkdir -p dist
for preset in win32 win64; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j 2 >/dev/null
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "build/$preset/CMakeCache.txt")
  name=Quervix-$version-$preset
  stage=$PWD/build/package/$name
  rm -rf "$stage" "dist/$name.zip"
  cmake --install "build/$preset" --prefix "$stage" --strip >/dev/null
  (cd "$stage" && zip -qrX "../../../dist/$name.zip" .)
  echo "package: dist/$name.zip ($(stat -c %s "dist/$name.zip") bytes)"
done
