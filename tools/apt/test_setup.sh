#!/usr/bin/env bash
# The set-up against a mirror caught mid-sync. A local Debian-style mirror
# on the loopback holds a main suite and a security suite whose i386 index
# does not match its Release file (as a mirror mid-sync answers). The real
# apt-get and dpkg work in a sandbox of their own (its sources, lists,
# status and root), so the machine's packages are never touched.
#   tools/apt/test_setup.sh
# As on Debian, the amd64 library the security suite updates is newer
# there, and an amd64 and an i386 program both need it: taken from both
# suites as they are, the two architectures' copies differ and cannot be
# installed together.
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
sandbox="$(mktemp -d "${TMPDIR:-/tmp}/zuva-apt-test.XXXXXX")"
server=""
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
  rm -rf "$sandbox"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

mirror="$sandbox/mirror"
# package version arch depends
make_deb() {
  local name="$1" version="$2" arch="$3" depends="$4" dir="$sandbox/debs/$1_$2_$3"
  mkdir -p "$dir/DEBIAN" "$dir/usr/share/doc/$name" "$mirror/pool"
  {
    echo "Package: $name"
    echo "Version: $version"
    echo "Architecture: $arch"
    echo "Maintainer: Zuva test <test@example.invalid>"
    [ "$name" = libzuva1 ] && echo "Multi-Arch: same"
    [ -n "$depends" ] && echo "Depends: $depends"
    echo "Description: stand-in for the set-up test"
  } >"$dir/DEBIAN/control"
  echo "$name $version $arch" >"$dir/usr/share/doc/$name/version-$arch"
  dpkg-deb --build --root-owner-group -Zgzip "$dir" "$mirror/pool/${name}_${version}_${arch}.deb" >/dev/null
}
# suite arch file...: the Packages index of one suite and architecture.
make_index() {
  local suite="$1" arch="$2" deb out="$mirror/dists/$1/main/binary-$2"
  shift 2
  mkdir -p "$out"
  for deb in "$@"; do
    dpkg-deb -f "$mirror/pool/$deb"
    echo "Filename: pool/$deb"
    echo "Size: $(stat -c %s "$mirror/pool/$deb")"
    echo "SHA256: $(sha256sum "$mirror/pool/$deb" | cut -d' ' -f1)"
    echo
  done >"$out/Packages"
  gzip -9nk "$out/Packages"
}
# suite codename [file-to-misstate]: the Release file; the named index is
# listed one byte longer than it is.
make_release() {
  local suite="$1" codename="$2" wrong="${3:-}" file size dir="$mirror/dists/$1"
  {
    echo "Origin: ZuvaTest"
    echo "Suite: $suite"
    echo "Codename: $codename"
    echo "Date: $(date -u -R)"
    echo "Architectures: amd64 i386"
    echo "Components: main"
    echo "SHA256:"
    (cd "$dir" && for file in main/binary-*/Packages*; do
      size=$(stat -c %s "$file")
      [ "$file" = "$wrong" ] && size=$((size + 1))
      echo " $(sha256sum "$file" | cut -d' ' -f1) $size $file"
    done)
  } >"$dir/Release"
}

for version in 1.0 1.1; do
  for arch in amd64 i386; do make_deb libzuva1 $version $arch ""; done
done
make_deb zuva-tool 1.0 amd64 "libzuva1"
make_deb zuva-tool32 1.0 i386 "libzuva1"
make_deb zuva-ready 1.0 amd64 ""
make_index stable amd64 libzuva1_1.0_amd64.deb zuva-tool_1.0_amd64.deb zuva-ready_1.0_amd64.deb
make_index stable i386 libzuva1_1.0_i386.deb zuva-tool32_1.0_i386.deb
make_index stable-security amd64 libzuva1_1.1_amd64.deb
make_index stable-security i386 libzuva1_1.1_i386.deb
make_release stable zuvatest
make_release stable-security zuvatest-security
# Made an hour ago, so that the mirror's later Release is news to apt.
find "$mirror" -type f -exec touch -d '-1 hour' {} +

# The mirror: a plain HTTP server that logs each request's path.
python3 - "$mirror" "$sandbox/port" "$sandbox/requests.log" <<'EOF' &
import functools, http.server, sys
mirror, port_file, log_file = sys.argv[1:4]
class Handler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, fmt, *args):
        with open(log_file, "a") as log:
            log.write(self.path + "\n")
server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Handler, directory=mirror))
with open(port_file + ".new", "w") as f:
    f.write(str(server.server_address[1]))
import os; os.rename(port_file + ".new", port_file)
server.serve_forever()
EOF
server=$!
for _ in $(seq 1 100); do [ -f "$sandbox/port" ] && break; sleep 0.05; done
[ -f "$sandbox/port" ] || { echo "FAIL: the mirror did not start"; exit 1; }
url="http://127.0.0.1:$(cat "$sandbox/port")"

# The sandbox: a machine of amd64 with only zuva-ready's dependencies
# (none) and no foreign architecture yet. Its sources are Debian's shape:
# one deb822 file, the two suites in two stanzas.
machine="$sandbox/machine"
mkdir -p "$machine/etc/apt/sources.list.d" "$machine/etc/apt/preferences.d" "$machine/etc/apt/apt.conf.d" \
  "$machine/var/lib/apt/lists/partial" "$machine/var/cache/apt/archives/partial" \
  "$machine/var/lib/dpkg/info" "$machine/var/lib/dpkg/updates" "$machine/var/lib/dpkg/triggers" \
  "$machine/var/log/apt" "$sandbox/bin"
: >"$machine/var/lib/dpkg/status"
: >"$machine/var/lib/dpkg/available"
cat >"$machine/etc/apt/sources.list.d/debian.sources" <<EOF
Types: deb
URIs: $url
Suites: stable
Components: main
Trusted: yes

Types: deb
URIs: $url
Suites: stable-security
Components: main
Trusted: yes
EOF
: >"$machine/etc/apt/sources.list"
cat >"$sandbox/apt.conf" <<EOF
Dir "$machine/";
Dir::State::status "$machine/var/lib/dpkg/status";
Dir::Bin::dpkg "$sandbox/bin/dpkg";
Dir::Log "$machine/var/log/apt";
APT::Architecture "amd64";
APT::Sandbox::User "root";
Acquire::Languages "none";
Acquire::Retries "0";
EOF
# dpkg and dpkg-query of the sandbox: its database, its root.
cat >"$sandbox/bin/dpkg" <<EOF
#!/bin/sh
exec /usr/bin/dpkg --root="$machine" --force-script-chrootless --force-not-root "\$@"
EOF
cat >"$sandbox/bin/dpkg-query" <<EOF
#!/bin/sh
exec /usr/bin/dpkg-query --admindir="$machine/var/lib/dpkg" "\$@"
EOF
chmod +x "$sandbox/bin/dpkg" "$sandbox/bin/dpkg-query"
export APT_CONFIG="$sandbox/apt.conf" PATH="$sandbox/bin:$PATH" ZUVA_APT_TRIES=2 ZUVA_APT_PAUSE=0

installed() {
  dpkg-query -W -f='${Status} ${Version}\n' "$1" 2>/dev/null | sed -n 's/^install ok installed //p'
}

# The machine as it was made: its amd64 lists fetched while the mirror was
# whole, one package installed.
apt-get update >/dev/null 2>&1 && apt-get install -y -qq zuva-ready >/dev/null 2>&1 ||
  fail "the sandbox's apt could not install a package"
: >"$sandbox/requests.log"
cp -a "$machine/etc/apt" "$sandbox/etc-before"

# 1. Every package present: the set-up changes nothing and asks no mirror.
out="$("$root/tools/setup.sh" zuva-ready 2>&1)" || fail "set-up with nothing to install failed: $out"
[ -z "$out" ] || fail "set-up with nothing to install said: $out"
[ ! -s "$sandbox/requests.log" ] || fail "set-up with nothing to install asked the mirror: $(head -3 "$sandbox/requests.log")"

# 2. The mirror mid-sync: the security suite's i386 index does not match
#    its Release file. apt keeps a suite's old lists when one of its
#    indexes fails, so this machine sees the security suite for amd64 only.
make_release stable-security zuvatest-security main/binary-i386/Packages.gz
#    The bad mirror: the programs install, with the library both need at
#    the version both architectures carry.
out="$("$root/tools/setup.sh" zuva-tool zuva-tool32 2>&1)"
status=$?
echo "$out"
[ $status -eq 0 ] || fail "set-up against a mirror mid-sync failed ($status)"
[ "$(installed zuva-tool)" = 1.0 ] || fail "zuva-tool is not installed"
[ "$(installed zuva-tool32:i386)" = 1.0 ] || fail "zuva-tool32 is not installed"
[ "$(installed libzuva1:amd64)" = 1.0 ] && [ "$(installed libzuva1:i386)" = 1.0 ] ||
  fail "libzuva1 not at 1.0 for both architectures: amd64 '$(installed libzuva1:amd64)', i386 '$(installed libzuva1:i386)'"
dpkg --print-foreign-architectures | grep -qx i386 || fail "i386 was not added"
[ "$(grep -c '^setup: .*stable-security.*failed to download' <<<"$out")" = 1 ] &&
  grep -q 'took stable-security for amd64 only' <<<"$out" ||
  fail "set-up did not say in one line what it did and why"
# The machine's own sources and preferences are left as they were.
diff -r "$sandbox/etc-before" "$machine/etc/apt" >/dev/null || fail "set-up changed the machine's apt files"

# 3. A package that no suite has: a clear failure, naming it.
out="$("$root/tools/setup.sh" zuva-nowhere 2>&1)"
status=$?
[ $status -ne 0 ] || fail "set-up reported success for a package it could not install"
grep -q 'setup: could not install zuva-nowhere' <<<"$out" && grep -q 'zuva-nowhere' <<<"$(sed 1,2d <<<"$out")" ||
  fail "set-up did not say which package failed and why: $out"

[ $failures -eq 0 ] && echo "set-up test: passed" || { echo "set-up test: $failures failure(s)"; exit 1; }
