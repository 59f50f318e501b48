#!/usr/bin/env bash
# Installs the build tree into a temporary prefix, builds examples/ against
# the installed package as an outside project would, and runs minimal_host
# and the installed tool.
# Usage: check_installed_example.sh BUILD_DIR SOURCE_DIR SANITIZE(ON|OFF) [TOOLCHAIN_FILE EMULATOR...]
set -eu
build=$1
source=$2
sanitize=$3
toolchain=${4:-}
shift $(($# < 4 ? $# : 4))
emulator=("$@")
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
flags=("-DCMAKE_PREFIX_PATH=$prefix")
if [ "$sanitize" = "ON" ]; then
  flags+=("-DCMAKE_CXX_FLAGS=-fsanitize=address,undefined -fno-sanitize-recover=all"
          "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined")
fi
suffix=""
if [ -n "$toolchain" ]; then
  # A cross build searches packages in the target's tree only: the installed
  # package is named directly.
  flags+=("-DCMAKE_TOOLCHAIN_FILE=$toolchain" "-DTarnLink_DIR=$prefix/lib/cmake/TarnLink")
  suffix=".exe"
fi
cmake -S "$source/examples" -B "$prefix/build" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$prefix/build" >/dev/null
# A host program finds the library's DLLs through the installed bin/ on its
# search path (WINEPATH under Wine); the installed tool finds them beside itself.
WINEPATH="$prefix/bin" "${emulator[@]}" "$prefix/build/minimal_host$suffix"
"${emulator[@]}" "$prefix/bin/tarnlink$suffix" list AudioHostChanMute
