# Size of scenewheel.exe, the DLLs it imports, and the wall time of a due
# logon run against the least a logon change must do (bench/minimal_change).
set -eu
exe=build/win32/scenewheel.exe
base=build/win32/minimal_change_win32.exe
size=$(stat -c %s "$exe")
echo "scenewheel.exe: $size bytes ($((size / 1024)) KiB; target at most 64 KiB)"
echo "imports: $(i686-w64-mingw32-objdump -p "$exe" | awk '/DLL Name/ {print $3}' | tr '\n' ' ')"

# Mode Every Boot is due at every run; three entries to rotate through.
key='HKCU\Software\OrvanDale\Scenewheel'
wine reg add "$key" /v ChangeMode /t REG_SZ /d B /f >/dev/null 2>&1
wine reg add "$key" /v BmpCount /t REG_DWORD /d 3 /f >/dev/null 2>&1
wine reg add "$key" /v SelectedBmp /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine reg add "$key" /v LastChange /t REG_DWORD /d 0 /f >/dev/null 2>&1
for i in 0 1 2; do
  wine reg add "$key" /v Bitmap0$i /t REG_SZ /d "C:\\walls\\$i.bmp" /f >/dev/null 2>&1
done

runs=${LOGON_RUNS:-31}
python3 - "$exe" "$base" "$runs" <<'PY'
import statistics, subprocess, sys, time
exe, base, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
def once(cmd):
    t = time.perf_counter()
    subprocess.run(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
    return time.perf_counter() - t
for _ in range(3):  # warm-up
    once(['wine', exe, 'A']); once(['wine', base])
a, b = [], []
for r in range(runs):
    # Alternate, and swap which goes first, so that neither always follows
    # the other's clean-up and load on the machine hits both alike.
    if r % 2:
        b.append(once(['wine', base]))
        a.append(once(['wine', exe, 'A']))
    else:
        a.append(once(['wine', exe, 'A']))
        b.append(once(['wine', base]))
ma, mb = statistics.median(a), statistics.median(b)
print(f"logon run (scenewheel.exe A, due): median {ma*1000:.1f} ms over {runs} runs")
print(f"least logon change (minimal_change): median {mb*1000:.1f} ms over {runs} runs")
print(f"ratio: {ma/mb:.3f} (target at most 1.15)")
PY
wine reg delete "$key" /f >/dev/null 2>&1 || true
