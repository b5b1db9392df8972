#!/usr/bin/env bash
# Benchmark of `tervalo-pack zip` beside Info-ZIP `zip -r -8` on the same generated folders:
# wall time, archive size and peak memory of each, and our figure over theirs.
# usage: bench/archive_bench.sh PATH-TO-tervalo-pack [WORK-FOLDER]
set -eu
pack="$(realpath "${1:?usage: archive_bench.sh PATH-TO-tervalo-pack [WORK-FOLDER]}")"
work="${2:-${TMPDIR:-/tmp}/tervalo-bench}"
here="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$work"
python3 "$here/make_corpus.py" "$work"

# Runs a command under /usr/bin/time -v and prints "wall cpu kilobytes": wall seconds, user plus
# system seconds, and the peak resident set.
measure() {
  local log="$work/time.log"
  /usr/bin/time -v -o "$log" "$@" >/dev/null
  awk -F': ' '
    /Elapsed \(wall clock\)/ { n = split($2, p, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + p[i] }
    /User time/ { cpu += $2 }
    /System time/ { cpu += $2 }
    /Maximum resident set size/ { kb = $2 }
    END { printf "%.2f %.2f %d\n", s, cpu, kb }' "$log"
}

# The machine may be shared: each tool runs this many times, turn about, and its fastest run counts.
rounds="${TERVALO_BENCH_ROUNDS:-3}"

best() {  # keeps the run with the smaller wall time: best "old" "new"
  if [ -z "$1" ]; then echo "$2"; return; fi
  awk -v a="$1" -v b="$2" 'BEGIN { split(a, x, " "); split(b, y, " "); print (y[1] < x[1] ? b : a) }'
}

printf '%-7s %-13s %8s %8s %14s %10s\n' corpus tool "wall s" "cpu s" "archive bytes" "peak KiB"
for name in small large; do
  src="$work/$name"
  ours="$work/$name-tervalo.zip"
  theirs="$work/$name-infozip.zip"
  cat $(find "$src" -type f) >/dev/null  # both tools start from a warm page cache
  r1="" r2=""
  for _ in $(seq "$rounds"); do
    rm -f "$ours" "$theirs"
    r1=$(best "$r1" "$(measure "$pack" zip "$src" "$ours")")
    r2=$(best "$r2" "$(cd "$src" && measure zip -q -r -8 "$theirs" .)")
  done
  read -r t1 c1 m1 <<< "$r1"
  read -r t2 c2 m2 <<< "$r2"
  s1=$(stat -c %s "$ours")
  s2=$(stat -c %s "$theirs")
  printf '%-7s %-13s %8s %8s %14s %10s\n' "$name" tervalo-pack "$t1" "$c1" "$s1" "$m1"
  printf '%-7s %-13s %8s %8s %14s %10s\n' "$name" "zip -r -8" "$t2" "$c2" "$s2" "$m2"
  awk -v t1="$t1" -v t2="$t2" -v c1="$c1" -v c2="$c2" -v s1="$s1" -v s2="$s2" -v m1="$m1" -v m2="$m2" -v n="$name" '
    function ratio(a, b) { return b > 0 ? a / b : 0 }
    BEGIN { printf "%-7s %-13s %8.3f %8.3f %14.5f %10.3f\n", n, "ratio", ratio(t1, t2), ratio(c1, c2), s1 / s2, m1 / m2 }'
done
