"""Devices over TCP (when the network library is built), and the installed module."""

import os
import pathlib
import subprocess
import sys

import pytest

import tarnlink

needs_network = pytest.mark.skipif(not hasattr(tarnlink, "TcpConduit"), reason="built without the network library")


@pytest.fixture
def served_box(library):
    with tarnlink.DeviceServer(tarnlink.VirtualDevice(hardware="StudioBox"), port=0) as server:
        yield server


@needs_network
def test_a_session_through_a_tcp_conduit(served_box):
    box = tarnlink.TcpConduit(f"tcp://127.0.0.1:{served_box.port}")
    tarnlink.install_conduit(box, 1)
    assert tarnlink.caps.GetPeripheralName() == "Studio Box"
    tarnlink.execute(tarnlink.Command("AudioHostMonitorChanGain", Input=1, Output=2, Gain=-600))
    answer = tarnlink.execute(tarnlink.Command.request("AudioHostMonitorChanGain", Input=1, Output=2))
    assert answer["Gain"] == -600 and box.is_connected and box.last_error == ""


@needs_network
def test_tcp_conduit_failures(library):
    with pytest.raises(ValueError):
        tarnlink.TcpConduit("http://127.0.0.1:7300")
    with tarnlink.DeviceServer(tarnlink.VirtualDevice(), port=0) as server:
        port = server.port
    box = tarnlink.TcpConduit("127.0.0.1", port)  # nobody listens there any more
    tarnlink.install_conduit(box, 1, detect=False)
    with pytest.raises(tarnlink.CommandError, match="kTLTransmitFailure"):
        tarnlink.execute(tarnlink.Command("SampleRate", SampleRate="SR_48000Hz"))
    assert box.last_error != ""


def test_cmake_install_puts_an_importable_module_beside_its_libraries(tmp_path):
    binary_dir = os.environ.get("TARNLINK_BINARY_DIR")
    if binary_dir is None:
        pytest.skip("TARNLINK_BINARY_DIR names no build tree to install")
    subprocess.run(["cmake", "--install", binary_dir, "--prefix", str(tmp_path)], check=True, capture_output=True)
    modules = list(tmp_path.glob("lib/python3*/*-packages/tarnlink*.so"))
    assert len(modules) == 1 and (modules[0].parent / "tarnlink.pyi").is_file()
    probe = ("import tarnlink\n"
             "with tarnlink.Library():\n"
             "    print(tarnlink.describe('SampleRate')['parameters'][0]['type'], tarnlink.__file__)\n")
    environment = dict(os.environ, PYTHONPATH=str(modules[0].parent))
    result = subprocess.run([sys.executable, "-c", probe], env=environment, cwd=tmp_path, capture_output=True,
                            text=True, check=True)
    assert result.stdout.startswith("UINT8 " + str(modules[0].parent))
