#!/usr/bin/env bash
# Installs the Debian packages that building and testing TarnLink needs, when missing.
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev libprotobuf-dev)
packages+=(libasio-dev) # the network library, tarnlink_net
# Fuzzing campaigns (scripts/fuzz.sh) also need clang's libFuzzer, and
# scripts/memcheck.sh needs valgrind.
case "${1:-}" in
  fuzz) packages+=(clang-14 libclang-rt-14-dev libfuzzer-14-dev) ;;
  memcheck) packages+=(valgrind) ;;
esac
# The Python module and its tests.
packages+=(pybind11-dev python3-dev python3-pytest)
# The Windows build: mingw-w64's C++ compiler and binutils, GoogleTest's
# sources for it, and Wine to run what it builds.
packages+=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest wine wine64)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi
