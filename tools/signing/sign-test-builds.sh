#!/usr/bin/env bash
# Makes the builds that the self-update tests publish, from the scripted
# launcher and the stand-in probes, with the test publishers of
# test-publishers.sh (A is the publisher the scripted build names):
#   new-A.exe           a newer build (file version 3.0.0.2) signed by A
#   new-B.exe           the same signed by B, another publisher
#   new-A-altered.exe   new-A.exe with one byte changed after signing
#   new-unsigned.exe    the newer build, unsigned
#   old-A.exe           an older build (3.0.0.0) signed by A
#   foreign-A.exe       the newer build signed by A, but naming another
#                       product in its version resource (ProductName
#                       "KorvelOtherTool"): another program of the publisher
#   crash-A.exe, quiet-A.exe, latecrash-A.exe   the probes (3.0.0.2), signed by A
#   tools/signing/sign-test-builds.sh OUT_DIR LAUNCHER_EXE CRASH QUIET LATECRASH
set -euo pipefail
out="$1" exe="$2" crash="$3" quiet="$4" latecrash="$5"
here="$(cd "$(dirname "$0")" && pwd)"
"$here/test-publishers.sh" "$out" >/dev/null
cd "$out"

sign() {  # sign PUBLISHER IN OUT
  rm -f "$3"
  osslsigncode sign -certs "$1.crt" -key "$1.key" -h sha256 -in "$2" -out "$3" >/dev/null
}

# A build of another version: the launcher's fixed file version set anew, and
# a marker after its image so that each build is told from the running one
# (the signature's hash covers it as it covers the image).
build_of_version() {  # build_of_version MS LS OUT
  python3 "$here/patch_version.py" version "$exe" "$1" "$2" "$3"
}

build_of_version $((3 << 16)) 2 new-unsigned.exe
build_of_version $((3 << 16)) 0 old.unsigned
python3 "$here/patch_version.py" product new-unsigned.exe foreign.unsigned
sign A new-unsigned.exe new-A.exe
sign B new-unsigned.exe new-B.exe
sign A old.unsigned old-A.exe
sign A foreign.unsigned foreign-A.exe
rm -f old.unsigned foreign.unsigned
python3 - <<'PY'
data = bytearray(open("new-A.exe", "rb").read())
at = data.rindex(b"ZUVA-NEW-BUILD")
data[at] ^= 0x20  # "Z" becomes "z": the signed bytes are no longer the signed bytes
open("new-A-altered.exe", "wb").write(data)
PY
sign A "$crash" crash-A.exe
sign A "$quiet" quiet-A.exe
sign A "$latecrash" latecrash-A.exe
