#!/usr/bin/env bash
# The dialog's start-up and one preview, as medians (scripts/bench runs this
# with the display, prefix and Wine server ready).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build/win32 --target scenewheel dialog_open_win32 preview_win32 >/dev/null
wine build/win32/dialog_open_win32.exe
wine build/win32/preview_win32.exe
