#ifndef TARNLINK_TARNVIRTUALDEVICE_H
#define TARNLINK_TARNVIRTUALDEVICE_H

// A conduit that behaves like a box of a chosen hardware type, so that a host
// can be developed and tested before the hardware is on the desk. It lives in
// its own library, tarnlink_virtual (CMake target TarnLink::tarnlink_virtual).
//
//     TarnLink::TarnVirtualDevice device("StudioBox");
//     TarnLink::TarnCommandFactory::InstallTargetConduit(&device, 1);
//
// The device answers the identification commands with its hardware type and
// sub-components, remembers the data of every send command (keyed by the
// values of the command's request-data parameters) and answers request-data
// commands with it, takes part in meta command sequences both ways, and
// refuses malformed packets and unknown commands. A packet handed over without
// a command name (null or empty), as a device server hands it over, is
// recognised by its header, as a box on the wire recognises it. Faults can be
// injected for the host's own tests, and every packet exchanged is logged.
//
// Every member is safe to call from several threads. Lock is re-entrant.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tarnlink/TarnExport.h"
#include "tarnlink/TarnHostInterfaces.h"

namespace TarnLink {

enum class VirtualFault : std::int32_t {
    kTimeOut,         // no answer: Transmit fails with a timed-out response
    kNotSupported,    // the device answers with the not-supported status
    kTransmitFailure, // the packet never leaves: Transmit fails with the transmit-failure status
    kShortAnswer,     // the answer loses its last byte (its length field still counts it)
    kCorruptAnswer,   // the answer's transport mark is damaged
    kDelay            // the answer comes after the fault's delay; beyond a non-zero time-out it is a time-out
};

// One call of Transmit: the name and packet the library handed over, the answer
// and Transmit's result.
struct VirtualPacketExchange {
    std::string commandName;
    std::vector<unsigned char> request;
    std::vector<unsigned char> response;
    bool transmitted = false;
};

class TARNLINK_VIRTUAL_API TarnVirtualDevice : public TarnConduit {
public:
    // hardwareType is what HardwareTypeID answers (null: an empty type).
    explicit TarnVirtualDevice(const char* hardwareType);
    ~TarnVirtualDevice() override;
    TarnVirtualDevice(const TarnVirtualDevice&) = delete;
    TarnVirtualDevice& operator=(const TarnVirtualDevice&) = delete;

    void SetHardwareType(const char* hardwareType);
    std::string GetHardwareType() const;
    // Sub-components answer HardwareSubcompCount and HardwareSubcompInfo in
    // the order added, for example "HD Board" or "Codec Module : ID 0x7".
    void AddSubcomponent(const char* typeId);
    void ClearSubcomponents();
    std::vector<std::string> GetSubcomponents() const;

    // The fault hits the next commandCount packets, whatever their command.
    void InjectFault(VirtualFault fault, std::uint32_t commandCount = 1, std::uint32_t delayMillisec = 0);
    // The fault hits every packet of the named command (the name given to
    // Transmit, or the command the packet turned out to be) until cleared.
    void InjectFaultForCommand(const char* commandName, VirtualFault fault, std::uint32_t delayMillisec = 0);
    void ClearFaults();

    std::vector<VirtualPacketExchange> GetPacketLog() const;
    // The log so far, leaving it empty.
    std::vector<VirtualPacketExchange> TakePacketLog();
    void ClearPacketLog();

    // Forgets every stored value and meta sequence, and the command layouts
    // read from the dictionary (call it after the dictionary was reloaded).
    void ClearStoredData();

    bool Transmit(const char* commandName, const TarnCommandByteCode& request, TarnCommandByteCode* response,
                  std::uint32_t timeoutMillisec) override;
    void CommandSucceeded(TarnCommand& command) override;
    void Lock() override;
    void Unlock() override;

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace TarnLink

#endif
