#!/usr/bin/env bash
# The import audit refuses an image that Windows XP cannot load, and names
# every reason:  audit_imports_test.sh AUDIT IMAGE
set -uo pipefail
audit=$1 image=$2
output=$("$audit" "$image")
status=$?
echo "$output"
((status != 0)) || { echo "FAIL the audit passed an image that Windows XP cannot load"; exit 1; }
for reason in "imports GetTickCount64 from kernel32.dll" "imports _strrev from msvcrt.dll" \
  "subsystem version 6.0" "OS version 6.0"; do
  grep -qF "$reason" <<<"$output" || { echo "FAIL the audit does not say: $reason"; exit 1; }
done
echo "ok   the audit refuses $(basename "$image") and says why"
