#!/usr/bin/env python3
"""Runs the example session (session.tarn) against a virtual studio box and
prints what `tarnlink run examples/session.tarn` prints: each statement, the
packets exchanged, the status and the parameters the hardware answered.

    PYTHONPATH=build/default/python python3 examples/session.py [SCRIPT]
"""

import pathlib
import sys

import tarnlink

SHOWN_PACKET_BYTES = 48
SHOWN_STREAM_BYTES = 24
SHOWN_STREAM_TEXT = 80


def hex_text(data: bytes, limit: int) -> str:
    text = data[:limit].hex(" ").upper()
    return text + f" ... ({len(data)} bytes)" if len(data) > limit else text


def value_text(value) -> str:
    if isinstance(value, str):
        return "SYMBOL " + value
    if isinstance(value, int):
        return str(value)
    if not value:
        return "(0 bytes)"
    if len(value) <= SHOWN_STREAM_TEXT and all(0x20 <= byte < 0x7F for byte in value):
        return f'"{value.decode()}" ({len(value)} bytes)'
    more = " ..." if len(value) > SHOWN_STREAM_BYTES else ""
    return f"{hex_text(value, SHOWN_STREAM_BYTES)}{more} ({len(value)} bytes)"


def print_answer(command: tarnlink.Command) -> None:
    types = {parameter["name"]: parameter["type"] for parameter in tarnlink.describe(command.name)["parameters"]}
    width = max(map(len, types))
    for name, value in command.items():
        print(f"    {name:<{width}}  {types[name]:<6}  {value_text(value)}")


def statements(script: pathlib.Path):
    """(line number, statement) for each statement, one a line; comments skipped."""
    for number, line in enumerate(script.read_text().splitlines(), start=1):
        statement = line.strip().rstrip(";").strip()
        if statement and not statement.startswith("#"):
            yield number, statement


def run(script: pathlib.Path) -> int:
    failed = executed = 0
    with tarnlink.Library():
        device = tarnlink.VirtualDevice(hardware="StudioBox")
        tarnlink.install_conduit(device, 1)
        device.clear_packet_log()
        for number, statement in statements(script):
            print(f"{'' if executed == 0 else chr(10)}[{number}] {statement}")
            executed += 1
            command = tarnlink.Command.parse(statement)
            try:
                tarnlink.execute(command)
            except tarnlink.CommandError:
                failed += 1
            exchanges = device.take_packet_log()
            if not exchanges:
                print("    (nothing sent)")
            for exchange in exchanges:
                if exchange.command_name != command.name:
                    print(f"    {exchange.command_name}")
                print(f"    request   {hex_text(exchange.request, SHOWN_PACKET_BYTES)}")
                print(f"    response  {hex_text(exchange.response, SHOWN_PACKET_BYTES)}")
            print(f"    status    {command.status}")
            if command.is_request and command.status == "kTLSuccess":
                print_answer(command)
    print(f"\n{executed} {'command' if executed == 1 else 'commands'}, {executed - failed} succeeded, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    default_script = pathlib.Path(__file__).with_name("session.tarn")
    sys.exit(run(pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else default_script))
