#include "packet_responder.h"

#include <cstring>
#include <initializer_list>

namespace TarnLinkVirtual {
namespace {

constexpr char kHardwareTypeCommand[] = "HardwareTypeID";
constexpr char kSubcompCountCommand[] = "HardwareSubcompCount";
constexpr char kSubcompInfoCommand[] = "HardwareSubcompInfo";
constexpr char kTypeIdParameter[] = "TypeID";
constexpr char kSubcompCountParameter[] = "NumSubcomponents";
constexpr char kTotalSizeParameter[] = "TotalSize";

bool IsWellFormedTarn(const CommandLayout& layout, const unsigned char* packet, std::size_t length)
{
    if (length < kTarnHeaderLength || length > kMaxPacketLength || packet[0] != kTransportMark ||
        packet[1] != kTransportMark) {
        return false;
    }
    if (ReadBigEndian(packet + 2, 2) + kTransportLengthBias != length) {
        return false;
    }
    const unsigned char function = static_cast<unsigned char>(packet[kFunctionByteOffset] & ~kRequestDataBit);
    if (packet[kTypeByteOffset] != layout.typeByte || function != layout.functionByte) {
        return false;
    }
    const bool request = (packet[kFunctionByteOffset] & kRequestDataBit) != 0;
    const std::size_t payload = length - kTarnHeaderLength;
    const std::size_t fixed = request ? layout.requestFixedSize : layout.sendFixedSize;
    const bool byteStream = request ? layout.requestHasByteStream : layout.sendHasByteStream;
    return byteStream ? payload >= fixed : payload == fixed;
}

bool IsWellFormedDiag(const CommandLayout& layout, const unsigned char* packet, std::size_t length)
{
    if (!HasDiagMagic(packet, length) || length > kMaxPacketLength || packet[kDiagOpcodeOffset] != layout.opcode) {
        return false;
    }
    const std::size_t payload = length - kDiagHeaderLength;
    if (ReadBigEndian(packet + kDiagLengthOffset, 2) != payload) {
        return false;
    }
    for (std::size_t fixed : {layout.requestFixedSize, layout.sendFixedSize}) {
        if (payload == fixed || (layout.sendHasByteStream && payload > fixed)) {
            return true;
        }
    }
    return false;
}

bool HasHeaderOf(const CommandLayout* layout, const unsigned char* packet, std::size_t length)
{
    return layout != nullptr && length >= kTarnHeaderLength && packet[kTypeByteOffset] == layout->typeByte &&
           static_cast<unsigned char>(packet[kFunctionByteOffset] & ~kRequestDataBit) == layout->functionByte;
}

Bytes AsBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

// One value of an answer's record: a number for a fixed-size parameter, bytes
// for a byte stream.
struct Field {
    const char* name;
    std::uint64_t number;
    const Bytes* bytes;
};

template <class FieldList>
const Field* FindField(const FieldList& fields, const std::string& name)
{
    for (const Field& field : fields) {
        if (name == field.name) {
            return &field;
        }
    }
    return nullptr;
}

// The send-only part of an answer: the given fields, zeros (or no bytes, for a
// byte stream) for every other parameter.
template <class FieldList>
Bytes BuildRecord(const CommandLayout& layout, const FieldList& fields)
{
    Bytes record;
    for (const ParameterLayout& parameter : layout.parameters) {
        if (parameter.requestData) {
            continue;
        }
        const Field* field = FindField(fields, parameter.name);
        if (parameter.isByteStream) {
            if (field != nullptr && field->bytes != nullptr) {
                record.insert(record.end(), field->bytes->begin(), field->bytes->end());
            }
        } else {
            AppendBigEndian(record, field != nullptr ? field->number : 0, parameter.size);
        }
    }
    return record;
}

} // namespace

const CommandLayout* PacketResponder::Resolve(const char* commandName, const unsigned char* packet, std::size_t length)
{
    if (commandName == nullptr || *commandName == '\0') {
        return layouts_.FindByHeader(packet, length);
    }
    const CommandLayout* layout = layouts_.Find(commandName);
    if (layout == nullptr || layout->kind != TarnLink::CommandKind::kMeta) {
        return layout;
    }
    for (const std::string* member : {&layout->startCommand, &layout->repeatCommand, &layout->stopCommand}) {
        const CommandLayout* candidate = layouts_.Find(*member);
        if (HasHeaderOf(candidate, packet, length)) {
            return candidate;
        }
    }
    return layout; // a meta command's own packet cannot exist: refused as malformed
}

Bytes PacketResponder::Answer(const CommandLayout* layout, const unsigned char* packet, std::size_t length,
                              const DeviceIdentity& identity)
{
    if (layout == nullptr) {
        return StatusAnswer(packet, length, kStatusNotSupported);
    }
    if (layout->kind == TarnLink::CommandKind::kDiag) {
        return IsWellFormedDiag(*layout, packet, length) ? DiagAnswer(packet)
                                                         : StatusAnswer(packet, length, kStatusFail);
    }
    if (layout->kind != TarnLink::CommandKind::kTarn || !IsWellFormedTarn(*layout, packet, length)) {
        return StatusAnswer(packet, length, kStatusFail);
    }
    if ((packet[kFunctionByteOffset] & kRequestDataBit) != 0) {
        return AnswerRequest(*layout, packet, length, identity);
    }
    return AnswerSend(*layout, packet, length);
}

void PacketResponder::Clear()
{
    layouts_.Clear();
    memory_.Clear();
}

Bytes PacketResponder::AnswerSend(const CommandLayout& layout, const unsigned char* packet, std::size_t length)
{
    if (!layout.metaOwner.empty()) {
        const CommandLayout* meta = layouts_.Find(layout.metaOwner);
        if (meta != nullptr) {
            return AnswerMetaSend(layout, *meta, packet, length);
        }
    }
    const unsigned char* payload = packet + kTarnHeaderLength;
    const std::size_t payloadLength = length - kTarnHeaderLength;
    const std::size_t keyLength = layout.requestHasByteStream ? payloadLength : layout.requestFixedSize;
    memory_.Store(layout.name, payload, keyLength, Bytes(payload + keyLength, payload + payloadLength));
    return StatusAnswer(packet, length, kStatusSuccess);
}

Bytes PacketResponder::AnswerMetaSend(const CommandLayout& layout, const CommandLayout& meta,
                                      const unsigned char* packet, std::size_t length)
{
    const unsigned char* payload = packet + kTarnHeaderLength;
    bool accepted = true;
    if (layout.name == meta.startCommand) {
        std::uint64_t totalSize = 0;
        std::size_t offset = 0;
        for (const ParameterLayout& parameter : layout.parameters) {
            if (parameter.name == kTotalSizeParameter && !parameter.isByteStream) {
                totalSize = ReadBigEndian(payload + offset, parameter.size);
            }
            offset += parameter.size;
        }
        memory_.BeginUpload(meta.name, static_cast<std::uint32_t>(totalSize));
    } else if (layout.name == meta.repeatCommand) {
        const std::size_t fixed = layout.sendFixedSize;
        accepted = memory_.AppendUpload(meta.name, payload + fixed, length - kTarnHeaderLength - fixed);
    } else {
        accepted = memory_.FinishUpload(meta.name);
    }
    return StatusAnswer(packet, length, accepted ? kStatusSuccess : kStatusFail);
}

Bytes PacketResponder::AnswerRequest(const CommandLayout& layout, const unsigned char* packet, std::size_t length,
                                     const DeviceIdentity& identity)
{
    const unsigned char* key = packet + kTarnHeaderLength;
    const std::size_t keyLength = length - kTarnHeaderLength;
    Bytes payload(key, key + keyLength);
    Bytes record;
    const CommandLayout* meta = layout.metaOwner.empty() ? nullptr : layouts_.Find(layout.metaOwner);
    if (meta != nullptr) {
        const std::size_t sendOnlyFixed = layout.sendFixedSize - layout.requestFixedSize;
        record = MetaRecord(layout, *meta, kMaxPayload - keyLength - sendOnlyFixed);
    } else {
        switch (IdentificationRecord(layout, key, keyLength, identity, &record)) {
        case Identification::kRefused:
            return StatusAnswer(packet, length, kStatusFail);
        case Identification::kAnswered:
            break;
        case Identification::kNotIdentification: {
            const Bytes* stored = memory_.Recall(layout.name, key, keyLength);
            record = stored != nullptr ? *stored : BuildRecord(layout, std::initializer_list<Field>{});
            break;
        }
        }
    }
    payload.insert(payload.end(), record.begin(), record.end());
    if (payload.size() > kMaxPayload) {
        return StatusAnswer(packet, length, kStatusFail);
    }
    return DataAnswer(packet, payload);
}

// The identification commands answer from the device's configuration, not
// from stored data. A sub-component index out of range is refused.
PacketResponder::Identification PacketResponder::IdentificationRecord(const CommandLayout& layout,
                                                                      const unsigned char* key, std::size_t keyLength,
                                                                      const DeviceIdentity& identity,
                                                                      Bytes* record) const
{
    if (layout.name == kHardwareTypeCommand) {
        const Bytes typeId = AsBytes(identity.hardwareType);
        *record = BuildRecord(layout, std::initializer_list<Field>{{kTypeIdParameter, 0, &typeId}});
        return Identification::kAnswered;
    }
    if (layout.name == kSubcompCountCommand) {
        const Field count{kSubcompCountParameter, identity.subcomponents.size(), nullptr};
        *record = BuildRecord(layout, std::initializer_list<Field>{count});
        return Identification::kAnswered;
    }
    if (layout.name != kSubcompInfoCommand) {
        return Identification::kNotIdentification;
    }
    // The index is the first request-data parameter, whatever its width.
    const std::size_t indexWidth = layout.parameters.empty() ? 0 : layout.parameters.front().size;
    const std::size_t index = indexWidth > 0 && indexWidth <= keyLength
                                  ? static_cast<std::size_t>(ReadBigEndian(key, indexWidth))
                                  : identity.subcomponents.size();
    if (index >= identity.subcomponents.size()) {
        return Identification::kRefused;
    }
    const Bytes typeId = AsBytes(identity.subcomponents[index]);
    *record = BuildRecord(layout, std::initializer_list<Field>{{kTypeIdParameter, 0, &typeId}});
    return Identification::kAnswered;
}

Bytes PacketResponder::MetaRecord(const CommandLayout& layout, const CommandLayout& meta, std::size_t answerRoom)
{
    if (layout.name == meta.startCommand) {
        memory_.BeginDownload(meta.name);
        const Field total{kTotalSizeParameter, StoredMetaData(meta).size(), nullptr};
        return BuildRecord(layout, std::initializer_list<Field>{total});
    }
    if (layout.name == meta.repeatCommand) {
        const Bytes chunk = memory_.NextDownloadChunk(meta.name, StoredMetaData(meta), answerRoom);
        std::vector<Field> fields;
        for (const ParameterLayout& parameter : layout.parameters) {
            if (parameter.isByteStream) {
                fields.push_back(Field{parameter.name.c_str(), 0, &chunk});
            }
        }
        return BuildRecord(layout, fields);
    }
    memory_.FinishDownload(meta.name);
    return BuildRecord(layout, std::initializer_list<Field>{});
}

// Before any upload the device holds zeros for the meta definition's
// fixed-size data and no bytes for its byte streams.
const Bytes& PacketResponder::StoredMetaData(const CommandLayout& meta)
{
    const Bytes* stored = memory_.Recall(meta.name, nullptr, 0);
    if (stored == nullptr) {
        memory_.Store(meta.name, nullptr, 0, Bytes(meta.sendFixedSize, 0));
        stored = memory_.Recall(meta.name, nullptr, 0);
    }
    return *stored;
}

} // namespace TarnLinkVirtual
