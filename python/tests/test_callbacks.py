"""Conduits and listeners written in Python, their exceptions and lifetimes."""

import gc

import pytest

import tarnlink


class Relay(tarnlink.Conduit):
    """Hands every packet to a virtual device and remembers what it saw."""

    def __init__(self, device):
        super().__init__()
        self.device = device
        self.seen = []

    def transmit(self, request, timeout_ms, command_name=""):
        self.seen.append((request, timeout_ms))
        return self.device.transmit(request, timeout_ms, command_name)


class Answering(tarnlink.Conduit):
    def __init__(self, answer):
        super().__init__()
        self.answer = answer

    def transmit(self, request, timeout_ms):
        if isinstance(self.answer, Exception):
            raise self.answer
        return self.answer


def test_a_python_conduit_carries_the_session(library):
    relay = Relay(tarnlink.VirtualDevice(hardware="StudioBox"))
    tarnlink.install_conduit(relay, 1)  # detection runs through it too
    assert tarnlink.caps.GetPeripheralName() == "Studio Box"
    relay.seen.clear()
    tarnlink.execute(tarnlink.Command("AudioHostChanMute", HostChannel=5, Mute="AudioHostChan_MuteOff"))
    answer = tarnlink.execute(tarnlink.Command.request("AudioHostChanMute", HostChannel=5))
    assert answer["Mute"] == 0
    assert [request for request, _ in relay.seen] == [
        bytes.fromhex("0B 0B 00 06 40 2E 00 00 05 00"),
        bytes.fromhex("0B 0B 00 05 40 2F 00 00 05"),
    ]


def test_an_installed_conduit_lives_while_installed(library):
    tarnlink.install_conduit(Relay(tarnlink.VirtualDevice()), 3, detect=False)
    gc.collect()
    command = tarnlink.Command("SampleRate", SampleRate="SR_48000Hz")
    command.conduit_id = 3
    assert tarnlink.execute(command).status == "kTLSuccess"
    conduit = tarnlink.conduits()[3]
    with pytest.raises(ValueError, match="a conduit is installed under id 3"):
        tarnlink.install_conduit(conduit, 3)
    with pytest.raises(ValueError, match="this conduit is not installed under id 4"):
        tarnlink.remove_conduit(conduit, 4)
    tarnlink.remove_conduit(conduit, 3)
    assert tarnlink.conduits() == {}
    with pytest.raises(TypeError, match="install_conduit\\(\\) takes a tarnlink.Conduit, not str"):
        tarnlink.install_conduit("tcp://127.0.0.1:7300", 3)


@pytest.mark.parametrize(
    "answer, error, message",
    [
        (ZeroDivisionError("the box fell over"), ZeroDivisionError, "the box fell over"),
        (b"", ValueError, "transmit() answered empty bytes (None says that no answer came)"),
        ("0B0B", TypeError, "the answer of transmit(): give bytes, not str"),
    ],
)
def test_a_failing_python_conduit_raises_from_execute(library, answer, error, message):
    tarnlink.install_conduit(Answering(answer), 1, detect=False)
    with pytest.raises(error) as raised:
        tarnlink.execute(tarnlink.Command("SampleRate", SampleRate="SR_48000Hz"))
    assert str(raised.value) == message


def test_a_python_conduit_without_an_answer_times_the_command_out(library):
    tarnlink.install_conduit(Answering(None), 1, detect=False)
    with pytest.raises(tarnlink.CommandError, match="kTLTimeOut"):
        tarnlink.execute(tarnlink.Command("SampleRate", SampleRate="SR_48000Hz"))


def test_a_conduit_without_transmit_is_refused_clearly(library):
    tarnlink.install_conduit(tarnlink.Conduit(), 1, detect=False)
    with pytest.raises(NotImplementedError, match="a tarnlink.Conduit subclass defines transmit"):
        tarnlink.execute(tarnlink.Command("SampleRate", SampleRate="SR_48000Hz"))


def test_an_execution_listener_sees_the_decoded_answer(device):
    seen = []
    listener = tarnlink.on_executed(lambda command: seen.append(dict(command)))
    try:
        tarnlink.execute(tarnlink.Command("AudioHostMonitorChanGain", Input=1, Output=2, Gain=-600))
        tarnlink.execute(tarnlink.Command.request("AudioHostMonitorChanGain", Input=1, Output=2))
    finally:
        tarnlink.remove_listener(listener)
    assert seen == [{"Input": 1, "Output": 2, "Gain": -600}] * 2
    with pytest.raises(ValueError, match="this callable is not installed as a listener"):
        tarnlink.remove_listener(listener)


def test_listeners_stop_change_and_answer_for_the_hardware(device):
    @tarnlink.on_compiled
    def refuse_diagnostics(command):
        return tarnlink.Verdict.STOP_AS_SUCCESS if command.name == "RunDiagnostic" else None

    @tarnlink.on_transmit
    def stand_in(command, request):
        if command.name == "SampleRate" and command.is_request:
            return bytes.fromhex("0B 0B 00 05 41 01 00 00 02")  # "48 kHz"
        request[-1] = 9  # every other packet goes out with its last byte changed
        return None

    try:
        tarnlink.execute(tarnlink.Command("RunDiagnostic"))
        assert tarnlink.execute(tarnlink.Command.request("SampleRate"))["SampleRate"] == 2
        tarnlink.execute(tarnlink.Command("AudioHostChanMute", HostChannel=5, Mute=0))
    finally:
        tarnlink.remove_listener(refuse_diagnostics)
        tarnlink.remove_listener(stand_in)
    assert [exchange.request for exchange in device.packet_log()] == [bytes.fromhex("0B 0B 00 06 40 2E 00 00 05 09")]


def test_an_exception_in_a_listener_fails_the_command_and_is_raised(device):
    def broken(command):
        raise LookupError("listener broke")

    tarnlink.on_compiled(broken)
    try:
        with pytest.raises(LookupError, match="listener broke"):
            tarnlink.execute(tarnlink.Command("SampleRate", SampleRate="SR_48000Hz"))
        with pytest.raises(ValueError, match="installed already"):
            tarnlink.on_compiled(broken)
    finally:
        tarnlink.remove_listener(broken)
    assert device.packet_log() == []


def test_tables_do_not_change_inside_an_execution(device):
    refused = []

    def install_inside(command):
        try:
            tarnlink.install_conduit(tarnlink.VirtualDevice(), 5)
        except RuntimeError as error:
            refused.append(str(error))

    tarnlink.on_executed(install_inside)
    try:
        tarnlink.execute(tarnlink.Command("SampleRate", SampleRate="SR_48000Hz"))
    finally:
        tarnlink.remove_listener(install_inside)
    assert refused == ["installing a conduit is not possible inside a conduit or listener of an executing command"]


def test_a_python_conduit_may_execute_further_commands(library):
    device = tarnlink.VirtualDevice()

    class Nested(tarnlink.Conduit):
        def transmit(self, request, timeout_ms, command_name):
            if request == bytes.fromhex("0B 0B 00 04 C0 00 00 00"):  # RunDiagnostic: first set the rate
                tarnlink.execute(tarnlink.Command("SampleRate", SampleRate="SR_96000Hz"))
            return device.transmit(request, timeout_ms, command_name)

    tarnlink.install_conduit(Nested(), 1, detect=False)
    tarnlink.execute(tarnlink.Command("RunDiagnostic"))
    assert tarnlink.execute(tarnlink.Command.request("SampleRate"))["SampleRate"] == 3
