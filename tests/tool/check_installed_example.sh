#!/usr/bin/env bash
# Installs the build tree into a temporary prefix, builds examples/ against
# the installed package as an outside project would, and runs minimal_host.
# Usage: check_installed_example.sh BUILD_DIR SOURCE_DIR SANITIZE(ON|OFF)
set -eu
build=$1
source=$2
sanitize=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
flags=()
if [ "$sanitize" = "ON" ]; then
  flags+=("-DCMAKE_CXX_FLAGS=-fsanitize=address,undefined -fno-sanitize-recover=all"
          "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined")
fi
cmake -S "$source/examples" -B "$prefix/build" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" "${flags[@]}" >/dev/null
cmake --build "$prefix/build" >/dev/null
"$prefix/build/minimal_host"
"$prefix/bin/tarnlink" list AudioHostChanMute
