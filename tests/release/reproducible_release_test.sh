#!/usr/bin/env bash
# Builds the release twice from the current commit, in two clones at paths
# that differ in name and depth, one after the other and under different time
# zones and umasks, and checks that:
#   - quellix.exe and the zip are the same bytes both times;
#   - SHA256SUMS checks out with `sha256sum -c`;
#   - the zip holds exactly quellix.exe, README.txt and LICENSE.txt, the two
#     texts with Windows line ends and the version of res/version.h;
#   - the zip's quellix.exe passes the image check and the import audit;
#   - release.sh refuses a tree with uncommitted changes.
# Only committed sources are built: changes not yet committed are not in it.
# Usage: reproducible_release_test.sh SOURCE_DIR WORK_DIR
set -euo pipefail
source_dir=$1
work=$2
tools=$source_dir/tools
commit=$(git -C "$source_dir" rev-parse HEAD)
echo "building the release of commit $commit twice"

rm -rf "$work"
mkdir -p "$work"
first=$work/a
second=$work/elsewhere/a-second-clone
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Shares the source's object store, so even a commit on no branch is there.
clone() {
  git clone -q --shared --no-checkout "$source_dir" "$1"
  git -C "$1" checkout -q --detach "$commit"
}

# Unsigned, whatever signing settings the caller has.
unset QUELLIX_SIGN_PKCS12 QUELLIX_SIGN_PASSWORD QUELLIX_SIGN_TIMESTAMP_URL
clone "$first"
(TZ=UTC umask 022 && bash "$first/tools/release.sh") >"$work/first.log" 2>&1 ||
  { cat "$work/first.log"; exit 1; }
clone "$second"
(TZ=Pacific/Kiritimati umask 077 && bash "$second/tools/release.sh") >"$work/second.log" 2>&1 ||
  { cat "$work/second.log"; exit 1; }

version=$(sed -n 's/^#define QUELLIX_VERSION_TEXT "\([^"]*\)"$/\1/p' "$first/res/version.h")
name=quellix-$version-win32
for file in "build/release/$name/quellix.exe" "dist/$name.zip" dist/SHA256SUMS; do
  a=$(sha256sum <"$first/$file" | cut -d' ' -f1)
  b=$(sha256sum <"$second/$file" | cut -d' ' -f1)
  echo "$a  $b  $(basename "$file")"
  [[ $a == "$b" ]] || fail "$(basename "$file") differs between the two builds"
done

(cd "$first/dist" && sha256sum -c SHA256SUMS) || fail "sha256sum -c SHA256SUMS"

unpacked=$work/unpacked
python3 -m zipfile -e "$first/dist/$name.zip" "$unpacked"
members=$(cd "$unpacked" && find . -type f -printf '%P\n' | LC_ALL=C sort | tr '\n' ' ')
[[ $members == "LICENSE.txt README.txt quellix.exe " ]] || fail "the zip holds $members"
for text in README.txt LICENSE.txt; do
  lines=$(wc -l <"$unpacked/$text")
  crlf=$(grep -c $'\r$' "$unpacked/$text" || true)
  [[ $lines -gt 0 && $lines == "$crlf" ]] || fail "$text: $crlf of $lines lines end in CR LF"
done
grep -q "Version $version\." "$unpacked/README.txt" || fail "README.txt does not give version $version"
grep -q "@VERSION@" "$unpacked/README.txt" && fail "README.txt keeps a placeholder"
cmp -s "$unpacked/quellix.exe" "$first/build/release/$name/quellix.exe" ||
  fail "the zip's quellix.exe is not the one built"
"$tools/check-image.sh" "$unpacked/quellix.exe" || fail "the zip's quellix.exe fails the image check"
"$tools/audit_imports.py" "$unpacked/quellix.exe" ||
  fail "the zip's quellix.exe imports what Windows XP SP3 lacks"

# A change not yet committed would make a zip no one could make again.
echo "// not committed" >>"$first/app/main_win32.cpp"
if refused=$(bash "$first/tools/release.sh" 2>&1); then
  fail "release.sh ran on a tree with uncommitted changes"
else
  [[ $refused == *"uncommitted changes"* ]] || fail "release.sh failed otherwise: $refused"
fi

((failures == 0)) || exit 1
echo "the same bytes from two builds: quellix.exe $(sha256sum <"$unpacked/quellix.exe" | cut -d' ' -f1)"
