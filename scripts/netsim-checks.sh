#!/usr/bin/env bash
# netsim-checks.sh TGQNETSIM: starts the network simulator on a free loopback
# port and checks it with clients written elsewhere: pyvisa over pyvisa-py and
# lxi-tools. pyvisa-py also replays, line by line, setup files that the
# program's own writer saved (setup_sample, beside TGQNETSIM) and reads every
# setting back. Prints their PASS: and FAIL: lines; fails when any check fails.
set -uo pipefail
netsim=$1
checks="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/netsim/checks"
log=$(mktemp)
setups=$(mktemp -d)
trap 'rm -rf "$log" "$setups"' EXIT

# Seed 12: among its five files are each mode on, both loads, an infinite
# burst count, a NOISE modulation and a TTL trigger line.
if ! "$(dirname "$netsim")/setup_sample" 12 "$setups"; then
  echo "FAIL: setup_sample beside $netsim wrote no setup files"; exit 1
fi

"$netsim" --port 0 --lifetime 300 --idle 60 >"$log" 2>&1 &
server=$!
port=
for _ in $(seq 100); do
  port=$(sed -n 's/^listening .*:\([0-9]*\)$/\1/p' "$log")
  [ -n "$port" ] && break
  sleep 0.1
done
if [ -z "$port" ]; then
  echo "FAIL: the network simulator did not start:"; cat "$log"
  kill "$server" 2>/dev/null; exit 1
fi
echo "network simulator on port $port"

status=0
/usr/bin/python3 "$checks/pyvisa_checks.py" "$port" "$setups" || status=1
bash "$checks/lxi_checks.sh" "$port" || status=1
if kill -0 "$server" 2>/dev/null; then
  echo "PASS: the network simulator ran through every client"
else
  echo "FAIL: the network simulator ended early:"; tail -20 "$log"; status=1
fi
kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
exit "$status"
