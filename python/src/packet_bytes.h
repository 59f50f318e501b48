#ifndef TARNLINK_PYTHON_PACKET_BYTES_H
#define TARNLINK_PYTHON_PACKET_BYTES_H

// Packets as Python bytes and back.

#include <pybind11/pybind11.h>

#include <string>
#include <vector>

#include "tarnlink/TarnCommandByteCode.h"

namespace TarnLinkPython {

pybind11::bytes PacketBytes(const TarnLink::TarnCommandByteCode& code);
pybind11::bytes PacketBytes(const std::vector<unsigned char>& packet);
// The bytes of bytes, bytearray or memoryview; TypeError "<what>: give bytes, not <type>" otherwise.
std::string BytesOf(pybind11::handle value, const std::string& what);
// False for empty bytes.
bool CopyPacket(const std::string& bytes, TarnLink::TarnCommandByteCode& code);

} // namespace TarnLinkPython

#endif
