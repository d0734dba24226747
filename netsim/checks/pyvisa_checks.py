#!/usr/bin/python3
"""Checks the network simulator with pyvisa over its pure-Python backend
(pyvisa-py), as a TCPIP SOCKET resource read up to a line feed. Prints one
PASS: or FAIL: line per check. Usage:
pyvisa_checks.py PORT [SETUP_FOLDER [SERVER_LOG PORTMAP_PORT]]

With SETUP_FOLDER, also replays each setup file in it (as the program saves
them) line by line and reads every setting back. With SERVER_LOG (the
simulator's output) and PORTMAP_PORT, also checks the VXI-11 instrument
TCPIP0::127.0.0.1::inst0::INSTR, its port mapper on that port."""
import pathlib
import signal
import subprocess
import sys
import time

import pyvisa
import pyvisa_py.protocols.rpc

PORT = int(sys.argv[1])
RESOURCE = f"TCPIP0::127.0.0.1::{PORT}::SOCKET"
SETUP_FOLDER = pathlib.Path(sys.argv[2]) if len(sys.argv) > 2 else None
SERVER_LOG = pathlib.Path(sys.argv[3]) if len(sys.argv) > 4 else None
LAN_RESOURCE = "TCPIP0::127.0.0.1::inst0::INSTR"
IDN = "TARROWS-GIMBELL,Q3207,0,A.01.00"
if SERVER_LOG:
    # pyvisa-py asks the port mapper on 111 only: where that port is not
    # allowed, the simulator's port mapper is elsewhere.
    pyvisa_py.protocols.rpc.PMAP_PORT = int(sys.argv[4])
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


def server_events(event):
    """How many lines of the simulator's output start with `event`."""
    return sum(line.startswith(event) for line in SERVER_LOG.read_text().splitlines())


def visa_error(action):
    """The VISA status name that `action` raised, or "no error"."""
    try:
        action()
    except pyvisa.errors.VisaIOError as error:
        return error.error_code.name
    return "no error"


# A session that writes the start of a message, without END, and is killed.
# pyvisa-py 0.5.1 sends END with every write, so its VXI-11 client is called
# directly.
HALF_MESSAGE = f"""
import os, signal, pyvisa, pyvisa_py.protocols.rpc
pyvisa_py.protocols.rpc.PMAP_PORT = {{portmap}}
inst = pyvisa.ResourceManager("@py").open_resource("{LAN_RESOURCE}")
session = inst.visalib.sessions[inst.session]
print(session.interface.device_write(session.link, 1000, 1000, 0, b"FREQ 7"), flush=True)
os.kill(os.getpid(), signal.SIGKILL)
"""


def round_trip_ms(inst, count=200):
    started = time.monotonic()
    for _ in range(count):
        inst.query("*IDN?")
    return (time.monotonic() - started) * 1000 / count


def vxi11_checks(rm):
    def lan(name, got, expected):
        check(f"VXI-11 {name}", got, expected)

    inst = rm.open_resource(LAN_RESOURCE, timeout=3000)
    inst.write("*RST;*CLS")
    lan("*IDN?", inst.query("*IDN?"), IDN + "\n")
    # 300 commands in 3000 bytes: pyvisa-py sends them in 1024-byte pieces, END on the last.
    inst.write(";".join(["FREQ 1234"] * 300))
    lan("a 3000-byte write is one message", inst.query("FREQ?;:SYST:ERR?"),
        '+1.23400000000000E+03;0,"No error"\n')
    inst.write("SOURce:FREQuency 3500.5")
    lan("long form SOURce:FREQuency, short form FREQ?", inst.query("FREQ?"),
        "+3.50050000000000E+03\n")
    inst.write("VOLT 10.000001")
    lan("out of range VOLT 10.000001: status byte has the error bit", inst.read_stb() & 0x04, 4)
    lan("SYST:ERR? until 0: -222 then 0", drain_errors(inst), [-222, 0])

    inst.write("FREQ 1E9")
    inst.write("FREQ?")
    lan("a reply waiting: status byte has MAV", inst.read_stb() & 0x10, 0x10)
    inst.clear()
    inst.timeout = 500
    lan("clear() empties the output", visa_error(inst.read), "error_timeout")
    inst.timeout = 3000
    lan("clear() keeps the settings and the error queue", inst.query("FREQ?;:SYST:ERR?"),
        '+3.50050000000000E+03;-222,"Data out of range"\n')

    triggers = server_events("trigger L")
    inst.assert_trigger()
    lan("assert_trigger() is a device trigger", server_events("trigger L"), triggers + 1)

    inst.timeout = 1500
    started = time.monotonic()
    lan("a read with nothing queued times out", visa_error(inst.read), "error_timeout")
    waited = time.monotonic() - started
    lan(f"... after its 1.5 s time-out (waited {waited:.2f} s)", 1.4 < waited < 2.5, True)
    inst.timeout = 3000

    other = rm.open_resource(LAN_RESOURCE, timeout=3000)
    inst.lock_excl()
    lan("a second session cannot lock while the first holds it",
        visa_error(lambda: other.lock_excl(timeout=300)), "error_resource_locked")
    # pyvisa-py reports every refused write (here error 11) as an I/O error.
    lan("... nor write", visa_error(lambda: other.write("FREQ 2000")), "error_io")
    lan("... and the refused write was not executed", inst.query("FREQ?"),
        "+3.50050000000000E+03\n")
    inst.unlock()
    other.lock_excl()
    other.write("FREQ 2000")
    lan("after unlock() the second session locks and writes", other.query("FREQ?"),
        "+2.00000000000000E+03\n")
    other.close()  # its link goes, and its lock with it
    inst.lock_excl()
    lan("the lock of a closed session is gone", inst.query("FREQ?"), "+2.00000000000000E+03\n")
    inst.unlock()
    inst.close()

    killed = subprocess.run(
        [sys.executable, "-c", HALF_MESSAGE.format(portmap=pyvisa_py.protocols.rpc.PMAP_PORT)],
        check=False, timeout=20, capture_output=True, text=True)
    lan("a client writes 6 bytes without END, then is killed",
        (killed.stdout, killed.returncode), ("(0, 6)\n", -signal.SIGKILL))
    inst = rm.open_resource(LAN_RESOURCE, timeout=3000)
    lan("after a client was killed mid-message: *IDN?", inst.query("*IDN?"), IDN + "\n")
    lan("the unfinished message was not executed", inst.query("FREQ?"),
        "+2.00000000000000E+03\n")
    socket = open_instrument(rm)
    print(f"figure: pyvisa-py *IDN? round trip on loopback, ms: VXI-11 {round_trip_ms(inst):.3f},"
          f" raw socket {round_trip_ms(socket):.3f}")
    socket.close()
    inst.close()


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
    if SERVER_LOG:
        vxi11_checks(rm)
    rm.close()


try:
    main()
except Exception as error:  # a check that could not run is a failure too
    failures += 1
    print(f"FAIL: pyvisa-py stopped: {error!r}")
sys.exit(1 if failures else 0)
