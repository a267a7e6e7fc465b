#!/usr/bin/env bash
# EscapeText escaping and unescaping 64 MiB of mixed text, against memcpy.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build/native --target native_text_escape >/dev/null
build/native/native_text_escape --benchmark_min_time=1 2>/dev/null
