#!/usr/bin/env bash
# Makes the signed launcher builds that the self-update tests publish: two
# publishers' certificates made on the spot, a running copy signed by the
# first, and new builds signed by the first, by the second, and by the first
# and then altered by one byte.
#   tools/signing/sign-test-builds.sh LAUNCHER_EXE OUT_DIR
set -euo pipefail
exe="$1"
out="$2"
mkdir -p "$out"
cd "$out"

for publisher in A B; do
  [ -f "$publisher.key" ] && [ -f "$publisher.crt" ] && continue
  openssl req -x509 -newkey rsa:2048 -nodes -sha256 -days 3650 \
    -keyout "$publisher.key" -out "$publisher.crt" -subj "/CN=Zuva Test Publisher $publisher" 2>/dev/null
done

sign() {  # sign PUBLISHER IN OUT
  rm -f "$3"
  osslsigncode sign -certs "$1.crt" -key "$1.key" -h sha256 -in "$2" -out "$3" >/dev/null
}

# A new build differs from the running one by a marker after its image,
# which the signature's hash covers as it covers the image.
cp "$exe" running.unsigned
{ cat "$exe"; printf 'ZUVA-NEW-BUILD'; } >new.unsigned
sign A running.unsigned running-A.exe
sign A new.unsigned new-A.exe
sign B new.unsigned new-B.exe
python3 - <<'PY'
data = bytearray(open("new-A.exe", "rb").read())
at = data.rindex(b"ZUVA-NEW-BUILD")
data[at] ^= 0x20  # "Z" becomes "z": the signed bytes are no longer the signed bytes
open("new-A-altered.exe", "wb").write(data)
PY
rm -f running.unsigned new.unsigned
