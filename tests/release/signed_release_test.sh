#!/usr/bin/env bash
# Signs a release of the current commit with a throwaway certificate, and
# checks that:
#   - a certificate file that is missing, a wrong password, or signing
#     settings without a certificate fail the release before it builds, and
#     leave no zip of an earlier run in dist/;
#   - the signed release's SHA256SUMS checks out, and osslsigncode verifies the
#     zip's quellix.exe against the throwaway CA, with an RFC 3161 timestamp
#     from a responder on the loopback interface, and not against another CA;
#   - that image with its signature removed is, byte for byte, the image of an
#     unsigned release built in another clone;
#   - the password is on no command line of openssl and osslsigncode, the two
#     programs that read the certificate, and in neither's environment.
# Only committed sources are built: changes not yet committed are not in it.
# Usage: signed_release_test.sh SOURCE_DIR WORK_DIR
set -euo pipefail
source_dir=$1
work=$2
commit=$(git -C "$source_dir" rev-parse HEAD)
echo "signing a release of commit $commit with a throwaway certificate"

rm -rf "$work"
mkdir -p "$work"
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# The throwaway keys: a CA, and the code-signing and time-stamping
# certificates it issues; another CA that issued neither.
pki=$work/pki
mkdir -p "$pki"
make_ca() {
  openssl req -x509 -newkey rsa:2048 -nodes -keyout "$pki/$1.key" -out "$pki/$1.pem" -days 2 \
    -subj "/CN=Quellix throwaway $1" -addext "basicConstraints=critical,CA:TRUE" \
    -addext "keyUsage=critical,keyCertSign,cRLSign" 2>/dev/null
}
issue() { # NAME EXTENDED_KEY_USAGE
  openssl req -newkey rsa:2048 -nodes -keyout "$pki/$1.key" -out "$pki/$1.csr" \
    -subj "/CN=Quellix throwaway $1" 2>/dev/null
  printf '%s\n' basicConstraints=CA:FALSE keyUsage=critical,digitalSignature \
    "extendedKeyUsage=$2" >"$pki/$1.ext"
  openssl x509 -req -in "$pki/$1.csr" -CA "$pki/ca.pem" -CAkey "$pki/ca.key" -CAcreateserial \
    -days 2 -extfile "$pki/$1.ext" -out "$pki/$1.pem" 2>/dev/null
}
make_ca ca
make_ca other-ca
issue signer codeSigning
issue tsa critical,timeStamping
password="throwaway password $RANDOM$RANDOM"
QUELLIX_SIGN_PASSWORD=$password openssl pkcs12 -export -inkey "$pki/signer.key" \
  -in "$pki/signer.pem" -certfile "$pki/ca.pem" -out "$pki/signer.p12" \
  -passout env:QUELLIX_SIGN_PASSWORD

# The time-stamping service, on the loopback interface.
cat >"$pki/tsa.cnf" <<EOF
[ tsa ]
default_tsa = throwaway
[ throwaway ]
serial = $pki/tsa.serial
crypto_device = builtin
signer_cert = $pki/tsa.pem
signer_key = $pki/tsa.key
certs = $pki/ca.pem
signer_digest = sha256
default_policy = 1.3.6.1.4.1.4146.2.3
digests = sha256, sha384, sha512
accuracy = secs:1
ess_cert_id_alg = sha256
EOF
echo 01 >"$pki/tsa.serial"
python3 "$source_dir/tests/release/timestamp_responder.py" "$pki/tsa.cnf" "$work/tsa.port" \
  2>"$work/tsa.log" &
tsa_pid=$!
trap 'kill "$tsa_pid" 2>/dev/null || true' EXIT
deadline=$((SECONDS + 20))
until [[ -s $work/tsa.port ]]; do
  kill -0 "$tsa_pid" 2>/dev/null && ((SECONDS < deadline)) ||
    { cat "$work/tsa.log"; echo "the time-stamping responder did not start"; exit 1; }
  sleep 0.1
done
timestamp_url=http://127.0.0.1:$(<"$work/tsa.port")

# openssl and osslsigncode, as release.sh finds them, write down their
# command lines and environments before they run.
shims=$work/shims
calls=$work/calls.txt
mkdir -p "$shims"
for program in openssl osslsigncode; do
  cat >"$shims/$program" <<EOF
#!/usr/bin/env bash
{ echo "$program \$*"; env; } >>"$calls"
exec $(command -v "$program") "\$@"
EOF
  chmod +x "$shims/$program"
done
# release.sh with only the signing settings given, none from the caller.
release() { # CLONE [VARIABLE=VALUE...]
  local clone=$1
  shift
  env -u QUELLIX_SIGN_PKCS12 -u QUELLIX_SIGN_PASSWORD -u QUELLIX_SIGN_TIMESTAMP_URL \
    -u http_proxy -u HTTP_PROXY PATH="$shims:$PATH" "$@" bash "$clone/tools/release.sh"
}

clone() {
  git clone -q --shared --no-checkout "$source_dir" "$1"
  git -C "$1" checkout -q --detach "$commit"
}
unsigned=$work/unsigned
signed=$work/elsewhere/signed
clone "$unsigned"
clone "$signed"
version=$(sed -n 's/^#define QUELLIX_VERSION_TEXT "\([^"]*\)"$/\1/p' "$signed/res/version.h")
name=quellix-$version-win32

# Each refusal comes before the build, and takes away an earlier zip.
mkdir -p "$signed/dist"
while IFS='|' read -r expected settings; do
  echo "an earlier release" >"$signed/dist/$name.zip"
  # shellcheck disable=SC2086 # the settings are words without spaces
  if refused=$(release "$signed" $settings 2>&1); then
    fail "release.sh signed or went on with $settings"
  fi
  [[ $refused == *"$expected"* ]] || fail "release.sh with $settings said: $refused"
  [[ ! -e $signed/dist/$name.zip ]] || fail "release.sh with $settings left an earlier zip"
done <<EOF
no readable file|QUELLIX_SIGN_PKCS12=$pki/missing.p12 QUELLIX_SIGN_PASSWORD=any
does not open with the password|QUELLIX_SIGN_PKCS12=$pki/signer.p12 QUELLIX_SIGN_PASSWORD=wrong
QUELLIX_SIGN_PASSWORD is not set|QUELLIX_SIGN_PKCS12=$pki/signer.p12
names no certificate|QUELLIX_SIGN_TIMESTAMP_URL=$timestamp_url
EOF
[[ ! -e $signed/build/release ]] || fail "a refused release was built"

release "$unsigned" >"$work/unsigned.log" 2>&1 || { cat "$work/unsigned.log"; exit 1; }
grep -q "quellix.exe will not be signed" "$work/unsigned.log" ||
  fail "an unsigned release does not say so"
# The certificate's path is the caller's, relative to where release.sh starts.
(cd "$work" && release "$signed" QUELLIX_SIGN_PKCS12=pki/signer.p12 \
  QUELLIX_SIGN_PASSWORD="$password" QUELLIX_SIGN_TIMESTAMP_URL="$timestamp_url") \
  >"$work/signed.log" 2>&1 || { cat "$work/signed.log" "$work/tsa.log"; exit 1; }

(cd "$signed/dist" && sha256sum -c SHA256SUMS) || fail "sha256sum -c SHA256SUMS of the signed release"
python3 -m zipfile -e "$signed/dist/$name.zip" "$work/signed-zip"
python3 -m zipfile -e "$unsigned/dist/$name.zip" "$work/unsigned-zip"
image=$work/signed-zip/quellix.exe

if osslsigncode verify -CAfile "$pki/ca.pem" -TSA-CAfile "$pki/ca.pem" -in "$image" \
  >"$work/verify.log" 2>&1; then
  for line in "Subject: /CN=Quellix throwaway signer" "Signature verification: ok" \
    "Timestamp Server Signature verification: ok"; do
    grep -qF "$line" "$work/verify.log" || fail "osslsigncode verify did not say: $line"
  done
else
  cat "$work/verify.log"
  fail "the signature does not verify against the throwaway CA"
fi
if osslsigncode verify -CAfile "$pki/other-ca.pem" -TSA-CAfile "$pki/other-ca.pem" \
  -in "$image" >/dev/null 2>&1; then
  fail "the signature verifies against a CA that did not issue its certificate"
fi

osslsigncode remove-signature -in "$image" -out "$work/signature-removed.exe" >/dev/null
cmp "$work/signature-removed.exe" "$work/unsigned-zip/quellix.exe" ||
  fail "the signed image without its signature is not the unsigned release's image"

grep -q "^osslsigncode sign " "$calls" || fail "osslsigncode was not called through its recorder"
if grep -qF "$password" "$calls"; then
  grep -nF "$password" "$calls" | cut -c1-120
  fail "the password reached a command line or an environment"
fi

((failures == 0)) || exit 1
echo "signed, timestamped and verified: quellix.exe $(sha256sum <"$image" | cut -d' ' -f1);" \
  "without its signature the unsigned $(sha256sum <"$work/unsigned-zip/quellix.exe" | cut -d' ' -f1)"
