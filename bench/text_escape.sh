#!/usr/bin/env bash
# EscapeText escaping and unescaping 64 MiB of mixed text, against memcpy:
# natively (x86-64, -O2) and as the program ships it (i686, -Os) under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build/native --target native_text_escape >/dev/null
build/native/native_text_escape --benchmark_min_time=1 2>/dev/null
cmake --build build/win32 --target text_escape_win32 >/dev/null
wine build/win32/text_escape_win32.exe
