#!/usr/bin/env bash
# Makes the two test publishers' certificates (A and B) in OUT_DIR once, and
# prints the SHA-256 of A's public key (its DER SubjectPublicKeyInfo): the
# publisher the scripted build names, so that builds signed by A update it.
#   tools/signing/test-publishers.sh OUT_DIR
set -euo pipefail
out="$1"
mkdir -p "$out"
cd "$out"
for publisher in A B; do
  [ -f "$publisher.key" ] && [ -f "$publisher.crt" ] && continue
  openssl req -x509 -newkey rsa:2048 -nodes -sha256 -days 3650 \
    -keyout "$publisher.key" -out "$publisher.crt" \
    -subj "/O=Zuva Test Publishers/CN=Zuva Test Publisher $publisher" 2>/dev/null
done
openssl x509 -in A.crt -pubkey -noout | openssl pkey -pubin -outform DER | sha256sum | cut -d' ' -f1
