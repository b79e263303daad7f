#!/usr/bin/env bash
# tallix-cli transfer against fio on the same folder and size, one after the
# other: fio writes with direct I/O and a final fsync, and reads with direct
# I/O, as tallix-cli does. Each pair is run RUNS times (default 3); the
# medians are compared and the script fails when either rate is more than
# 10 % from fio's.
#   bench/transfer/run.sh TALLIX_CLI FOLDER [MIB]     (MIB defaults to 1024)
set -euo pipefail
cli="$1"; folder="$2"; mib="${3:-1024}"; runs="${RUNS:-3}"
command -v fio >/dev/null || apt-get install -y fio >/dev/null || { echo "fio is missing (apt-get install fio)" >&2; exit 1; }

median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
# bytes per second of a tallix-cli table line ("Bytes per second:" then writing, reading).
tallix_rates() { "$cli" transfer "$folder" --size "$mib" | awk -F':' '/^ Bytes per second/ {gsub(",", ""); print $2}'; }
fio_rate() {  # fio_rate write|read: bytes per second
  fio --name=tallix-bench --directory="$folder" --rw="$1" --direct=1 --bs=1M --size="${mib}M" --ioengine=psync \
    --end_fsync=$([ "$1" == write ] && echo 1 || echo 0) --output-format=json |
    python3 -c "import json, sys; job = json.load(sys.stdin)['jobs'][0]; print(job['$1']['bw_bytes'])"
}

tallix_write=(); tallix_read=(); fio_write=(); fio_read=()
for run in $(seq 1 "$runs"); do
  read -r w r <<<"$(tallix_rates)"
  tallix_write+=("$w"); tallix_read+=("$r")
  fio_write+=("$(fio_rate write)"); fio_read+=("$(fio_rate read)")
  rm -f "$folder"/tallix-bench.*
  echo "run $run: tallix write $w read $r, fio write ${fio_write[-1]} read ${fio_read[-1]} (bytes/s)"
done

status=0
compare() {  # compare NAME TALLIX_MEDIAN FIO_MEDIAN
  local ratio
  ratio="$(awk -v t="$2" -v f="$3" 'BEGIN {printf "%.3f", t / f}')"
  printf '%-5s tallix-cli %6.0f MiB/s   fio %6.0f MiB/s   ratio %s\n' "$1" "$(($2 >> 20))" "$(($3 >> 20))" "$ratio"
  awk -v r="$ratio" 'BEGIN {exit !(r >= 0.9 && r <= 1.1)}' || { echo "  more than 10 % apart"; status=1; }
}
echo "median of $runs runs, ${mib} MiB in $folder:"
compare write "$(printf '%s\n' "${tallix_write[@]}" | median)" "$(printf '%s\n' "${fio_write[@]}" | median)"
compare read "$(printf '%s\n' "${tallix_read[@]}" | median)" "$(printf '%s\n' "${fio_read[@]}" | median)"
exit "$status"
