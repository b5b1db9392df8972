#!/usr/bin/env bash
# `tervalo-pack zip` judged by outside tools: unzip -t, zipinfo -v, bsdtar, 7z and Python's zipfile;
# every extracted file equals its source; progress lines, exit statuses and failures.
set -eu
pack="$1"
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# The example folder, plus names and kinds of files that matter.
src="$work/src"
mkdir -p "$src/img" "$src/课件/乗" "$src/empty folder"
printf 'presentation %.0s' $(seq 1 4000) > "$src/a.ppt"
head -c 30000 /dev/urandom > "$src/img/x.png"
head -c 20000 /dev/urandom > "$src/img/y.zip"
: > "$src/empty.ppt"
seq 1 20000 > "$src/课件/乗/誠.pptx"
head -c 5000 /dev/urandom > "$src/课件/UPPER.ZIP"
head -c 5000 /dev/urandom > "$src/课件/archive.Tgz"
printf 'locked' > "$src/课件/readonly.ppt"
chmod a-w "$src/课件/readonly.ppt"

out="$work/out.zip"
"$pack" zip "$src" "$out" --report-progress > "$work/progress" || fail "zip exited $?"
# 12 entries in all: the reports are the integer part of c / 12 * 100.
expected_progress=$(python3 -c 'print("\n".join(str(int(c / 12 * 100)) for c in range(1, 13)))')
[ "$(cat "$work/progress")" = "$expected_progress" ] || { cat "$work/progress"; fail "progress reports"; }

unzip -tq "$out" > /dev/null || fail "unzip -t"
7z t "$out" > /dev/null || fail "7z t"
bsdtar -tf "$out" > /dev/null || fail "bsdtar -tf"

# Entry order (files before subfolders, depth first, sorted by the system's name bytes), methods,
# flags, versions, attributes, the extended-timestamp blocks, times and contents, through zipfile.
python3 - "$src" "$out" <<'PY' || fail "zipfile checks"
import os, struct, sys, time, zipfile
src, out = sys.argv[1], sys.argv[2]
z = zipfile.ZipFile(out)
assert z.testzip() is None, "testzip"
infos = z.infolist()
names = [i.filename.encode("cp437").decode("gbk") for i in infos]
expected = ["a.ppt", "empty.ppt", "empty folder/", "img/", "img/x.png", "img/y.zip",
            "课件/", "课件/UPPER.ZIP", "课件/archive.Tgz", "课件/readonly.ppt", "课件/乗/", "课件/乗/誠.pptx"]
assert names == expected, names
raw = open(out, "rb").read()
for info, name in zip(infos, names):
    folder = name.endswith("/")
    stored = folder or name.lower().endswith((".zip", ".tgz"))
    assert info.compress_type == (0 if stored else 8), (name, info.compress_type)
    assert info.flag_bits == (0 if stored else 2), (name, info.flag_bits)
    assert info.create_version == 0x17 and info.create_system == 0x0B, (name, info.create_version, info.create_system)
    assert info.extract_version == 20, (name, info.extract_version)
    assert info.comment == b"", name
    path = os.path.join(src, name)
    if folder:
        assert info.external_attr == 0x41C00010, (name, hex(info.external_attr))
        assert info.CRC == 0 and info.file_size == 0 and info.compress_size == 0, name
    else:
        readonly = not os.access(path, os.W_OK) or not (os.stat(path).st_mode & 0o200)
        assert info.external_attr == (0x81000021 if readonly else 0x81800020), (name, hex(info.external_attr))
        data = z.read(info)
        assert data == open(path, "rb").read(), name
        mtime = int(os.stat(path).st_mtime)
        assert info.date_time == time.localtime(mtime)[:5] + (time.localtime(mtime)[5] // 2 * 2,), (name, info.date_time)
        assert info.extra == b"UT\x05\x00\x07" + struct.pack("<I", mtime), (name, info.extra)
        # The local header's block holds modification, access and creation times.
        off = info.header_offset
        n, e = struct.unpack("<HH", raw[off + 26:off + 30])
        local_extra = raw[off + 30 + n:off + 30 + n + e]
        assert e == 17 and local_extra[:5] == b"UT\x0d\x00\x07", (name, local_extra)
        assert struct.unpack("<I", local_extra[5:9])[0] == mtime, name
    assert info.filename.encode("cp437") == name.encode("gbk"), name
    assert not info.flag_bits & 0x800, name
empty = z.getinfo("empty.ppt")
assert empty.compress_size == 2 and empty.CRC == 0, "empty file"
PY

# What zipinfo -v says of a deflated entry.
zipinfo -v "$out" a.ppt > "$work/zipinfo"
for want in "file system or operating system of origin:      NTFS" \
            "version of encoding software:                   2.3" \
            "minimum software version required to extract:   2.0" \
            "compression method:                             deflated" \
            "compression sub-type (deflation):               maximum" \
            "extended local header:                          no" \
            "non-MSDOS external file attributes:             818000 hex" \
            "MS-DOS file attributes (20 hex):                arc" \
            "A subfield with ID 0x5455 (universal time) and 5 data bytes" \
            "The local extra field has UTC/GMT modification/access/creation times"; do
  grep -qF "$want" "$work/zipinfo" || { cat "$work/zipinfo"; fail "zipinfo lacks: $want"; }
done

# Extraction by bsdtar, told that names are GBK, gives back every file and folder.
mkdir "$work/x"
(cd "$work/x" && bsdtar --options hdrcharset=CP936 -xf "$out") || fail "bsdtar extraction"
diff -r "$src" "$work/x" > /dev/null || fail "extracted tree differs from the source"

# A single file: one entry, no progress reports; an empty folder: the 22-byte end record alone.
"$pack" zip "$src/a.ppt" "$work/one.zip" --report-progress > "$work/one.progress"
[ ! -s "$work/one.progress" ] || fail "a single file reported progress"
[ "$(bsdtar -tf "$work/one.zip")" = "a.ppt" ] || fail "single-file entry"
mkdir "$work/nothing"
"$pack" zip "$work/nothing" "$work/nothing.zip" --report-progress > "$work/nothing.progress"
[ "$(stat -c %s "$work/nothing.zip")" = 22 ] || fail "empty folder archive is not 22 bytes"
[ ! -s "$work/nothing.progress" ] || fail "an empty folder reported progress"
python3 -c "import zipfile, sys; assert zipfile.ZipFile(sys.argv[1]).namelist() == []" "$work/nothing.zip" ||
  fail "empty archive"

# Exit statuses: 1 with one line on standard error for a failed build, 2 for usage errors.
expect_exit() {  # status, description, arguments...
  local want="$1" what="$2" rc=0
  shift 2
  "$pack" zip "$@" > /dev/null 2> "$work/err" || rc=$?
  [ "$rc" = "$want" ] || fail "$what exited $rc, not $want"
  if [ "$want" = 1 ]; then
    [ "$(wc -l < "$work/err")" = 1 ] || { cat "$work/err"; fail "$what: not one line of error"; }
  fi
}
expect_exit 1 "a missing source" "$work/missing" "$work/m.zip"
[ ! -e "$work/m.zip" ] || fail "a missing source left an archive"
expect_exit 1 "a target in a missing folder" "$src/a.ppt" "$work/none/t.zip"
expect_exit 1 "a target inside the source" "$src" "$src/inside.zip"
unzip -tq "$src/inside.zip" > /dev/null || fail "the archive inside the source is not closed"
rm -f "$src/inside.zip"
expect_exit 2 "one argument" "$src"
expect_exit 2 "three paths" "$src" "$work/a.zip" "$work/b.zip"
expect_exit 2 "an unknown option" "$src" "$work/a.zip" --fast
"$pack" --help | grep -q "zip SOURCE ARCHIVE" || fail "--help does not list zip"
echo "zip checks passed"
