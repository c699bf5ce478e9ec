#!/usr/bin/env bash
# Builds the release from a clean tree of committed sources:
#   dist/quellix-VERSION-win32.zip   quellix.exe (stripped), README.txt (CRLF)
#                                    and LICENSE.txt
#   dist/SHA256SUMS                  the zip's SHA-256, in the form
#                                    `sha256sum -c` reads
# The version is res/version.h's, and CHANGELOG.md must have its section.
# Nothing of the clock or of the tree's path reaches the files: the same commit
# gives the same bytes wherever and whenever it is built.
# Usage: tools/release.sh
set -euo pipefail
cd "$(dirname "$0")/.."

fail() {
  echo "release: $*" >&2
  exit 1
}

# What is built must be what is committed, or the zip could not be made again.
git rev-parse --is-inside-work-tree >/dev/null 2>&1 || fail "not a git working tree"
if [[ -n $(git status --porcelain --untracked-files=normal) ]]; then
  git status --short >&2
  fail "the tree has uncommitted changes; commit or stash them first"
fi

version=$(sed -n 's/^#define QUELLIX_VERSION_TEXT "\([^"]*\)"$/\1/p' res/version.h)
[[ -n $version ]] || fail "res/version.h defines no QUELLIX_VERSION_TEXT"
grep -qF "## [$version]" CHANGELOG.md || fail "CHANGELOG.md has no section for $version"

# The last commit's time stands for "now" wherever a time is written.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH
export TZ=UTC LC_ALL=C

rm -rf build/release
cmake --preset release >/dev/null
cmake --build --preset release

name=quellix-$version-win32
stage=build/release/$name
mkdir -p "$stage" dist
cp build/release/quellix.exe "$stage/quellix.exe"
sed "s/@VERSION@/$version/g; s/\$/\r/" docs/README-windows.txt >"$stage/README.txt"
sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"

rm -f "dist/$name.zip" dist/SHA256SUMS
python3 tools/make_zip.py "dist/$name.zip" "$SOURCE_DATE_EPOCH" \
  quellix.exe="$stage/quellix.exe" README.txt="$stage/README.txt" LICENSE.txt="$stage/LICENSE.txt"
(cd dist && sha256sum "$name.zip" >SHA256SUMS)
echo "release $version from commit $(git rev-parse --short HEAD):"
echo "  $(cut -d' ' -f1 dist/SHA256SUMS)  dist/$name.zip"
echo "  $(sha256sum "$stage/quellix.exe" | cut -d' ' -f1)  quellix.exe in it"
