#!/usr/bin/env bash
# Soak: DELAY scanning for MINUTES (default 10) against a simulator that garbles, drops and
# refuses now and then and splits what it sends, with its usual carriers. The program runs
# as users run it (under Xvfb), started with a scan click. Passes when the program lives to
# the end, the scan keeps stepping (a frequency frame in every 30 s), and its resident memory
# grows by less than 1 MB after the first minute. Not part of CI.
#   bench/soak_scan.sh [MINUTES]      (FENNIX_BUILD_DIR names another build folder)
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${FENNIX_BUILD_DIR:-$ROOT/build}"
MINUTES="${1:-10}"
WORK="$(mktemp -d)"
SIM="" APP=""
cleanup() {
  local status=$?
  if [ -n "$APP" ]; then kill "$APP" 2>/dev/null || true; wait "$APP" 2>/dev/null || true; fi
  if [ -n "$SIM" ]; then kill "$SIM" 2>/dev/null || true; wait "$SIM" 2>/dev/null || true; fi
  echo "(work folder: $WORK)"
  exit "$status"
}
trap cleanup EXIT
cd "$WORK"
# A lock of its own, so that a Fennix the user runs meanwhile neither blocks nor is blocked.
export XDG_RUNTIME_DIR="$WORK/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"

cat >fennix.ini <<'INI'
[OPTION]
ScanMode=1
StopTime=3000
ScanTime=30
IntTime=200
INI
"$BUILD/tools/make_iclist" --sample ICLIST.DAT >/dev/null

"$BUILD/sim/fennix-sim" --garbage 0.01 --drop 0.01 --ng 0.01 --split --seed 7 \
  --link "$WORK/tty" --log "$WORK/sim.log" </dev/null >sim.out 2>&1 &
SIM=$!
for _ in $(seq 100); do [ -s sim.out ] && break; sleep 0.05; done

FENNIX_COM1="$WORK/tty" FENNIX_INI="$WORK/fennix.ini" "$BUILD/fennix" >app.out 2>&1 &
APP=$!
WID="$(xdotool search --sync --onlyvisible --name '^IC-R7100$' | head -n 1)"
sleep 3  # start-up ends with a second of waiting for replies
eval "$(xdotool getwindowgeometry --shell "$WID")"
MENU=$((HEIGHT - 434))
# The scan-up key: client (520 + 59, 106 + 14), 37 x 49.
xdotool mousemove --sync $((X + 597)) $((Y + MENU + 144)) click 1

rss() { awk '/^VmRSS/ {print $2}' "/proc/$APP/status"; }
tuned() { grep -c ' RX FE FE 34 E0 00 ' sim.log || true; }
start=$(date +%s)
rss_minute="" failed=0 last_tuned=0 last_change=$start
echo "time_s rss_kB frequency_frames"
while :; do
  sleep 10
  now=$(date +%s)
  if ! kill -0 "$APP" 2>/dev/null; then
    echo "FAIL: the program ended"; failed=1; break
  fi
  r=$(rss) n=$(tuned)
  echo "$((now - start)) $r $n"
  if [ "$n" -gt "$last_tuned" ]; then last_tuned=$n last_change=$now; fi
  if [ $((now - last_change)) -ge 30 ]; then
    echo "FAIL: no frequency stepped for $((now - last_change)) s"; failed=1; break
  fi
  if [ -z "$rss_minute" ] && [ $((now - start)) -ge 60 ]; then rss_minute=$r; fi
  [ $((now - start)) -ge $((MINUTES * 60)) ] && break
done
if [ "$failed" = 0 ]; then
  growth=$(( $(rss) - rss_minute ))
  echo "RSS after the first minute: $rss_minute kB; at the end: $(rss) kB; growth: $growth kB"
  echo "frequency frames: $(tuned); frames from the program: $(grep -c ' RX ' sim.log)" \
    "; NG answers: $(grep -c ' TX FE FE E0 34 FA FD' sim.log || true); garbage: $(grep -c ' GA ' sim.log || true)"
  if [ "$growth" -ge 1024 ]; then echo "FAIL: memory grew by $growth kB"; failed=1; fi
fi
[ "$failed" = 0 ] && echo "PASS"
exit "$failed"
