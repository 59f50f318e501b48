// One parameter value between a command and the bytes of a packet.

#include "command/parameter_codec.h"

#include <algorithm>
#include <cstring>
#include <ostream>
#include <type_traits>

#include "wire/big_endian.h"
#include "diagnostics/diagnostics.h"

namespace TarnLinkPrivate {

using TarnLink::TarnCommand;

namespace {
constexpr char kWritingParameter[] = "\n\tWriting Parameter : ";
constexpr char kReadingParameter[] = "\n\tReading Parameter : ";
constexpr char kTypeLabel[] = " Type : ";
constexpr char kNumBytesLabel[] = " NumBytes: ";
constexpr char kSizeMismatch[] =
    "\nERROR - WritingParameterData - write for fixed size data is not equal to total size";

void TraceParameter(const char* label, const ParameterDefinition& parameter)
{
    TraceMessage(label, parameter.name, kTypeLabel, ParamTypeName(parameter.type));
}

// As the typed getters: a missing value gives false, another stored type
// throws bad_variant_cast.
bool EncodeInteger(ParamType type, const ParameterValue* stored, std::int32_t size, unsigned char* out)
{
    const std::int32_t width = FixedSizeOf(type);
    if (width == 0) {
        return false;
    }
    if (size != width) {
        TraceMessage(kSizeMismatch);
        return false;
    }
    if (stored == nullptr) {
        return false;
    }
    if (!stored->Holds(type)) {
        throw TarnLink::VariantImpl::bad_variant_cast();
    }
    WriteBigEndian(stored->Bits(), static_cast<std::size_t>(width), out);
    return true;
}

// An empty or missing stream, or a value of another type, is no data.
bool EncodeBytes(const ParameterValue* stored, std::int32_t size, unsigned char* out)
{
    const std::vector<char>* bytes = stored != nullptr ? stored->Bytes() : nullptr;
    if (bytes == nullptr || bytes->empty()) {
        return false;
    }
    if (bytes->size() != static_cast<std::size_t>(size)) {
        TraceMessage(kSizeMismatch);
        return false;
    }
    std::memcpy(out, bytes->data(), bytes->size());
    return true;
}

std::int32_t DecodeInteger(ParamType type, const unsigned char* bytes, std::int64_t available, ParameterValue& value)
{
    std::int32_t consumed = 0;
    VisitIntegerType(type, [&](auto zero) {
        using Value = decltype(zero);
        constexpr auto kWidth = static_cast<std::int32_t>(sizeof(Value));
        if (available < kWidth) {
            return false;
        }
        const auto raw = static_cast<std::make_unsigned_t<Value>>(ReadBigEndian(bytes, sizeof(Value)));
        value.SetInteger(static_cast<Value>(raw));
        consumed = kWidth;
        return true;
    });
    return consumed;
}

// Size of the value for packet sums; 0 after the message for a missing byte
// stream or an unknown type.
std::int64_t CountedSize(const ParameterDefinition& parameter, const TarnCommand& command)
{
    if (parameter.type == ParamType::kBytes) {
        const std::int32_t length = ParameterValueSize(parameter, command);
        if (length < 0) {
            VerboseMessage(kParameterNotFound, parameter.name);
            return -1;
        }
        return command.IsSendCommand() || parameter.requiredForRequestData ? length : 0;
    }
    const std::int32_t size = FixedSizeOf(parameter.type);
    if (size == 0) {
        VerboseMessage(kParameterSizeError, parameter.name);
        return -1;
    }
    return size;
}
} // namespace

std::int32_t StoredByteStreamLength(const ParameterValue* stored)
{
    // A symbol is not a byte stream; the compiler refuses it with its own status.
    if (stored == nullptr || stored->IsSymbol()) {
        return -1;
    }
    const std::vector<char>* bytes = stored->Bytes();
    if (bytes == nullptr) {
        throw TarnLink::VariantImpl::bad_variant_cast(); // as the typed getters do for another type
    }
    return static_cast<std::int32_t>(std::min<std::size_t>(bytes->size(), INT32_MAX));
}

std::int32_t ParameterValueSize(const ParameterDefinition& parameter, const TarnCommand& command)
{
    if (parameter.type != ParamType::kBytes) {
        return FixedSizeOf(parameter.type);
    }
    return StoredByteStreamLength(StoredValue(parameter, command));
}

bool EncodeParameter(const ParameterDefinition& parameter, const TarnCommand& command, std::int32_t size,
                     unsigned char* out)
{
    return EncodeParameter(parameter, StoredValue(parameter, command), size, out, IsCompileTrace());
}

bool EncodeValue(ParamType type, const ParameterValue* stored, std::int32_t size, unsigned char* out)
{
    return type == ParamType::kBytes ? EncodeBytes(stored, size, out) : EncodeInteger(type, stored, size, out);
}

bool EncodeTraced(const ParameterDefinition& parameter, const ParameterValue* stored, std::int32_t size,
                  unsigned char* out)
{
    TraceParameter(kWritingParameter, parameter);
    const bool written = EncodeValue(parameter.type, stored, size, out);
    if (written) {
        TraceMessage(kNumBytesLabel, size);
    }
    return written;
}

std::int32_t DecodeParameter(const ParameterDefinition& parameter, const unsigned char* bytes, std::int64_t available,
                             ParameterValue& value)
{
    if (parameter.type == ParamType::kInvalid || (bytes == nullptr && available > 0)) {
        return 0;
    }
    TraceParameter(kReadingParameter, parameter);
    if (parameter.type != ParamType::kBytes) {
        const std::int32_t consumed = DecodeInteger(parameter.type, bytes, available, value);
        if (consumed > 0) {
            TraceMessage(kNumBytesLabel, consumed);
        }
        return consumed;
    }
    const auto length = static_cast<std::int32_t>(std::clamp<std::int64_t>(available, 0, INT32_MAX));
    value.SetBytes(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(length));
    TraceMessage(kNumBytesLabel, length);
    return length;
}

std::int32_t DecodeParameter(const ParameterDefinition& parameter, const unsigned char* bytes, std::int64_t available,
                             TarnCommand& command)
{
    return DecodeParameter(parameter, bytes, available,
                           StateOf(command).Assign(parameter.name.data(), parameter.name.size()));
}

LayoutRequest LayoutRequestFor(const TarnCommand& command, const CommandFormat& definition)
{
    LayoutRequest request;
    request.isSend = command.IsSendCommand();
    const ParameterDefinition* variable = FindVariableLengthParameter(definition);
    if (variable != nullptr && (request.isSend || variable->requiredForRequestData)) {
        request.byteStreamLength = ParameterValueSize(*variable, command);
    }
    return request;
}

std::uint32_t TotalParameterDataSize(const TarnCommand& command, const CommandFormat& definition)
{
    std::uint64_t total = 0;
    for (const ParameterDefinition& parameter : definition.Parameters()) {
        const std::int64_t size = CountedSize(parameter, command);
        if (size < 0) {
            return 0;
        }
        total += static_cast<std::uint64_t>(size);
    }
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(total, UINT32_MAX));
}

} // namespace TarnLinkPrivate
