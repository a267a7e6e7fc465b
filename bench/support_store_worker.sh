#!/usr/bin/env bash
# The support library's store, walk and worker under Wine: load/save against
# plain file copies, a direct walk against a plain loop, and worker latency.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build/win32 --target store_copy_win32 record_walk_win32 worker_latency_win32 >/dev/null
wine build/win32/store_copy_win32.exe
wine build/win32/record_walk_win32.exe
wine build/win32/worker_latency_win32.exe

# Every event poll of an idle worker is a request to the Wine server, which
# burns CPU of its own: measure our prefix's server over two idle seconds.
# Our server is the one whose folder is named after the prefix's device and inode.
server_dir=$(printf 'server-%x-%x' "$(stat -c %d "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")
server=""
for p in $(pidof wineserver32 wineserver64 wineserver 2>/dev/null); do
  case "$(readlink "/proc/$p/cwd" 2>/dev/null)" in */"$server_dir") server=$p ;; esac
done
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
if [ -n "$server" ]; then
  before=$(ticks "$server")
  start=$(date +%s.%N)
  wine build/win32/worker_latency_win32.exe idle
  after=$(ticks "$server")
  end=$(date +%s.%N)
  awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" -v s="$start" -v e="$end" \
    'BEGIN { printf "idle worker   Wine server %.0f%% of one core while the program ran (%.1f s)\n", 100 * t / hz / (e - s), e - s }'
fi
