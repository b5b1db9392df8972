#!/usr/bin/env bash
# Benchmark of a whole `tervalo-pack pack` of the large corpus beside the least work that makes the
# same file: Info-ZIP `zip -r -8` of the folder, then `cat` of stub, module, settings and archive.
# Prints wall time and peak memory of each and our figure over theirs.
# usage: bench/pack_bench.sh PATH-TO-tervalo-pack [WORK-FOLDER]
set -eu
pack="$(realpath "${1:?usage: pack_bench.sh PATH-TO-tervalo-pack [WORK-FOLDER]}")"
work="${2:-${TMPDIR:-/tmp}/tervalo-bench}"
here="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$work"
python3 "$here/make_corpus.py" "$work"
src="$work/large"
presentation=$(find "$src" -maxdepth 1 -type f -name '*.ppt*' | head -n 1)

# A 4 MiB stub and a 48 MiB module, sealed as the program ships them.
prog="$work/program"
mkdir -p "$prog"
if [ ! -f "$prog/bf10.sj" ]; then
  python3 -c "import random,sys; sys.stdout.buffer.write(random.Random(7).randbytes(4 << 20))" > "$work/stub.bin"
  python3 -c "import random,sys; sys.stdout.buffer.write(random.Random(8).randbytes(48 << 20))" > "$work/module.bin"
  "$pack" seal "$work/stub.bin" "$prog/qm.sj"
  "$pack" seal "$work/module.bin" "$prog/bf10.sj"
  cp "$prog/bf10.sj" "$prog/bf3.sj"
fi
printf '+-byes' > "$work/separator"
head -c 400 /dev/zero > "$work/settings"

measure() {  # prints "wall kilobytes" of the command under /usr/bin/time -v
  local log="$work/time.log"
  /usr/bin/time -v -o "$log" "$@" >/dev/null 2>&1
  awk -F': ' '
    /Elapsed \(wall clock\)/ { n = split($2, p, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + p[i] }
    /Maximum resident set size/ { kb = $2 }
    END { printf "%.2f %d\n", s, kb }' "$log"
}

reference() {  # zip, then join: the same parts the packer joins
  rm -f "$work/ref.zip"
  (cd "$src" && zip -q -r -8 "$work/ref.zip" .)
  cat "$work/stub.bin" "$work/separator" "$work/module.bin" "$work/separator" "$work/settings" \
    "$work/separator" "$work/ref.zip" > "$work/ref.exe"
}
export -f reference
export src work

rounds="${TERVALO_BENCH_ROUNDS:-3}"
best1="" best2=""
cat $(find "$src" -type f) >/dev/null
for _ in $(seq "$rounds"); do
  rm -f "$work/out.exe"
  r1=$(TMPDIR="$work" measure "$pack" pack --program-dir "$prog" "$presentation" "$work/out.exe")
  r2=$(measure bash -c reference)
  best1=$(awk -v a="$best1" -v b="$r1" 'BEGIN { split(a, x, " "); split(b, y, " "); print (a == "" || y[1] < x[1] ? b : a) }')
  best2=$(awk -v a="$best2" -v b="$r2" 'BEGIN { split(a, x, " "); split(b, y, " "); print (a == "" || y[1] < x[1] ? b : a) }')
done
read -r t1 m1 <<< "$best1"
read -r t2 m2 <<< "$best2"
printf '%-22s %8s %10s %14s\n' tool "wall s" "peak KiB" "output bytes"
printf '%-22s %8s %10s %14s\n' "tervalo-pack pack" "$t1" "$m1" "$(stat -c %s "$work/out.exe")"
printf '%-22s %8s %10s %14s\n' "zip -r -8 + cat" "$t2" "$m2" "$(stat -c %s "$work/ref.exe")"
awk -v t1="$t1" -v t2="$t2" -v m1="$m1" 'BEGIN {
  printf "%-22s %8.3f\n", "time ratio", t1 / t2
  printf "%-22s %10d KiB beyond stub + module (52 MiB)\n", "peak memory", m1 - 52 * 1024 }'
