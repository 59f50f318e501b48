#ifndef TARNLINK_VIRTUAL_COMMAND_LAYOUT_H
#define TARNLINK_VIRTUAL_COMMAND_LAYOUT_H

#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "tarnlink/TarnDictionary.h"

namespace TarnLinkVirtual {

struct ParameterLayout {
    std::string name;
    std::size_t size = 0; // 0 for a byte stream, whose length the packet gives
    bool isByteStream = false;
    bool requestData = false;
};

// What the device needs to know of one definition to read and answer its packets.
struct CommandLayout {
    std::string name;
    TarnLink::CommandKind kind = TarnLink::CommandKind::kTarn;
    unsigned char typeByte = 0;     // Tarn: major code and minor number
    unsigned char functionByte = 0; // Tarn: the function, without the request-data bit
    unsigned char opcode = 0;       // Diag
    std::vector<ParameterLayout> parameters;
    std::size_t requestFixedSize = 0; // the request-data parameters, byte stream excluded
    std::size_t sendFixedSize = 0;    // every parameter, byte stream excluded
    bool requestHasByteStream = false;
    bool sendHasByteStream = false;
    std::string startCommand; // Meta
    std::string repeatCommand;
    std::string stopCommand;
    std::string metaOwner; // a start, repeat or stop command: the meta definition it serves
};

// Layouts read from the loaded dictionary on first use and kept.
class CommandLayouts {
public:
    // Null when the dictionary has no such command.
    const CommandLayout* Find(const std::string& name);
    // The Tarn or Diag command whose header the packet carries, as a box on
    // the wire recognises it; null when none does.
    const CommandLayout* FindByHeader(const unsigned char* packet, std::size_t length);
    void Clear();

private:
    void LoadMetaOwners();
    void LoadHeaderIndex();

    std::unordered_map<std::string, std::unique_ptr<CommandLayout>> layouts_;
    std::unordered_map<std::string, std::string> metaOwners_;
    bool metaOwnersLoaded_ = false;
    // Tarn commands by type and function byte (the request-data bit clear),
    // Diag commands by opcode.
    std::unordered_map<unsigned, std::string> tarnHeaders_;
    std::unordered_map<unsigned, std::string> diagOpcodes_;
    bool headerIndexLoaded_ = false;
};

} // namespace TarnLinkVirtual

#endif
