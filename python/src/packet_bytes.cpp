#include "packet_bytes.h"

namespace py = pybind11;

namespace TarnLinkPython {
namespace {
constexpr char kNotBytes[] = ": give bytes, not ";
} // namespace

py::bytes PacketBytes(const TarnLink::TarnCommandByteCode& code)
{
    unsigned char* buffer = nullptr;
    std::size_t length = 0;
    if (!code.GetPacketByteCodeBuffer(&buffer) || !code.GetPacketByteCodeBufferLength(&length)) {
        return py::bytes();
    }
    return py::bytes(reinterpret_cast<const char*>(buffer), length);
}

py::bytes PacketBytes(const std::vector<unsigned char>& packet)
{
    return py::bytes(reinterpret_cast<const char*>(packet.data()), packet.size());
}

std::string BytesOf(py::handle value, const std::string& what)
{
    if (!PyBytes_Check(value.ptr()) && !PyByteArray_Check(value.ptr()) && !PyMemoryView_Check(value.ptr())) {
        throw py::type_error(what + kNotBytes + py::type::of(value).attr("__name__").cast<std::string>());
    }
    return py::reinterpret_steal<py::bytes>(PyBytes_FromObject(value.ptr()));
}

bool CopyPacket(const std::string& bytes, TarnLink::TarnCommandByteCode& code)
{
    return code.CopyByteCodePacketBuffer(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

} // namespace TarnLinkPython
