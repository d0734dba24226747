#!/usr/bin/env bash
# Checks the network simulator with lxi-tools' raw SCPI mode (each call its
# own connection), and with PORTMAP_PORT 111 its VXI-11 instrument too. Prints
# one PASS: or FAIL: line per check. Usage: lxi_checks.sh PORT [PORTMAP_PORT]
set -uo pipefail
port=$1 portmap=${2:-} failures=0

scpi() { timeout 10 lxi scpi -a 127.0.0.1 -p "$port" -r -t 3 "$1"; }

check() {  # check NAME GOT EXPECTED
  if [ "$2" == "$3" ]; then
    echo "PASS: lxi $1"
  else
    failures=$((failures + 1))
    echo "FAIL: lxi $1: got '$2', expected '$3'"
  fi
}

# The codes that SYST:ERR? gives until 0 (at most 30), blank-separated.
drain_errors() {
  local codes=() code
  for _ in $(seq 30); do
    code=$(scpi "SYST:ERR?" | cut -d, -f1)
    codes+=("$code")
    [ "$code" == 0 ] || [ -z "$code" ] && break
  done
  echo "${codes[*]}"
}

scpi "*RST;*CLS"
check "*IDN?" "$(scpi '*IDN?')" "TARROWS-GIMBELL,Q3207,0,A.01.00"

scpi "FREQ 2500"
check "short form FREQ 2500, FREQ?" "$(scpi 'FREQ?')" "+2.50000000000000E+03"
scpi "SOURce:FREQuency 3500.5"
check "long form SOURce:FREQuency, SOURCE:FREQUENCY?" "$(scpi 'SOURCE:FREQUENCY?')" \
  "+3.50050000000000E+03"

scpi "VOLT 10.000001"
check "out of range VOLT 10.000001 leaves VOLT?" "$(scpi 'VOLT?')" "+1.00000000000000E-01"
check "SYST:ERR? until 0: -222 then 0" "$(drain_errors)" "-222 0"
scpi "VOLT 10"
check "VOLT 10 at the limit is taken" "$(scpi 'VOLT?;:SYST:ERR?')" \
  '+1.00000000000000E+01;0,"No error"'

scpi "OUTPut:LOAD INFinity"
check "long form OUTPut:LOAD INFinity, short form OUTP:LOAD?" "$(scpi 'OUTP:LOAD?')" \
  "+9.90000000000000E+37"

scpi "FUNC SQU;:FREQ 5000"
scpi "*RST"
check "*RST back to power-on settings" "$(scpi 'FUNC?;:FREQ?;:OUTP:LOAD?')" \
  "SIN;+1.00000000000000E+03;+5.00000000000000E+01"

check "*OPC?" "$(scpi '*OPC?')" "1"

for _ in $(seq 21); do scpi "VOLT:OFFS 99"; done
check "21 errors: 19 x -222, then -350, then 0" "$(drain_errors)" \
  "$(printf -- '-222 %.0s' $(seq 19))-350 0"

# A client that sends half a message and goes.
scpi "FREQ 4000"
exec 3<>"/dev/tcp/127.0.0.1/$port" && printf 'FREQ 7' >&3 && exec 3>&-
check "after a client vanished mid-message: *IDN?" "$(scpi '*IDN?')" \
  "TARROWS-GIMBELL,Q3207,0,A.01.00"
check "the unfinished message was not executed" "$(scpi 'FREQ?')" "+4.00000000000000E+03"

if [ "$portmap" == 111 ]; then
  check "VXI-11 scpi *IDN? (END, no line feed)" \
    "$(timeout 10 lxi scpi -a 127.0.0.1 -t 3 '*IDN?')" "TARROWS-GIMBELL,Q3207,0,A.01.00"
  # Requests per second, VXI-11 and raw socket, in one run.
  vxi11_rate=$(timeout 60 lxi benchmark -a 127.0.0.1 -c 500 | sed -n 's/.*Result: \([0-9.]*\).*/\1/p')
  raw_rate=$(timeout 60 lxi benchmark -a 127.0.0.1 -r -p "$port" -c 500 |
    sed -n 's/.*Result: \([0-9.]*\).*/\1/p')
  check "VXI-11 benchmark gives a rate" "$([ -n "$vxi11_rate" ] && echo yes)" yes
  echo "figure: lxi benchmark on loopback, requests/s: VXI-11 $vxi11_rate, raw socket $raw_rate"
elif [ -n "$portmap" ]; then
  echo "lxi-tools ask the port mapper on 111 only: their VXI-11 checks need it (run as root)"
fi

[ "$failures" -eq 0 ]
