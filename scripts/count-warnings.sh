#!/usr/bin/env bash
# Counts the distinct warnings one extra compiler flag adds to the project's
# own sources, without building: every translation unit of a side build is
# only checked (-fsyntax-only) with the flag added.
#   scripts/count-warnings.sh [FLAG] [BUILD_DIR]    (default -Wshadow, build-warnings)
# Prints each warning once (file:line:column: text) and then the count.
set -euo pipefail

flag=${1:--Wshadow}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${2:-$root/build-warnings}
jobs=${JOBS:-$(nproc)}

# Only configured: no file of ours includes generated code, and the
# generated files themselves (moc, resources) are not checked.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKALVEX_BENCHMARKS=OFF \
  -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null

python3 - "$build/compile_commands.json" "$flag" "$jobs" "$root" <<'PY'
import json, re, shlex, subprocess, sys
from concurrent.futures import ThreadPoolExecutor
commands, flag, jobs, root = json.load(open(sys.argv[1])), sys.argv[2], int(sys.argv[3]), sys.argv[4]
def check(entry):
    if '_autogen' in entry['file'] or not entry['file'].startswith(root):
        return ''
    args = shlex.split(entry['command'])
    out = []
    skip = False
    for a in args:
        if skip:
            skip = False
            continue
        if a in ('-o', '-MF', '-MT', '-MQ'):
            skip = True
            continue
        if a in ('-MD', '-MMD'):
            continue
        out.append(a)
    out[1:1] = ['-fsyntax-only', flag]
    return subprocess.run(out, cwd=entry['directory'], capture_output=True, text=True).stderr
name = re.escape(flag[2:])
pattern = re.compile(r'^(/[^:]+:\d+:\d+): warning: (.*\[-W' + name + r'[^\]]*\])$')
found = set()
with ThreadPoolExecutor(jobs) as pool:
    for text in pool.map(check, commands):
        for line in text.splitlines():
            m = pattern.match(line)
            if m and m.group(1).startswith(root):
                found.add(m.group(1)[len(root) + 1:] + ': ' + m.group(2))
for w in sorted(found):
    print(w)
print(f'{len(found)} distinct {flag} warnings')
PY
