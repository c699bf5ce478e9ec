#!/usr/bin/env bash
# Runs a Windows test program that saves screenshot-*.bmp files beside itself,
# then keeps them as PNG files in OUT_DIR:
#   wine-screenshot-test.sh STATE_DIR PROGRAM.exe OUT_DIR [ARGS...]
set -uo pipefail
state_dir=$1
program=$2
out_dir=$3
shift 3
folder=$(dirname "$program")
rm -f "$folder"/screenshot-*.bmp
"$(dirname "$0")/wine-run.sh" "$state_dir" "$program" "$@"
status=$?
mkdir -p "$out_dir"
for bmp in "$folder"/screenshot-*.bmp; do
  [[ -e $bmp ]] || continue
  png="$out_dir/$(basename "${bmp%.bmp}").png"
  convert "$bmp" "$png" && echo "screenshot: $png"
done
exit $status
