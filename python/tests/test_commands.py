"""The dictionary, commands and their parameters, compiling and decoding."""

import pytest

import tarnlink


def test_describe_gives_parameters_types_flags_and_symbols(library):
    description = tarnlink.describe("AudioHostChanMute")
    assert description["kind"] == "tarn"
    assert (description["major"], description["minor"], description["function"]) == (1, 0, 23)
    assert description["parameters"] == [
        {"name": "HostChannel", "type": "UINT8", "request_data": True},
        {"name": "Mute", "type": "UINT8", "request_data": False},
    ]
    assert description["symbols"] == {"AudioHostChan_MuteOff": 0, "AudioHostChan_MuteOn": 1}
    assert tarnlink.describe("LutUpload")["start"] == "LutUploadStart"


def test_commands_lists_the_dictionary_and_filters_by_kind(library):
    names = tarnlink.commands()
    assert len(names) == 165 and names == sorted(names)
    assert tarnlink.commands("meta") == ["LutUpload"]
    assert "DiagColorbars" in tarnlink.commands("diag") and "DiagColorbars" not in tarnlink.commands("tarn")
    with pytest.raises(ValueError, match="kind is 'tarn', 'diag' or 'meta', not 'other'"):
        tarnlink.commands("other")


def test_a_command_reads_like_a_mapping(library):
    command = tarnlink.Command("AudioHostMonitorChanGain", Gain=-600, Input=1)
    assert dict(command) == {"Input": 1, "Gain": -600}  # the definition's order
    assert command["Gain"] == -600 and "Output" not in command and len(command) == 2
    assert command.get("Output") is None
    command["Output"] = 2
    assert list(command) == ["Input", "Output", "Gain"]
    assert repr(command) == "Command('AudioHostMonitorChanGain', Input=1, Output=2, Gain=-600)"
    with pytest.raises(KeyError, match="Output of AudioHostChanMute is not set|Mute of AudioHostChanMute is not set"):
        tarnlink.Command("AudioHostChanMute", HostChannel=1)["Mute"]


@pytest.mark.parametrize(
    "parameters, error, message",
    [
        ({"Loud": 1}, KeyError, "AudioHostChanMute has no parameter 'Loud' (its parameters: HostChannel, Mute)"),
        ({"HostChannel": 256}, ValueError, "HostChannel of AudioHostChanMute is UINT8: 256 is outside 0..255"),
        ({"HostChannel": -1}, ValueError, "HostChannel of AudioHostChanMute is UINT8: -1 is outside 0..255"),
        ({"HostChannel": 2.0}, TypeError, "HostChannel of AudioHostChanMute is UINT8: give an int or a symbol's name (str), not float"),
        ({"HostChannel": b"\x01"}, TypeError, "give an int or a symbol's name (str), not bytes"),
        ({"Mute": "AudioHostChan_Loud"}, ValueError,
         "'AudioHostChan_Loud' is not a symbol of AudioHostChanMute (its symbols: AudioHostChan_MuteOff, AudioHostChan_MuteOn)"),
    ],
)
def test_wrong_parameters_are_refused_with_their_reason(library, parameters, error, message):
    with pytest.raises(error) as raised:
        tarnlink.Command("AudioHostChanMute", **parameters)
    assert message in str(raised.value)


def test_number_limits_of_wide_and_signed_types(library):
    command = tarnlink.Command("AudioHostMonitorChanGain", Gain=-2**31)
    assert command["Gain"] == -2**31
    with pytest.raises(ValueError, match=r"Gain of AudioHostMonitorChanGain is INT32: 2147483648 is outside -2147483648..2147483647"):
        command["Gain"] = 2**31
    with pytest.raises(TypeError, match="LutData of LutUpload is BYTES: give bytes, not str"):
        tarnlink.Command("LutUpload", LutData="0123")
    assert tarnlink.Command("LutUpload", LutData=bytearray(b"\x00\xff"))["LutData"] == b"\x00\xff"


def test_unknown_commands_and_request_parameters(library):
    with pytest.raises(KeyError, match="no command of this name is defined: 'NoSuchCommand'"):
        tarnlink.Command("NoSuchCommand")
    with pytest.raises(ValueError, match="Mute of AudioHostChanMute is answered by the hardware"):
        tarnlink.Command.request("AudioHostChanMute", HostChannel=5, Mute=1)


def test_compile_gives_the_wire_packet(library):
    mute = tarnlink.Command("AudioHostChanMute", HostChannel=5, Mute="AudioHostChan_MuteOn")
    assert tarnlink.compile(mute) == bytes.fromhex("0B 0B 00 06 40 2E 00 00 05 01")
    request = tarnlink.Command.request("AudioHostChanMute", HostChannel=5)
    assert tarnlink.compile(request) == bytes.fromhex("0B 0B 00 05 40 2F 00 00 05")


def test_compile_without_a_needed_parameter_raises_command_error(library):
    command = tarnlink.Command("AudioHostChanMute", HostChannel=5)
    with pytest.raises(tarnlink.CommandError) as raised:
        tarnlink.compile(command)
    assert str(raised.value) == ("compiling AudioHostChanMute failed with kTLCompileMissingParameterData: "
                                 "a parameter that the packet needs is not set")
    assert raised.value.status == "kTLCompileMissingParameterData" and raised.value.command is command


def test_decompile_reads_an_answer_into_the_command(library):
    request = tarnlink.Command.request("AudioHostMonitorChanGain", Input=1, Output=2)
    tarnlink.decompile(request, bytes.fromhex("0B 0B 00 0A 40 31 00 00 01 02 FF FF FD A8"))
    assert dict(request) == {"Input": 1, "Output": 2, "Gain": -600} and request.status == "kTLSuccess"
    with pytest.raises(ValueError, match="the response is empty: a packet holds at least its header"):
        tarnlink.decompile(request, b"")
    with pytest.raises(tarnlink.CommandError, match="failed with kTLPacketSizeError: a packet's size does not fit the definition"):
        tarnlink.decompile(request, b"\x0b")
    assert request.status == "kTLPacketSizeError"
    with pytest.raises(TypeError, match="the response: give bytes, not str"):
        tarnlink.decompile(request, "0B0B")


def test_parse_reads_the_parsable_text_and_checks_types(library):
    command = tarnlink.Command.parse("tarn send AudioHostChanMute HostChannel UINT8 5 Mute SYMBOL AudioHostChan_MuteOn . ;")
    assert not command.is_request and dict(command) == {"HostChannel": 5, "Mute": "AudioHostChan_MuteOn"}
    assert str(command) == "tarn send AudioHostChanMute HostChannel UINT8 5 Mute SYMBOL AudioHostChan_MuteOn . ;"
    assert tarnlink.Command.parse("request SampleRate .").is_request
    with pytest.raises(TypeError, match="HostChannel of AudioHostChanMute is UINT8 in the command text is not of that type"):
        tarnlink.Command.parse("send AudioHostChanMute HostChannel UINT16 5 .")
    with pytest.raises(ValueError, match="a command text begins with 'send' or 'request', not 'mute'"):
        tarnlink.Command.parse("mute AudioHostChanMute .")
    with pytest.raises(ValueError, match="cannot be read or no closing"):
        tarnlink.Command.parse("send AudioHostChanMute HostChannel UINT8")


@pytest.mark.parametrize("function", [tarnlink.compile, tarnlink.execute])
def test_functions_of_commands_refuse_other_objects(library, function):
    with pytest.raises(TypeError, match="takes a tarnlink.Command, not str"):
        function("send SampleRate .")


def test_the_module_refuses_work_before_the_library_is_loaded():
    with pytest.raises(RuntimeError, match="the library is not loaded: use 'with tarnlink.Library\\(\\):' first"):
        tarnlink.Command("AudioHostChanMute")
