"""Fixtures: the loaded library and a virtual studio box installed as conduit 1."""

import pytest

import tarnlink


@pytest.fixture
def library():
    with tarnlink.Library() as loaded:
        yield loaded


@pytest.fixture
def device(library):
    box = tarnlink.VirtualDevice(hardware="StudioBox")
    tarnlink.install_conduit(box, 1)
    box.clear_packet_log()
    return box
