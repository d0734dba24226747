#!/usr/bin/python3
"""Checks the network simulator with pyvisa over its pure-Python backend
(pyvisa-py), as a TCPIP SOCKET resource read up to a line feed. Prints one
PASS: or FAIL: line per check. Usage: pyvisa_checks.py PORT [SETUP_FOLDER]

With SETUP_FOLDER, also replays each setup file in it (as the program saves
them) line by line and reads every setting back."""
import pathlib
import sys

import pyvisa

PORT = int(sys.argv[1])
RESOURCE = f"TCPIP0::127.0.0.1::{PORT}::SOCKET"
SETUP_FOLDER = pathlib.Path(sys.argv[2]) if len(sys.argv) > 2 else None
# The simulator's replies where a setup file's word differs: a long form it
# answers in its short form, and the states. An infinite load or count (INF)
# reads back as INFINITY.
REPLY_OF_WORD = {"NOISE": "NOIS", "ON": "1", "OFF": "0"}
INFINITY = 9.9e37
failures = 0


def check(name, got, expected):
    global failures
    if got == expected:
        print(f"PASS: pyvisa-py {name}")
    else:
        failures += 1
        print(f"FAIL: pyvisa-py {name}: got {got!r}, expected {expected!r}")


def open_instrument(rm):
    return rm.open_resource(RESOURCE, read_termination="\n", write_termination="\n",
                            timeout=3000)


def drain_errors(inst, limit=30):
    """SYST:ERR? until 0 (at most `limit` times): the codes read, 0 last."""
    codes = []
    while len(codes) < limit:
        codes.append(int(inst.query("SYST:ERR?").split(",")[0]))
        if codes[-1] == 0:
            break
    return codes


def read_back_problem(inst, command, value):
    """What is wrong with the read-back of one setup-file command
    ("VOLT:UNIT VPP;:VOLT", "0.1"), or None."""
    reply = inst.query(command + "?")
    try:
        same = float(reply) == (INFINITY if value == "INF" else float(value))
    except ValueError:
        same = reply == REPLY_OF_WORD.get(value, value)
    return None if same else f"{command}? replied {reply!r} to {command} {value}"


def replay_setup(inst, path):
    lines = path.read_bytes().decode("ascii").splitlines()
    commands = [line for line in lines if line.strip() and not line.startswith("#")]
    inst.write("*RST;*CLS")
    for line in commands:
        inst.write(line)
    problems = [] if commands else ["no commands"]
    error = inst.query("SYST:ERR?")
    if error != '0,"No error"':
        problems.append(f"SYST:ERR? replied {error!r}")
    for line in commands:
        problem = read_back_problem(inst, *line.rsplit(" ", 1))
        if problem:
            problems.append(problem)
    check(f"replays {path.name} ({len(commands)} commands), every setting read back",
          problems, [])


def main():
    rm = pyvisa.ResourceManager("@py")
    inst = open_instrument(rm)
    inst.write("*RST;*CLS")
    check("*IDN?", inst.query("*IDN?"), "TARROWS-GIMBELL,Q3207,0,A.01.00")

    inst.write("FREQ 2500")
    check("short form FREQ 2500, FREQ?", inst.query("FREQ?"), "+2.50000000000000E+03")
    inst.write("SOURce:FREQuency 3500.5")
    check("long form SOURce:FREQuency, SOURCE:FREQUENCY?", inst.query("SOURCE:FREQUENCY?"),
          "+3.50050000000000E+03")
    inst.write("VOLTage:OFFSet -0.02")
    check("long form VOLTage:OFFSet, short form VOLT:OFFS?", inst.query("VOLT:OFFS?"),
          "-2.00000000000000E-02")

    inst.write("FREQ 15.000001E6")
    check("out of range FREQ 15.000001E6 leaves FREQ?", inst.query("FREQ?"),
          "+3.50050000000000E+03")
    check("SYST:ERR? until 0: -222 then 0", drain_errors(inst), [-222, 0])
    inst.write("FREQ 15E6")
    check("FREQ 15E6 at the limit is taken", inst.query("FREQ?;:SYST:ERR?"),
          '+1.50000000000000E+07;0,"No error"')

    inst.write("FUNC SQU;:FREQ 5000;:OUTP:LOAD INF")
    inst.write("*RST")
    check("*RST back to power-on settings", inst.query("FUNC?;:FREQ?;:VOLT?;:OUTP:LOAD?"),
          "SIN;+1.00000000000000E+03;+1.00000000000000E-01;+5.00000000000000E+01")

    check("*OPC?", inst.query("*OPC?"), "1")

    for _ in range(25):
        inst.write("FREQ 1E9")
    codes = drain_errors(inst)
    check("25 errors: 19 x -222, then -350, then 0", codes, [-222] * 19 + [-350, 0])

    inst.write("FREQ 4000")
    vanishing = open_instrument(rm)
    vanishing.write_raw(b"FREQ 7")
    vanishing.close()
    inst.close()
    inst = open_instrument(rm)
    check("after a client vanished mid-message: *IDN?", inst.query("*IDN?"),
          "TARROWS-GIMBELL,Q3207,0,A.01.00")
    check("the unfinished message was not executed", inst.query("FREQ?"),
          "+4.00000000000000E+03")
    if SETUP_FOLDER:
        setups = sorted(SETUP_FOLDER.iterdir())
        check("finds setup files to replay", bool(setups), True)
        for path in setups:
            replay_setup(inst, path)
    inst.close()
    rm.close()


try:
    main()
except Exception as error:  # a check that could not run is a failure too
    failures += 1
    print(f"FAIL: pyvisa-py stopped: {error!r}")
sys.exit(1 if failures else 0)
