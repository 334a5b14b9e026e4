#!/usr/bin/env bash
# Where a running process's resident memory lies: kB resident per mapped
# file (a shared library, a font, the program) and for anonymous memory
# (the heap, thread stacks, large allocations), largest first, from
# /proc/PID/smaps; then the totals of /proc/PID/status.
#   bench/desktop/resident_by_mapping.sh PID [LINES]
set -euo pipefail
pid=$1
lines=${2:-30}
awk '/^[0-9a-f]+-[0-9a-f]+ / { name = $6; if (name == "") name = "[anonymous]" }
     /^Rss:/ { rss[name] += $2 }
     END { for (n in rss) if (rss[n] > 0) printf "%8d kB  %s\n", rss[n], n }' \
  "/proc/$pid/smaps" | sort -rn | head -n "$lines"
grep -E '^(VmRSS|RssAnon|RssFile|RssShmem)' "/proc/$pid/status"
