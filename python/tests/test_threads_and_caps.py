"""Threads executing at once, and the capability questions."""

import os
import pathlib
import re
import threading
import time

import pytest

import tarnlink

SOURCE_DIR = pathlib.Path(os.environ.get("TARNLINK_SOURCE_DIR", pathlib.Path(__file__).parents[2]))


def run_in_threads(work, count):
    errors = []

    def guarded(index):
        try:
            work(index)
        except Exception as error:  # reported by the test, not lost in the thread
            errors.append(error)

    threads = [threading.Thread(target=guarded, args=(index,)) for index in range(count)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join(timeout=60)
    assert errors == [] and not any(thread.is_alive() for thread in threads)


def mute_and_read_back(index, rounds=25):
    for round_number in range(rounds):
        mute = round_number % 2
        tarnlink.execute(tarnlink.Command("AudioHostChanMute", HostChannel=index, Mute=mute))
        answer = tarnlink.execute(tarnlink.Command.request("AudioHostChanMute", HostChannel=index))
        assert answer["Mute"] == mute


def test_threads_execute_through_a_native_conduit_at_once(device):
    run_in_threads(mute_and_read_back, 6)
    assert len(device.packet_log()) == 6 * 25 * 2


def test_threads_execute_through_a_python_conduit_at_once(library):
    device = tarnlink.VirtualDevice()

    class Relay(tarnlink.Conduit):
        def transmit(self, request, timeout_ms, command_name):
            return device.transmit(request, timeout_ms, command_name)

    tarnlink.install_conduit(Relay(), 1, detect=False)
    run_in_threads(mute_and_read_back, 4)


def test_the_device_answers_python_while_an_execution_calls_a_python_listener(device):
    listener = tarnlink.on_executed(lambda command: time.sleep(0.001))  # gives the GIL away and takes it back
    finished = threading.Event()

    def execute_many():
        try:
            mute_and_read_back(1, rounds=20)
        finally:
            finished.set()

    thread = threading.Thread(target=execute_many)
    try:
        thread.start()
        while not finished.is_set():
            assert device.hardware == "StudioBox"  # waits for the device's lock
        thread.join()
    finally:
        tarnlink.remove_listener(listener)


def test_the_gil_is_free_while_the_library_waits_for_the_hardware(device):
    device.inject_fault(tarnlink.Fault.DELAY, count=1, delay_ms=400)
    window = []

    def slow_execution():
        started = time.monotonic()
        tarnlink.execute(tarnlink.Command("SampleRate", SampleRate="SR_48000Hz"))
        window.extend((started, time.monotonic()))

    thread = threading.Thread(target=slow_execution)
    thread.start()
    ran_python_at = []
    while thread.is_alive():
        ran_python_at.append(time.monotonic())
    thread.join()
    started, ended = window
    assert ended - started >= 0.35
    # This thread ran Python in the middle of the other one's execution, not
    # only in the few milliseconds a thread holding the GIL would leave it.
    assert any(started + 0.1 < moment < ended - 0.1 for moment in ran_python_at)


def capability_functions_of_the_table():
    table = (SOURCE_DIR / "include" / "tarnlink" / "TarnHWCapsTable.h").read_text()
    return re.findall(r"^TARNLINK_HWCAPS_FUNCTION\((\w+),", table, re.MULTILINE)


def test_all_answers_every_function_of_the_table(device):
    answers = tarnlink.caps.all()
    assert len(answers) == 78 and sorted(answers) == sorted(capability_functions_of_the_table())
    assert {name: answers[name] for name in ("GetSupportsHD", "GetMaxAudioChannels", "GetPeripheralName",
                                             "GetConduitBaseID", "GetIsHDControl")} == {
        "GetSupportsHD": True, "GetMaxAudioChannels": 16, "GetPeripheralName": "Studio Box",
        "GetConduitBaseID": 4000, "GetIsHDControl": False}
    assert all(callable(getattr(tarnlink.caps, name)) for name in answers)


def test_questions_by_name_with_conditions(device):
    at_96k = [("SampleRate", "SampleRate", "SR_96000Hz")]
    assert tarnlink.caps.query("GetMaxAudioChannels", conditions=at_96k) == 8
    assert tarnlink.caps.GetMaxAudioChannels(at_96k) == 8
    assert tarnlink.caps.GetMaxAudioChannels() == 16
    with pytest.raises(KeyError, match="no capability function of this name: GetSupportsSmell"):
        tarnlink.caps.query("GetSupportsSmell")
    with pytest.raises(ValueError, match="the condition names no command parameter or symbol of the dictionary"):
        tarnlink.caps.query("GetMaxAudioChannels", conditions=[("SampleRate", "SampleRate", "SR_1Hz")])
    for conditions in (["SampleRate"], 5, [("SampleRate", "SampleRate", 2**40)]):
        with pytest.raises(TypeError, match="conditions are \\(command, parameter, value\\) tuples"):
            tarnlink.caps.query("GetMaxAudioChannels", conditions=conditions)


def test_detection_follows_the_installed_hardware(library):
    tarnlink.install_conduit(tarnlink.VirtualDevice(hardware="NoSuchBox"), 1)
    assert tarnlink.caps.GetSupportsHD() is False
