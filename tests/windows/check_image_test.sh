#!/usr/bin/env bash
# The image check refuses an image whose manifest names another architecture,
# and judges each image on its own: one that fails does not hide that the
# next one passes.  check_image_test.sh CHECK FOREIGN.exe GOOD.exe
set -uo pipefail
check=$1 foreign=$2 good=$3
output=$("$check" "$good" "$foreign" "$good")
status=$?
echo "$output"
((status != 0)) || { echo "FAIL the check passed an image whose manifest names another architecture"; exit 1; }
grep -qE "^FAIL $(basename "$foreign"): its manifest names [a-z0-9]+, the image is " <<<"$output" ||
  { echo "FAIL the check does not say which architecture the manifest names"; exit 1; }
oks=$(grep -c "^ok   $(basename "$good"):" <<<"$output")
((oks == 2)) || { echo "FAIL $(basename "$good") passed $oks time(s) of 2: a failure of another image counted against it"; exit 1; }
echo "ok   the check refuses $(basename "$foreign") and still passes the image after it"
