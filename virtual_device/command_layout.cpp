#include "command_layout.h"

#include <cstdint>

#include "packet_format.h"

namespace TarnLinkVirtual {
namespace {

constexpr char kByteStreamType[] = "BYTES";

struct TypeSize {
    const char* name;
    std::size_t size;
};
constexpr TypeSize kTypeSizes[] = {{"INT8", 1},  {"UINT8", 1},  {"INT16", 2}, {"UINT16", 2},
                                   {"INT32", 4}, {"UINT32", 4}, {"INT64", 8}, {"UINT64", 8}};

std::size_t FixedSizeOf(const std::string& typeName)
{
    for (const TypeSize& type : kTypeSizes) {
        if (typeName == type.name) {
            return type.size;
        }
    }
    return 0;
}

ParameterLayout MakeParameterLayout(const TarnLink::ParameterInfo& info)
{
    ParameterLayout parameter;
    parameter.name = info.name;
    parameter.isByteStream = info.typeName == kByteStreamType;
    parameter.size = parameter.isByteStream ? 0 : FixedSizeOf(info.typeName);
    parameter.requestData = info.requiredForRequestData;
    return parameter;
}

unsigned char TypeByteOf(const TarnLink::CommandInfo& info)
{
    return static_cast<unsigned char>(((info.major & 0x3u) << 6) | (info.minor & 0x3Fu));
}

unsigned char FunctionByteOf(const TarnLink::CommandInfo& info)
{
    return static_cast<unsigned char>((info.function & 0x7Fu) << 1);
}

unsigned TarnHeaderKey(unsigned char typeByte, unsigned char functionByte)
{
    return (static_cast<unsigned>(typeByte) << 8) | static_cast<unsigned char>(functionByte & ~kRequestDataBit);
}

const std::string* NameIn(const std::unordered_map<unsigned, std::string>& index, unsigned key)
{
    auto found = index.find(key);
    return found != index.end() ? &found->second : nullptr;
}

std::unique_ptr<CommandLayout> MakeLayout(TarnLink::CommandInfo& info)
{
    auto layout = std::make_unique<CommandLayout>();
    layout->name = std::move(info.name);
    layout->kind = info.kind;
    layout->typeByte = TypeByteOf(info);
    layout->functionByte = FunctionByteOf(info);
    layout->opcode = static_cast<unsigned char>(info.opcode & 0xFFu);
    layout->startCommand = std::move(info.startCommand);
    layout->repeatCommand = std::move(info.repeatCommand);
    layout->stopCommand = std::move(info.stopCommand);
    for (const TarnLink::ParameterInfo& parameterInfo : info.parameters) {
        ParameterLayout parameter = MakeParameterLayout(parameterInfo);
        layout->sendFixedSize += parameter.size;
        layout->sendHasByteStream = layout->sendHasByteStream || parameter.isByteStream;
        if (parameter.requestData) {
            layout->requestFixedSize += parameter.size;
            layout->requestHasByteStream = layout->requestHasByteStream || parameter.isByteStream;
        }
        layout->parameters.push_back(std::move(parameter));
    }
    return layout;
}

} // namespace

const CommandLayout* CommandLayouts::Find(const std::string& name)
{
    auto found = layouts_.find(name);
    if (found != layouts_.end()) {
        return found->second.get();
    }
    TarnLink::CommandInfo info;
    if (!TarnLink::TarnDictionary::GetCommandInfo(name.c_str(), &info)) {
        return nullptr; // not cached: the dictionary may be loaded later
    }
    LoadMetaOwners();
    std::unique_ptr<CommandLayout> layout = MakeLayout(info);
    auto owner = metaOwners_.find(name);
    if (owner != metaOwners_.end()) {
        layout->metaOwner = owner->second;
    }
    return layouts_.emplace(name, std::move(layout)).first->second.get();
}

const CommandLayout* CommandLayouts::FindByHeader(const unsigned char* packet, std::size_t length)
{
    LoadHeaderIndex();
    const std::string* name = nullptr;
    if (HasDiagMagic(packet, length)) {
        name = NameIn(diagOpcodes_, packet[kDiagOpcodeOffset]);
    } else if (length >= kTarnHeaderLength && packet[0] == kTransportMark && packet[1] == kTransportMark) {
        name = NameIn(tarnHeaders_, TarnHeaderKey(packet[kTypeByteOffset], packet[kFunctionByteOffset]));
    }
    return name != nullptr ? Find(*name) : nullptr;
}

void CommandLayouts::Clear()
{
    layouts_.clear();
    metaOwners_.clear();
    metaOwnersLoaded_ = false;
    tarnHeaders_.clear();
    diagOpcodes_.clear();
    headerIndexLoaded_ = false;
}

void CommandLayouts::LoadHeaderIndex()
{
    if (headerIndexLoaded_) {
        return;
    }
    for (const std::string& name : TarnLink::TarnDictionary::GetCommandNames()) {
        TarnLink::CommandInfo info;
        if (!TarnLink::TarnDictionary::GetCommandInfo(name.c_str(), &info)) {
            continue;
        }
        if (info.kind == TarnLink::CommandKind::kTarn) {
            tarnHeaders_.emplace(TarnHeaderKey(TypeByteOf(info), FunctionByteOf(info)), name);
        } else if (info.kind == TarnLink::CommandKind::kDiag) {
            diagOpcodes_.emplace(info.opcode & 0xFFu, name);
        }
    }
    headerIndexLoaded_ = !tarnHeaders_.empty(); // the dictionary may be loaded later
}

// A command that several meta definitions share serves the first of them in
// name order.
void CommandLayouts::LoadMetaOwners()
{
    if (metaOwnersLoaded_) {
        return;
    }
    for (const std::string& name : TarnLink::TarnDictionary::GetCommandNames()) {
        TarnLink::CommandInfo info;
        if (!TarnLink::TarnDictionary::GetCommandInfo(name.c_str(), &info) ||
            info.kind != TarnLink::CommandKind::kMeta) {
            continue;
        }
        for (const std::string* member : {&info.startCommand, &info.repeatCommand, &info.stopCommand}) {
            metaOwners_.emplace(*member, name);
        }
    }
    metaOwnersLoaded_ = true;
}

} // namespace TarnLinkVirtual
