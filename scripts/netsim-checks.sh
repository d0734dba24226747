#!/usr/bin/env bash
# netsim-checks.sh TGQNETSIM: starts the network simulator on a free loopback
# port, with its VXI-11 port mapper on 111 (as root; else on a free port), and
# checks it with clients written elsewhere: pyvisa over pyvisa-py and
# lxi-tools, raw socket and VXI-11. pyvisa-py also replays, line by line, setup
# files that the program's own writer saved (setup_sample, beside TGQNETSIM)
# and reads every setting back. Last, `lxi discover` looks for the simulator
# bound to every interface. Prints their PASS: and FAIL: lines and figures;
# fails when any check fails.
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

portmap_option=()
if [ "$(id -u)" -ne 0 ]; then
  portmap_option=(--portmap-port 0)
  echo "not root: the VXI-11 port mapper on a free port instead of 111 (--portmap-port 0)"
fi

# serve ARGS...: starts the simulator with those options; sets server, port
# and portmap, or fails.
serve() {
  "$netsim" --vxi11 "$@" >"$log" 2>&1 &
  server=$!
  port= portmap=
  for _ in $(seq 100); do
    port=$(sed -n 's/^listening .*:\([0-9]*\)$/\1/p' "$log")
    portmap=$(sed -n 's/^vxi11 listening .* portmap \([0-9]*\) .*/\1/p' "$log")
    [ -n "$port" ] && [ -n "$portmap" ] && return 0
    sleep 0.1
  done
  echo "FAIL: the network simulator did not start:"; cat "$log"
  kill "$server" 2>/dev/null; return 1
}

stop_server() {
  kill "$server" 2>/dev/null
  wait "$server" 2>/dev/null
}

serve --port 0 --lifetime 300 --idle 60 "${portmap_option[@]}" || exit 1
echo "network simulator on port $port, VXI-11 port mapper on $portmap"

status=0
/usr/bin/python3 "$checks/pyvisa_checks.py" "$port" "$setups" "$log" "$portmap" || status=1
bash "$checks/lxi_checks.sh" "$port" "$portmap" || status=1
if kill -0 "$server" 2>/dev/null; then
  echo "PASS: the network simulator ran through every client"
else
  echo "FAIL: the network simulator ended early:"; tail -20 "$log"; status=1
fi
stop_server

# Discovery by UDP broadcast reaches only a simulator on a non-loopback interface.
lan_address=$(ip -4 -o addr show scope global 2>/dev/null | awk '{sub("/.*", "", $4); print $4; exit}')
if [ -z "$lan_address" ] || [ "$portmap" != 111 ]; then
  echo "lxi discover left out: it needs a non-loopback interface and the port mapper on 111"
elif serve --bind 0.0.0.0 --port 0 --lifetime 60; then
  found=$(timeout 30 lxi discover 2>&1)
  if grep -qF "Found \"TARROWS-GIMBELL,Q3207,0,A.01.00\" on address $lan_address" <<<"$found"; then
    echo "PASS: lxi discover finds the simulator on $lan_address"
  else
    echo "FAIL: lxi discover did not find the simulator on $lan_address:"; echo "$found"; status=1
  fi
  stop_server
else
  status=1
fi
exit "$status"
