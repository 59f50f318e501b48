#!/usr/bin/env bash
# Definition and capability files read from directories give the same
# dictionary and answers as the embedded ones, and definition files can be
# stamped with checksums and checked.
# Usage: check_directories.sh SOURCE_DIR TOOL_COMMAND...
set -eu
source=$1
shift
tool=("$@")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/tcd" "$work/hwc" "$work/both"
cp "$source"/resources/tcd/*.tcd "$work/tcd/"
cp "$source"/resources/hwc/*.hwc "$work/hwc/"
cp "$work"/tcd/* "$work"/hwc/* "$work/both/"

answers() { "${tool[@]}" "$@" caps | sed -n '/^Function/,$p'; }
diff -u <("${tool[@]}" list) <("${tool[@]}" --tcd-dir "$work/tcd" list)
diff -u <(answers) <(answers --tcd-dir "$work/tcd" --hwc-dir "$work/hwc")
diff -u <(answers) <(answers --tcd-dir "$work/both" --hwc-dir "$work/both")
diff -u <(answers) <(answers --hwc-dir "$work/hwc")

"${tool[@]}" crc stamp "$work/tcd" >/dev/null
"${tool[@]}" crc check "$work/tcd" >/dev/null
"${tool[@]}" --tcd-dir "$work/tcd" list >/dev/null
sed -i 's/AUDIO/VIDEO/' "$work/tcd/audio.tcd"
if "${tool[@]}" crc check "$work/tcd" >/dev/null 2>&1; then
  echo "a changed definition file passed the check"
  exit 1
fi
