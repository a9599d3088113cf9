#!/usr/bin/env bash
# Installs what is missing, builds, and starts Fennix in its data folder (so that the station
# list "ICLIST.DAT" lives there and never in the source tree), against the receiver simulator
# on COM 1. `scripts/run.sh --real` leaves the simulator out and uses the settings' devices.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_packages
build
# The data folder: FENNIX_DATA when set, else the user's; Fennix is told it explicitly.
DATA="${FENNIX_DATA:-${XDG_DATA_HOME:-$HOME/.local/share}/fennix}"
mkdir -p "$DATA"
cd "$DATA"
export FENNIX_DATA="$PWD"

if [ "${1:-}" = "--real" ]; then
  shift
  exec "$BUILD/fennix" "$@"
fi

# A first run gets a small station list that names what the simulator transmits.
[ -e ICLIST.DAT ] || "$BUILD/tools/make_iclist" --sample ICLIST.DAT >/dev/null

# The simulator on a pseudo-terminal, with a link of its own that COM 1 is pointed at for
# this run only: a device named in the settings file is left as it is.
LINK="${XDG_RUNTIME_DIR:-/tmp}/fennix-sim-$$"
"$BUILD/sim/fennix-sim" --link "$LINK" --log "$DATA/fennix-sim.log" </dev/null \
  >"$DATA/fennix-sim.out" 2>&1 &
SIM=$!
trap 'kill "$SIM" 2>/dev/null; wait "$SIM" 2>/dev/null' EXIT
for _ in $(seq 100); do
  [ -s "$DATA/fennix-sim.out" ] && break
  kill -0 "$SIM" 2>/dev/null || { cat "$DATA/fennix-sim.out" >&2; exit 1; }
  sleep 0.05
done
echo "Receiver simulator on $(head -n 1 "$DATA/fennix-sim.out") (COM 1); its log: $DATA/fennix-sim.log"
FENNIX_COM1="$LINK" "$BUILD/fennix" "$@"
