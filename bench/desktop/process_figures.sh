# Sourced by the benchmarks: figures of a running process read from /proc.
#
# thread_switches PID: one line per thread: id, name, voluntary context
# switches. Each time a thread waits and is woken counts one; being
# preempted by other load (involuntary switches) is not a wake-up.
thread_switches() {
  local task
  for task in /proc/$1/task/*; do
    printf '%s %s %s\n' "${task##*/}" "$(tr ' ' '_' < "$task/comm")" \
      "$(awk '/^voluntary_ctxt_switches/ {print $2}' "$task/status")"
  done
}

# wakeup_rates PID SECONDS: counts the wake-ups of every thread over SECONDS
# and prints one line per thread (id, name, wake-ups/s), then "total N".
wakeup_rates() {
  local pid=$1 seconds=$2 before after
  before=$(thread_switches "$pid" | sort)
  sleep "$seconds"
  after=$(thread_switches "$pid" | sort)
  join <(echo "$before") <(echo "$after") | awk -v s="$seconds" '
    { d = $5 - $3; total += d; printf "%-8s %-18s %.1f\n", $1, $2, d / s }
    END { printf "total %.1f\n", total / s }'
}

# memory_kb PID: resident and proportional (Pss) memory in kB, and the
# number of threads: "RSS PSS THREADS".
memory_kb() {
  local pid=$1 rss pss threads
  rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
  pss=$(awk '/^Pss:/ {print $2}' "/proc/$pid/smaps_rollup" 2>/dev/null)
  threads=$(ls "/proc/$pid/task" | wc -l)
  echo "${rss:-?} ${pss:-?} $threads"
}

# median NUMBERS...: the middle one (the upper of the two middle ones).
median() {
  local sorted
  sorted=($(printf '%s\n' "$@" | sort -n))
  echo "${sorted[$(( ${#sorted[@]} / 2 ))]}"
}

# now_ms: the wall clock in milliseconds.
now_ms() { date +%s%3N; }
