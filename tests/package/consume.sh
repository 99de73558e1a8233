#!/usr/bin/env bash
# Installs the build into a fresh prefix, builds a host project against it and runs it.
set -eu
build=$1 work=$2 source=$3
rm -rf "$work"
cmake --install "$build" --prefix "$work/prefix" >/dev/null
cmake -S "$source/tests/package/consumer" -B "$work/build" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$source/cmake/toolchain-mingw64.cmake" \
      -Dqvwin_DIR="$work/prefix/lib/cmake/qvwin" >/dev/null
cmake --build "$work/build" >/dev/null
cp "$work/build/consumer.exe" "$work/prefix/bin/"
"$source/scripts/wine-run" "$work/prefix/bin/consumer.exe"
