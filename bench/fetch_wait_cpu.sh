#!/usr/bin/env bash
# Processor time of Larkspur32.exe under Wine while the stand-in client fetches
# for 60 seconds, against the same program idle for 60 seconds, in one run.
# The wait for a fetch polls the client every 100 ms; this shows what that
# costs. Both figures are shares of one core, for the program's own process
# and for the wineserver that carries its messages.
#
#   bench/fetch_wait_cpu.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=${1:-60}

cmake --preset windows >/dev/null
cmake --build --preset windows --target Larkspur32 corvid make_sample_data >/dev/null
bin="$root/build/windows/bin"

home="$root/build/bench/fetch-wine"
rm -rf "$home"
eval "$(cmake/wine-run --home "$home" --env)"
trap 'cmake/wine-run --home "$home" --stop' EXIT

work=$(mktemp -d)
trap 'cmake/wine-run --home "$home" --stop; rm -rf "$work"' EXIT
cat >"$work/data.txt" <<'DESC'
account Account1 Work 0 ""
folder Account1 Inbox.box Inbox ""
folder Account1 Outbox.box Outbox ""
DESC
wine "$bin/make_sample_data.exe" "Z:$work/data" "Z:$work/data.txt" >/dev/null
data="Z:${work//\//\\}\\data"
printf 'fetch_ms=%d\r\n' $(( (seconds + 30) * 1000 )) >"$work/data/corvid-scenario.txt"

key='HKCU\Software\Vantor\Larkspur32'
wine reg add "$key" /v MailBoxPath /d "$data" /f >/dev/null 2>&1
wine reg add "$key" /v CorvidPath /d "Z:${bin//\//\\}\\fixtures\\corvid.exe" /f >/dev/null 2>&1
wine reg add "$key\\DefAccount\\account0" /ve /d Work /f >/dev/null 2>&1
# A schedule entry, so that the start-up fetch has a next run to go by.
wine reg add "$key\\Schedule\\Sunday\\data0" /v Hour /t REG_DWORD /d 3 /f >/dev/null 2>&1
wine reg add "$key\\Schedule\\Sunday\\data0" /v Minute /t REG_DWORD /d 0 /f >/dev/null 2>&1

# Clock ticks of user and system time of a process and of the wineserver.
ticks_of() { awk '{print $14 + $15}' "/proc/$1/stat"; }
server_pid() { pgrep -f "wineserver" -n; }
hz=$(getconf CLK_TCK)

measure() {  # measure <label>: waits for Larkspur32.exe, then samples $seconds
  local pid=""
  for _ in $(seq 1 100); do
    pid=$(pgrep -f 'Larkspur32.exe' -n || true)
    [ -n "$pid" ] && break
    sleep 0.2
  done
  [ -n "$pid" ] || { echo "Larkspur32.exe did not start" >&2; exit 1; }
  sleep 10  # start-up, and the fetch under way
  local server
  server=$(server_pid)
  local p0 s0 p1 s1
  p0=$(ticks_of "$pid"); s0=$(ticks_of "$server")
  sleep "$seconds"
  p1=$(ticks_of "$pid"); s1=$(ticks_of "$server")
  awk -v label="$1" -v p=$((p1 - p0)) -v s=$((s1 - s0)) -v hz="$hz" -v t="$seconds" \
    'BEGIN { printf "%-20s program %5.2f%% of a core, wineserver %5.2f%%\n", label, 100*p/hz/t, 100*s/hz/t }'
  echo "$pid"
}

run_phase() {  # run_phase <label> <AutoCheck>
  wine reg add "$key" /v AutoCheck /t REG_DWORD /d "$2" /f >/dev/null 2>&1
  wine "$bin/Larkspur32.exe" >/dev/null 2>&1 &
  local result
  result=$(measure "$1")
  echo "$result" | head -n 1
  wine taskkill /IM Larkspur32.exe >/dev/null 2>&1 || true
  wine taskkill /IM corvid.exe >/dev/null 2>&1 || true
  wait || true
}

run_phase "idle" 0
run_phase "waiting for a fetch" 1
