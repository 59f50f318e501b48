#!/usr/bin/env bash
# A DLL imports only system DLLs, the compiler's C++ runtime DLLs and
# TarnLink's own, and exports only its public interface: names of the TarnLink
# namespace, none of the library's internals.
# Usage: check_dll_tables.sh OBJDUMP DLL
set -eu
objdump=$1
dll=$2
tables=$("$objdump" -p "$dll")

allowed='^(kernel32|msvcrt|ucrtbase|user32|advapi32|ws2_32|mswsock|api-ms-win-[a-z0-9-]+|libstdc\+\+-6|libgcc_s_seh-1|libwinpthread-1|tarnlink)\.dll$'
imports=$(sed -n 's/^\tDLL Name: //p' <<<"$tables" | tr 'A-Z' 'a-z')
[ -n "$imports" ] || { echo "no import table in $dll"; exit 1; }
unexpected=$(grep -Ev "$allowed" <<<"$imports" || true)
[ -z "$unexpected" ] || { echo "$dll imports unexpected DLLs:"; echo "$unexpected"; exit 1; }
grep -qx 'libstdc++-6.dll' <<<"$imports" || { echo "$dll does not share the C++ runtime DLL"; exit 1; }

exports=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/s/^\t\[ *[0-9]*\] //p' <<<"$tables")
[ -n "$exports" ] || { echo "$dll exports nothing"; exit 1; }
# The type information of the standard exception classes that a public
# exception class derives from travels with it.
foreign=$(grep -v '8TarnLink' <<<"$exports" | grep -Ev '^_ZT[IS]St[0-9]' || true)
[ -z "$foreign" ] || { echo "$dll exports names outside the public interface:"; echo "$foreign"; exit 1; }
internal=$(grep 'N15TarnLinkPrivate' <<<"$exports" || true)
[ -z "$internal" ] || { echo "$dll exports internals:"; echo "$internal"; exit 1; }
echo "$dll: $(wc -l <<<"$imports") imported DLLs, $(wc -l <<<"$exports") exported names"
