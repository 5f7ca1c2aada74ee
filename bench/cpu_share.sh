# Sourced by the processor-share benchmarks: what processes take of the processor over a stretch
# of wall time, as their own user + system time in percent of one core.

# User + system clock ticks the process has used so far: fields 14 and 15 of its stat line,
# counted after the parenthesised command name (which may hold blanks).
cpu_ticks() {
  local stat
  stat="$(cat "/proc/$1/stat")"
  stat="${stat##*) }"
  set -- $stat
  echo $(( ${12} + ${13} ))
}

# cpu_shares SECONDS PID...: waits SECONDS, then prints each process's share of one core over
# that time (percent, two decimals), separated by blanks.
cpu_shares() {
  local seconds=$1 pid start_ns end_ns
  shift
  local -a before=() after=()
  for pid in "$@"; do before+=("$(cpu_ticks "$pid")"); done
  start_ns=$(date +%s%N)
  sleep "$seconds"
  for pid in "$@"; do after+=("$(cpu_ticks "$pid")"); done
  end_ns=$(date +%s%N)
  local i shares=()
  for i in "${!before[@]}"; do
    shares+=("$(awk -v t=$(( ${after[$i]} - ${before[$i]} )) -v hz="$(getconf CLK_TCK)" \
      -v ns=$((end_ns - start_ns)) 'BEGIN { printf "%.2f", 100 * t / hz / (ns / 1e9) }')")
  done
  echo "${shares[*]}"
}
