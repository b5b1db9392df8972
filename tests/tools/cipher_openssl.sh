#!/usr/bin/env bash
# seal/unseal against openssl's DES-ECB with the folded, mirrored key; and unseal's refusals.
set -eu
pack="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The fixed pass phrase folded onto eight bytes, each byte's bits then reversed.
key=$(python3 - <<'PY'
k = [0] * 8
for i, b in enumerate(b"plumerodank"):
    k[i % 8] ^= b
print("".join("%02x" % int("{:08b}".format(b)[::-1], 2) for b in k))
PY
)

check() {  # file: seal it and compare with openssl over the hand-built container
  local f="$1"
  "$pack" seal "$f" "$f.sj"
  python3 - "$f" "$f.plain" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
body = struct.pack("<i", len(data)) + data
body += b"\0" * (-len(body) % 8)
open(sys.argv[2], "wb").write(body)
PY
  openssl enc -des-ecb -nopad -K "$key" -provider legacy -provider default -in "$f.plain" -out "$f.ref"
  cmp "$f.sj" "$f.ref" || { echo "seal differs from openssl for $(stat -c %s "$f") bytes"; exit 1; }
  "$pack" unseal "$f.sj" "$f.back"
  cmp "$f" "$f.back" || { echo "unseal did not restore $(stat -c %s "$f") bytes"; exit 1; }
}

for n in $(seq 1 64) 1000 65537 1048579; do
  head -c "$n" /dev/urandom > "$work/in$n"
  check "$work/in$n"
done

refuse() {  # description, file: unseal must fail with exit 1, one line on stderr, and write nothing
  local what="$1" f="$2" rc=0
  "$pack" unseal "$f" "$work/out" 2> "$work/err" || rc=$?
  [ "$rc" = 1 ] || { echo "unseal of $what exited $rc"; exit 1; }
  [ ! -e "$work/out" ] || { echo "unseal of $what wrote a file"; exit 1; }
  [ "$(wc -l < "$work/err")" = 1 ] || { echo "unseal of $what: not one line of error"; cat "$work/err"; exit 1; }
}
: > "$work/empty"
refuse "an empty file" "$work/empty"
head -c 23 "$work/in20.sj" > "$work/short"; refuse "a truncated file" "$work/short"
head -c 12 /dev/urandom > "$work/twelve"; refuse "12 bytes" "$work/twelve"
refuse "a missing file" "$work/none"
# Containers whose deciphered length is out of range: 0, negative, too long, too much fill.
for spec in "0 8" "-5 8" "13 16" "4 16"; do
  set -- $spec
  python3 -c "import struct,sys; sys.stdout.buffer.write(struct.pack('<i', $1) + b'A' * ($2 - 4))" > "$work/p"
  openssl enc -des-ecb -nopad -K "$key" -provider legacy -provider default -in "$work/p" -out "$work/c"
  refuse "length field $1 in $2 bytes" "$work/c"
done

rc=0; "$pack" seal only-one 2>/dev/null || rc=$?
[ "$rc" = 2 ] || { echo "seal with one argument exited $rc, not 2"; exit 1; }
"$pack" --help | grep -q unseal || { echo "--help does not list unseal"; exit 1; }
echo "cipher checks passed"
