#!/usr/bin/env bash
# Builds the release from a clean tree of committed sources:
#   dist/quellix-VERSION-win32.zip   quellix.exe (stripped), README.txt (CRLF)
#                                    and LICENSE.txt
#   dist/SHA256SUMS                  the zip's SHA-256 (the zip as shipped,
#                                    signed image and all), in the form
#                                    `sha256sum -c` reads
# The version is res/version.h's, and CHANGELOG.md must have its section.
# Nothing of the clock or of the tree's path reaches the files: the same commit
# gives the same bytes wherever and whenever it is built.
#
# Given the maintainer's code-signing certificate, quellix.exe is signed with
# Authenticode before it goes into the zip:
#   QUELLIX_SIGN_PKCS12         the certificate, its chain and its key: a
#                               PKCS#12 (.pfx, .p12) file
#   QUELLIX_SIGN_PASSWORD       that file's password (set, even if empty)
#   QUELLIX_SIGN_TIMESTAMP_URL  optional: an RFC 3161 time-stamping service,
#                               whose countersignature keeps the signature
#                               valid after the certificate has expired
# Without them the zip holds the unsigned image, and the script says so. A
# certificate that cannot be read or opened fails the release before it is
# built; nothing unsigned is left in dist/ in its place. The signed image with
# its signature removed (osslsigncode remove-signature) is the unsigned one,
# byte for byte, so a signed release can be held against a build of its commit.
# Usage: tools/release.sh
set -euo pipefail

# The password stays in this shell alone: it is handed to osslsigncode through
# a pipe, not on its command line, where `ps` shows it to every user, and
# nothing this script starts inherits it in its environment.
sign_password=${QUELLIX_SIGN_PASSWORD-}
sign_password_given=${QUELLIX_SIGN_PASSWORD+yes}
unset QUELLIX_SIGN_PASSWORD
sign_pkcs12=${QUELLIX_SIGN_PKCS12:-}
# A relative path is the caller's, not the tree's.
[[ -z $sign_pkcs12 || $sign_pkcs12 == /* ]] || sign_pkcs12=$PWD/$sign_pkcs12
sign_timestamp_url=${QUELLIX_SIGN_TIMESTAMP_URL:-}
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
name=quellix-$version-win32
# A release that fails from here on leaves no zip of an earlier run behind.
rm -f "dist/$name.zip" dist/SHA256SUMS

# Whether the PKCS#12 file opens with the password, checked before the build.
# A file exported by an older Windows is protected with ciphers that OpenSSL 3
# keeps in its legacy provider.
pkcs12_opens() {
  local legacy
  for legacy in "" -legacy; do
    # shellcheck disable=SC2086 # the option, or nothing
    printf '%s\n' "$sign_password" |
      openssl pkcs12 $legacy -in "$sign_pkcs12" -noout -passin stdin 2>/dev/null && return 0
  done
  return 1
}
if [[ -n $sign_pkcs12 ]]; then
  [[ -f $sign_pkcs12 && -r $sign_pkcs12 ]] || fail "QUELLIX_SIGN_PKCS12: no readable file $sign_pkcs12"
  [[ -n $sign_password_given ]] ||
    fail "QUELLIX_SIGN_PASSWORD is not set (set it empty for a file without a password)"
  command -v osslsigncode >/dev/null || fail "osslsigncode is not installed (tools/setup.sh installs it)"
  pkcs12_opens || fail "$sign_pkcs12 does not open with the password in QUELLIX_SIGN_PASSWORD"
  echo "release: quellix.exe will be signed with the certificate in $sign_pkcs12" \
    "${sign_timestamp_url:+and timestamped by $sign_timestamp_url}"
elif [[ -n $sign_password_given || -n $sign_timestamp_url ]]; then
  fail "QUELLIX_SIGN_PASSWORD or QUELLIX_SIGN_TIMESTAMP_URL is set, but QUELLIX_SIGN_PKCS12 names no certificate"
else
  echo "release: no certificate in QUELLIX_SIGN_PKCS12: quellix.exe will not be signed"
fi

# The last commit's time stands for "now" wherever a time is written.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH
export TZ=UTC LC_ALL=C

rm -rf build/release
cmake --preset release >/dev/null
cmake --build --preset release

stage=build/release/$name
mkdir -p "$stage" dist
if [[ -n $sign_pkcs12 ]]; then
  product=$(sed -n 's/^#define QUELLIX_PRODUCT_NAME "\([^"]*\)"$/\1/p' res/version.h)
  web_site=$(sed -n 's/^#define QUELLIX_WEB_SITE "\([^"]*\)"$/\1/p' res/version.h)
  sign=(sign -pkcs12 "$sign_pkcs12" -readpass /dev/stdin -h sha256 -n "$product" -i "$web_site")
  [[ -z $sign_timestamp_url ]] || sign+=(-ts "$sign_timestamp_url")
  printf '%s' "$sign_password" |
    osslsigncode "${sign[@]}" -in build/release/quellix.exe -out "$stage/quellix.exe" ||
    fail "osslsigncode could not sign quellix.exe"
else
  cp build/release/quellix.exe "$stage/quellix.exe"
fi
sed "s/@VERSION@/$version/g; s/\$/\r/" docs/README-windows.txt >"$stage/README.txt"
sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"

python3 tools/make_zip.py "dist/$name.zip" "$SOURCE_DATE_EPOCH" \
  quellix.exe="$stage/quellix.exe" README.txt="$stage/README.txt" LICENSE.txt="$stage/LICENSE.txt"
(cd dist && sha256sum "$name.zip" >SHA256SUMS)
echo "release $version from commit $(git rev-parse --short HEAD):"
echo "  $(cut -d' ' -f1 dist/SHA256SUMS)  dist/$name.zip"
echo "  $(sha256sum "$stage/quellix.exe" | cut -d' ' -f1)  quellix.exe in it${sign_pkcs12:+, signed}"
[[ -z $sign_pkcs12 ]] || echo "  $(sha256sum build/release/quellix.exe | cut -d' ' -f1)  quellix.exe unsigned"
