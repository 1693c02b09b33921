#!/usr/bin/env bash
# Times archivia against Info-ZIP's zip and unzip on one generated corpus of about 200 MB:
# thousands of small text files, a few large compressible files, a few random ones. Reports
# wall time, throughput, peak memory and archive sizes, the best of BENCH_RUNS runs (default 3)
# since the machine is shared. Builds nothing: pass the built program (default
# build/programma/archivia), preferably from a release build without sanitizers, and optionally
# an earlier build of it, timed on the same corpus, to measure what a change costs, and a folder
# of real files (e.g. /usr/share/doc) for restores over an existing copy of it and same-day reruns.
# BENCH_DIR (default /tmp) is where the corpus, the archives and the restored copies go: the file
# system under it decides much of a restore's time.
set -euo pipefail
cd "$(dirname "$0")/.."

archivia=$(realpath "${1:-build/programma/archivia}")
earlier=${2:+$(realpath "$2")}
real_files=${3:+$(realpath "$3")}  # a folder of real files (e.g. /usr/share/doc), timed as a second corpus
runs=${BENCH_RUNS:-3}
[ -x "$archivia" ] || { echo "archivia non trovato: $archivia" >&2; exit 1; }
[ -z "$earlier" ] || [ -x "$earlier" ] || { echo "archivia precedente non trovato: $earlier" >&2; exit 1; }
[ -z "$real_files" ] || [ -d "$real_files" ] || { echo "cartella non trovata: $real_files" >&2; exit 1; }
for tool in zip unzip python3 /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "manca $tool" >&2; exit 1; }
done

work=$(mktemp -d "${BENCH_DIR:-/tmp}/bench-archiver-XXXXXX")
trap 'rm -rf "$work"' EXIT
corpus="$work/corpus"

python3 - "$corpus" <<'PY'
import os, random, sys
root = sys.argv[1]
rng = random.Random(20240601)
words = ["copia", "archivio", "cartella", "documento", "fattura", "lettera", "rendiconto", "progetto",
         "riunione", "verbale", "nota", "elenco", "cliente", "fornitore", "importo", "scadenza",
         "Milano", "Roma", "Torino", "Napoli", "gennaio", "febbraio", "marzo", "aprile"]
def text(size):
    out, n = [], 0
    while n < size:
        line = " ".join(rng.choice(words) for _ in range(rng.randint(4, 12)))
        line += " %d,%02d\n" % (rng.randint(0, 99999), rng.randint(0, 99))
        out.append(line); n += len(line)
    return "".join(out)[:size].encode()
for d in range(40):                      # ~4000 small files, about 60 MB
    folder = os.path.join(root, "pratiche", "anno %02d" % d)
    os.makedirs(folder)
    for f in range(100):
        with open(os.path.join(folder, "doc_%03d.txt" % f), "wb") as out:
            out.write(text(rng.randint(2000, 28000)))
big = os.path.join(root, "registri")
os.makedirs(big)
for name, mb in (("mese.log", 20), ("trimestre.log", 30), ("anno.log", 45)):  # the last one streams
    with open(os.path.join(big, name), "wb") as out:
        block = text(1 << 20)
        for i in range(mb):
            out.write(block[i * 977 % 4096:] + block[:i * 977 % 4096])
PY
mkdir -p "$corpus/foto"
for i in 1 2 3; do head -c $((15 << 20)) /dev/urandom > "$corpus/foto/scatto_$i.jpg"; done
mkdir -p "$corpus/vuota"
# Files last changed well before any run, as a day's earlier backup finds them.
find "$corpus" -exec touch -h -d '2 hours ago' {} +

corpus_bytes=$(du -sb "$corpus" | cut -f1)
corpus_files=$(find "$corpus" -type f | wc -l)

# Runs a command under /usr/bin/time; prints "seconds cpu_seconds peak_kib". CPU time (user
# and system) is shown beside wall time because it suffers less from other loads on the machine.
measure() {
  /usr/bin/time -v -o "$work/time.txt" "$@" >/dev/null
  awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, p, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + p[i] }
              /User time|System time/ { cpu += $2 }
              /Maximum resident set size/ { rss = $2 }
              END { printf "%.2f %.2f %d\n", s, cpu, rss }' "$work/time.txt"
}

# Best of $runs: the measure with the lowest wall time. $1 is run before each try.
best_of() {
  local prepare=$1; shift
  local best=""
  for _ in $(seq "$runs"); do
    eval "$prepare"
    local result; result=$(measure "$@")
    if [ -z "$best" ] || awk -v a="${result%% *}" -v b="${best%% *}" 'BEGIN { exit !(a < b) }'; then best=$result; fi
  done
  echo "$best"
}

cd "$work"
zip_create=$(best_of 'rm -f infozip.zip' zip -r -q -y infozip.zip corpus)
our_create=$(best_of 'rm -f ours.zip' "$archivia" -min -a -r -p "$work/ours.zip" "$corpus/*.*")
zip_extract=$(best_of 'rm -rf out-infozip' unzip -o -q infozip.zip -d out-infozip)
our_extract=$(best_of 'rm -rf out-ours' "$archivia" -min -e -o "$work/ours.zip" "$work/out-ours")
if [ -n "$earlier" ]; then
  earlier_create=$(best_of 'rm -f earlier.zip' "$earlier" -min -a -r -p "$work/earlier.zip" "$corpus/*.*")
  earlier_extract=$(best_of 'rm -rf out-earlier' "$earlier" -min -e -o "$work/ours.zip" "$work/out-earlier")
fi

# What was restored must be what was archived, or the figures mean nothing.
diff -r "$corpus" "$work/out-ours$corpus" >/dev/null || { echo "ERRORE: il ripristino differisce dall'originale" >&2; exit 1; }
unzip -tq ours.zip >/dev/null || { echo "ERRORE: unzip -t rifiuta il nostro archivio" >&2; exit 1; }

report() {  # operation tool "seconds cpu_seconds peak_kib"
  read -r seconds cpu kib <<<"$3"
  awk -v op="$1" -v tool="$2" -v s="$seconds" -v cpu="$cpu" -v kib="$kib" -v bytes="$corpus_bytes" \
    'BEGIN { printf "%-11s %-9s %7.2f s %7.1f MB/s %7.2f s CPU %7.1f MB di picco\n", op, tool, s, bytes / 1e6 / s, cpu, kib / 1024 }'
}

echo "Corpus: $((corpus_bytes / 1000000)) MB in $corpus_files file; $(nproc) core; migliore di $runs prove; carico $(cut -d' ' -f1-3 /proc/loadavg)"
device=$(findmnt -no SOURCE --target "$work")
journal=$(ls /proc/fs/jbd2 2>/dev/null | grep -q "^$(basename "$device")-" && echo "con journal" || echo "senza journal")
echo "File system: $(findmnt -no FSTYPE --target "$work") su $device, $journal, $(findmnt -no OPTIONS --target "$work")"
report creazione zip "$zip_create"
report creazione archivia "$our_create"
[ -z "$earlier" ] || report creazione precedente "$earlier_create"
report estrazione unzip "$zip_extract"
report estrazione archivia "$our_extract"
[ -z "$earlier" ] || report estrazione precedente "$earlier_extract"
zip_size=$(stat -c %s infozip.zip)
our_size=$(stat -c %s ours.zip)
awk -v z="$zip_size" -v o="$our_size" -v zc="${zip_create%% *}" -v oc="${our_create%% *}" \
    -v ze="${zip_extract%% *}" -v oe="${our_extract%% *}" 'BEGIN {
  printf "Archivio: zip %.1f MB, archivia %.1f MB (%+.1f%%)\n", z / 1e6, o / 1e6, (o - z) * 100 / z
  printf "Velocità di archivia rispetto a Info-ZIP (tempo reale): creazione %.2fx, estrazione %.2fx\n", zc / oc, ze / oe
}'

# Restore over an existing copy, the usual case of a restore: each tool restores once, then is
# timed restoring again over what it restored, where every file is already right, and over the
# same copy with every file's time changed, where every file must be written again. With a
# folder of real files, the same on a copy of it too.
over_existing() {  # corpus_name folder archive_of_ours archive_of_infozip
  local name=$1 bytes; bytes=$(du -sb "$2" | cut -f1)
  local tools=("unzip" "archivia") commands=("unzip -o -q $4 -d $work/over-unzip" "$archivia -min -e -o $3 $work/over-ours")
  [ -z "$earlier" ] || { tools+=("precedente"); commands+=("$earlier -min -e -o $3 $work/over-earlier"); }
  echo "Ripristino sopra una copia esistente, corpus $name: $((bytes / 1000000)) MB in $(find "$2" -type f | wc -l) file; carico $(cut -d' ' -f1-3 /proc/loadavg)"
  for copy in uguale toccata; do
    local prepare=':'
    [ "$copy" = uguale ] || prepare="find $work/over-* -type f -exec touch {} +"
    for i in "${!tools[@]}"; do
      rm -rf "$work"/over-*
      ${commands[$i]} >/dev/null
      local result; result=$(best_of "$prepare" ${commands[$i]})
      read -r seconds cpu kib <<<"$result"
      awk -v copy="$copy" -v tool="${tools[$i]}" -v s="$seconds" -v cpu="$cpu" -v kib="$kib" -v bytes="$bytes" \
        'BEGIN { printf "su copia %-7s %-10s %7.2f s %7.1f MB/s %7.2f s CPU %7.1f MB di picco\n", copy, tool, s, bytes / 1e6 / s, cpu, kib / 1024 }'
    done
  done
  rm -rf "$work"/over-*
}
over_existing generato "$corpus" "$work/ours.zip" "$work/infozip.zip"
if [ -n "$real_files" ]; then
  cp -a "$real_files" "$work/reale"
  (cd "$work" && zip -r -q -y reale-infozip.zip reale)
  "$archivia" -min -a -r -p "$work/reale.zip" "$work/reale/*.*" >/dev/null
  over_existing "$real_files" "$work/reale" "$work/reale.zip" "$work/reale-infozip.zip"
fi

# A same-day rerun of an unchanged folder, the archive of a first run being updated again: timed
# against that first run. With a folder of real files, on the copy of it too.
rerun() {  # corpus_name folder program tool
  rm -f "$work/rerun.zip"
  local first; first=$(measure "$3" -min -a -r -p "$work/rerun.zip" "$2/*.*")
  local again; again=$(best_of ':' "$3" -min -a -r -p "$work/rerun.zip" "$2/*.*")
  read -r s1 c1 k1 <<<"$first"
  read -r s2 c2 k2 <<<"$again"
  awk -v name="$1" -v tool="$4" -v s1="$s1" -v c1="$c1" -v s2="$s2" -v c2="$c2" -v k2="$k2" 'BEGIN {
    printf "%-10s corpus %-16s prima copia %6.2f s (%6.2f s CPU), di nuovo %6.2f s (%6.2f s CPU, %6.1f MB di picco): %.1fx\n", tool, name, s1, c1, s2, c2, k2 / 1024, s1 / s2 }'
  rm -f "$work/rerun.zip"
}
echo "Seconda copia dello stesso giorno, cartella invariata; carico $(cut -d' ' -f1-3 /proc/loadavg)"
rerun generato "$corpus" "$archivia" archivia
[ -z "$earlier" ] || rerun generato "$corpus" "$earlier" precedente
if [ -n "$real_files" ]; then
  rerun "$real_files" "$work/reale" "$archivia" archivia
  [ -z "$earlier" ] || rerun "$real_files" "$work/reale" "$earlier" precedente
fi
