# Size of scenewheel.exe, the DLLs it imports, and the wall time of a due
# logon run against the least a logon change must do (bench/minimal_change):
# once over three entries whose files are all there, once over 32 entries of
# which only the one reached last is there.
set -eu
exe=build/win32/scenewheel.exe
base=build/win32/minimal_change_win32.exe
size=$(stat -c %s "$exe")
echo "scenewheel.exe: $size bytes ($((size / 1024)) KiB; target at most 32 KiB)"
echo "imports: $(i686-w64-mingw32-objdump -p "$exe" | awk '/DLL Name/ {print $3}' | tr '\n' ' ')"

# Real bitmaps, all of one size: a missing file would make a run look fast.
walls="$WINEPREFIX/drive_c/walls"
rm -rf "$walls" && mkdir -p "$walls"
python3 - "$walls" <<'PY'
import struct, sys
w, h = 320, 240
stride = (w * 3 + 3) & ~3
pixels = bytes((i * 7) % 251 for i in range(stride * h))
bmp = b'BM' + struct.pack('<IHHI', 54 + len(pixels), 0, 0, 54) + \
      struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(pixels), 0, 0, 0, 0) + pixels
for name in ['0', '1', '2', 'one', 'last']:
    open(f'{sys.argv[1]}/{name}.bmp', 'wb').write(bmp)
PY

key='HKCU\Software\OrvanDale\Scenewheel'
# Mode Every Boot is due at every run; $1 entries, the files named by $2... in order.
prepare() {
  wine reg delete "$key" /f >/dev/null 2>&1 || true
  wine reg add "$key" /v ChangeMode /t REG_SZ /d B /f >/dev/null 2>&1
  wine reg add "$key" /v BmpCount /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wine reg add "$key" /v LastChange /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wine reg add "$key" /v SelectedBmp /t REG_DWORD /d 0 /f >/dev/null 2>&1
  shift
  i=0
  for f in "$@"; do
    wine reg add "$key" /v "$(printf 'Bitmap%02d' $i)" /t REG_SZ /d "C:\\walls\\$f.bmp" /f >/dev/null 2>&1
    i=$((i + 1))
  done
}

measure() {
python3 - "$exe" "$base" "${LOGON_RUNS:-31}" "$1" "$2" <<'PY'
import statistics, subprocess, sys, time
exe, base, runs, label, reset = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4], sys.argv[5]
key = r'HKCU\Software\OrvanDale\Scenewheel'
def once(cmd):
    t = time.perf_counter()
    subprocess.run(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
    return time.perf_counter() - t
def program():
    # Each run starts from the same stored index, so it walks the same entries.
    if reset:
        subprocess.run(['wine', 'reg', 'add', key, '/v', 'SelectedBmp', '/t', 'REG_DWORD', '/d', reset, '/f'],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
    return once(['wine', exe, 'A'])
for _ in range(3):  # warm-up
    program(); once(['wine', base])
a, b = [], []
for r in range(runs):
    # Alternate, and swap which goes first, so that neither always follows
    # the other's clean-up and load on the machine hits both alike.
    if r % 2:
        b.append(once(['wine', base]))
        a.append(program())
    else:
        a.append(program())
        b.append(once(['wine', base]))
ma, mb = statistics.median(a), statistics.median(b)
print(f"logon run (scenewheel.exe A, due, {label}): median {ma*1000:.1f} ms over {runs} runs")
print(f"least logon change (minimal_change): median {mb*1000:.1f} ms over {runs} runs")
print(f"ratio: {ma/mb:.3f} (target at most 1.15)")
PY
}

prepare 3 0 1 2
measure "3 entries" ""
missing=()
for i in $(seq 0 30); do missing+=("gone$i"); done
# Stored index 31: the due run starts at entry 0 and passes over 31 missing files.
prepare 32 "${missing[@]}" last
measure "32 entries, 31 missing" 31
wine reg delete "$key" /f >/dev/null 2>&1 || true
rm -rf "$walls"
