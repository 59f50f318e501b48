#ifndef TARNLINK_VIRTUAL_PACKET_RESPONDER_H
#define TARNLINK_VIRTUAL_PACKET_RESPONDER_H

#include <cstddef>
#include <string>
#include <vector>

#include "command_layout.h"
#include "device_memory.h"
#include "packet_format.h"

namespace TarnLinkVirtual {

struct DeviceIdentity {
    std::string hardwareType;
    std::vector<std::string> subcomponents;
};

// The box itself: reads a packet, checks it against the dictionary, keeps what
// was sent and answers as the hardware would.
class PacketResponder {
public:
    // The definition a packet sent under commandName stands for: the named
    // command or, for a meta command's name, the start, repeat or stop command
    // whose header the packet carries; without a name (null or empty), the
    // command whose header the packet carries. Null when there is none.
    const CommandLayout* Resolve(const char* commandName, const unsigned char* packet, std::size_t length);
    // The answer to a packet of the resolved definition (null: not supported).
    Bytes Answer(const CommandLayout* layout, const unsigned char* packet, std::size_t length,
                 const DeviceIdentity& identity);
    void Clear();

private:
    enum class Identification { kNotIdentification, kAnswered, kRefused };

    Bytes AnswerSend(const CommandLayout& layout, const unsigned char* packet, std::size_t length);
    Bytes AnswerMetaSend(const CommandLayout& layout, const CommandLayout& meta, const unsigned char* packet,
                         std::size_t length);
    Bytes AnswerRequest(const CommandLayout& layout, const unsigned char* packet, std::size_t length,
                        const DeviceIdentity& identity);
    Identification IdentificationRecord(const CommandLayout& layout, const unsigned char* key, std::size_t keyLength,
                                        const DeviceIdentity& identity, Bytes* record) const;
    Bytes MetaRecord(const CommandLayout& layout, const CommandLayout& meta, std::size_t answerRoom);
    const Bytes& StoredMetaData(const CommandLayout& meta);

    CommandLayouts layouts_;
    DeviceMemory memory_;
};

} // namespace TarnLinkVirtual

#endif
