"""Executing through the virtual device: the example session, failures, the trace log."""

import os
import pathlib
import subprocess
import sys

import pytest

import tarnlink

SOURCE_DIR = pathlib.Path(os.environ.get("TARNLINK_SOURCE_DIR", pathlib.Path(__file__).parents[2]))


def test_a_send_then_a_request_reads_the_value_back(device):
    tarnlink.execute(tarnlink.Command("AudioHostChanMute", HostChannel=5, Mute="AudioHostChan_MuteOn"))
    answer = tarnlink.execute(tarnlink.Command.request("AudioHostChanMute", HostChannel=5))
    assert dict(answer) == {"HostChannel": 5, "Mute": 1} and answer.status == "kTLSuccess"
    assert [exchange.request for exchange in device.take_packet_log()] == [
        bytes.fromhex("0B 0B 00 06 40 2E 00 00 05 01"),
        bytes.fromhex("0B 0B 00 05 40 2F 00 00 05"),
    ]


def test_a_meta_command_moves_a_byte_stream_both_ways(device):
    table = bytes(range(256)) * 10  # more than one packet holds
    tarnlink.execute(tarnlink.Command("LutUpload", LutData=table))
    assert tarnlink.execute(tarnlink.Command.request("LutUpload"))["LutData"] == table
    names = [exchange.command_name for exchange in device.packet_log()]
    assert names.count("LutUploadData") == 4  # two packets each way


@pytest.mark.parametrize(
    "fault, status, meaning",
    [
        (tarnlink.Fault.TIME_OUT, "kTLTimeOut", "the hardware did not answer in time"),
        (tarnlink.Fault.NOT_SUPPORTED, "kTLNotSupported", "the hardware does not support the command"),
        (tarnlink.Fault.TRANSMIT_FAILURE, "kTLTransmitFailure", "the packet could not be sent"),
        (tarnlink.Fault.CORRUPT_ANSWER, "kTLInvalidTransportHeader", "the answer's transport header is damaged"),
    ],
)
def test_failures_raise_command_error_with_status_and_command(device, fault, status, meaning):
    device.inject_fault(fault)
    command = tarnlink.Command("SampleRate", SampleRate="SR_48000Hz")
    with pytest.raises(tarnlink.CommandError) as raised:
        tarnlink.execute(command)
    assert str(raised.value) == f"executing SampleRate failed with {status}: {meaning}"
    assert raised.value.status == status and raised.value.command is command and command.status == status


def test_diagnostic_commands_are_not_executed(device):
    with pytest.raises(tarnlink.CommandError, match="kTLAttemptedToExecuteDiagCommand: a diagnostic command can be compiled but not executed"):
        tarnlink.execute(tarnlink.Command("DiagColorbars"))
    assert device.packet_log() == []


def test_a_command_without_its_conduit_fails_before_sending(library):
    command = tarnlink.Command("SampleRate", SampleRate="SR_48000Hz")
    with pytest.raises(RuntimeError, match="no conduit is installed: call install_conduit\\(\\) first"):
        tarnlink.execute(command)
    command.conduit_id = 7
    with pytest.raises(RuntimeError, match="no conduit is installed under id 7"):
        tarnlink.execute(command)


def test_the_trace_log_records_executed_commands(device, tmp_path):
    trace = tmp_path / "session.trace"
    with tarnlink.TraceLog(str(trace)):
        tarnlink.execute(tarnlink.Command("SampleRate", SampleRate="SR_48000Hz"))
    text = trace.read_text()
    assert text.startswith("\n@time ") and text.endswith("\ntarn send SampleRate SampleRate SYMBOL SR_48000Hz . ;")
    with pytest.raises(ValueError, match="cannot open the trace log /no/such/dir/x.trace"):
        tarnlink.TraceLog("/no/such/dir/x.trace").open()


def test_the_python_session_prints_what_the_tool_prints():
    environment = dict(os.environ, PYTHONPATH=os.pathsep.join(sys.path))
    python = subprocess.run([sys.executable, str(SOURCE_DIR / "examples" / "session.py")], env=environment,
                            capture_output=True, text=True, check=True)
    assert python.stdout.endswith("\n16 commands, 16 succeeded, 0 failed\n")
    tool = os.environ.get("TARNLINK_TOOL")
    if tool is None:
        pytest.skip("TARNLINK_TOOL names no tarnlink tool to compare with")
    expected = subprocess.run([tool, "run", str(SOURCE_DIR / "examples" / "session.tarn")],
                              capture_output=True, text=True, check=True)
    assert python.stdout == expected.stdout
